// The set-up screens and the candidates: navigation, the settings file as
// the window reads and writes it, photos, and whole games from the title
// page to the chart and back.
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "erro.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "somwave.h"
#include "updown.h"

class TesteSetup : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  QStringList erros_;
  TForm1& F() { return p_->Form1; }

  void Abrir() {
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
    QTRY_VERIFY(!F().Som->Fonte().isEmpty());  // the start-up music has been asked for
  }
  void Fechar() { p_.reset(); }  // runs FormDestroy, which writes jogo.ini

  QPoint Em(QWidget* w, QPoint local = {-1, -1}) {
    if (local == QPoint(-1, -1)) local = w->rect().center();
    return w->mapTo(w->window(), local);
  }
  void Clicar(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(w->window()->windowHandle(), b, {}, Em(w));
    QTest::mouseRelease(w->window()->windowHandle(), b, {}, Em(w));
  }
  void DuploClique(QWidget* w) {
    // The photos stand in a scroll box: bring the slot into view first.
    F().findChild<QScrollArea*>("ScrollBox2")->ensureWidgetVisible(w);
    QTest::mouseDClick(w->window()->windowHandle(), Qt::LeftButton, {}, Em(w));
  }
  // Types text as key presses, accents included.
  static void Digitar(QWidget* w, const QString& texto) {
    for (QChar c : texto) {
      QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &tecla);
    }
  }
  QString Pagina() { return F().Abook->ActivePage(); }
  // The guard of the forward arrow waits for the message's Ok: answer it
  // from inside the wait.
  void ClicarEResponder(QWidget* w) {
    bool respondeu = false;
    QTimer::singleShot(50, this, [&] {
      QVERIFY(formDialog->isVisible());
      QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Selecione seu candidato!"));
      Clicar(p_->formDialog.btn);
      respondeu = true;
    });
    Clicar(w);
    QVERIFY(respondeu);
  }
  static QByteArray Ler(const char* nome) {
    QFile f(QString::fromLatin1(nome));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
  }
  static void Gravar(const char* nome, const QByteArray& b) {
    QFile f(QString::fromLatin1(nome));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(b);
  }
  static QString Png(const QString& nome, QColor cor) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(cor);
    img.save(nome);
    return QDir::current().absoluteFilePath(nome);
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    DefinirCaixaDeErro([this](const QString& t) { erros_ << t; });
  }
  void init() {
    QFile::remove("jogo.ini");
    erros_.clear();
  }
  void cleanup() { Fechar(); }

  void navigationBetweenThePages() {
    Abrir();
    QCOMPARE(Pagina(), QString("Default"));
    Clicar(F().Image1);
    QCOMPARE(Pagina(), QString("regras"));
    Clicar(F().bt[0]);
    QCOMPARE(Pagina(), QString("Default"));
    Clicar(F().Image1);
    // An arrow released away from itself still acts, with its normal look back.
    QTest::mousePress(F().windowHandle(), Qt::RightButton, {}, Em(F().bt[1]));
    QCOMPARE(F().bt[1]->Picture(), F().sdir2->Picture());
    QTest::mouseRelease(F().windowHandle(), Qt::RightButton, {}, QPoint(300, 20));
    QCOMPARE(F().bt[1]->Picture(), F().sdir1->Picture());
    QCOMPARE(Pagina(), QString("Candidatos"));
    Clicar(F().bt[2]);
    QCOMPARE(Pagina(), QString("regras"));
    Clicar(F().bt[1]);

    // Forward without a candidate: the message, and the page stays.
    ClicarEResponder(F().bt[3]);
    QCOMPARE(Pagina(), QString("Candidatos"));
    QVERIFY(!formDialog->isVisible());

    F().Ncan[4]->setText("Zé da Feira");
    DuploClique(F().Fcan[4]);
    QCOMPARE(Pagina(), QString("adversarios"));
    QCOMPARE(F().lblNomeJog->text(), QString("Zé da Feira"));
    QCOMPARE(F().Image2->Picture(), F().Fcan[4]->Picture());
    // A later edit does not reach the chosen name.
    F().Ncan[4]->setText("Outro");
    QCOMPARE(F().lblNomeJog->text(), QString("Zé da Feira"));
    Clicar(F().bt[4]);
    QCOMPARE(Pagina(), QString("Candidatos"));
    Clicar(F().bt[3]);
    QCOMPARE(Pagina(), QString("adversarios"));
  }

  void theMarkerNameStillCountsAsNoChoiceAndAnEmptyNameDoesNot() {
    Abrir();
    F().Abook->SetActivePage("Candidatos");
    F().Ncan[1]->setText("Seu Nome");
    DuploClique(F().Fcan[1]);
    QCOMPARE(Pagina(), QString("adversarios"));
    Clicar(F().bt[4]);
    ClicarEResponder(F().bt[3]);
    QCOMPARE(Pagina(), QString("Candidatos"));
    F().Ncan[2]->setText("");
    DuploClique(F().Fcan[2]);
    QCOMPARE(F().lblNomeJog->text(), QString());
    Clicar(F().bt[4]);
    Clicar(F().bt[3]);
    QCOMPARE(Pagina(), QString("adversarios"));
  }

  void spinnerStopsAtItsEndsAndTheDigitFollows() {
    Abrir();
    F().Abook->SetActivePage("adversarios");
    const QImage faixa = F().Dig->Picture().copy();
    auto celula = [&](int c) { return faixa.copy(17 * c, 0, 17, 29); };
    auto mostrado = [&] { return F().Dig->Picture().copy(0, 0, 17, 29); };
    Clicar(F().UpDown1->Abaixo());
    QCOMPARE(F().UpDown1->Position(), 2);
    QCOMPARE(mostrado(), celula(1));
    for (int i = 0; i < 5; ++i) Clicar(F().UpDown1->Acima());
    QCOMPARE(F().UpDown1->Position(), 5);
    QCOMPARE(mostrado(), celula(4));
    Clicar(F().UpDown1->Abaixo());
    QCOMPARE(F().UpDown1->Position(), 4);
    QCOMPARE(mostrado(), celula(3));
  }

  void withoutASettingsFileTheBuiltInSlotsAreWrittenAtExit() {
    Abrir();
    QCOMPARE(F().Ncan[1]->text(), QString("Candidato 15"));
    QCOMPARE(F().Ncan[6]->text(), QString("Candidato 65"));
    QVERIFY(F().Dcan[5]->text().contains("comi$$ão"));
    Fechar();
    const QByteArray b = Ler("jogo.ini");
    QVERIFY(b.startsWith("0\r\n\r\nCandidato 15\r\nCandidato do partido dos atrapalhadores."));
    QCOMPARE(b.count("\r\n"), 19);
    QVERIFY(b.endsWith("Vai encarar?\r\n"));
    QVERIFY(b.contains("comi$$\xE3o"));  // Windows-1252, not UTF-8
  }

  void settingsFileFillsTheSlotsAndEditsSurviveARestart() {
    Gravar("jogo.ini", "qualquer\n\nAna\nPartido A\n\nBeto\nPartido B\n");  // 7 lines, lone LF
    Abrir();
    QCOMPARE(F().Ncan[1]->text(), QString("Ana"));
    QCOMPARE(F().Dcan[2]->text(), QString("Partido B"));
    QCOMPARE(F().Ncan[3]->text(), QString());
    QCOMPARE(F().Dcan[6]->text(), QString());
    QCOMPARE(F().Fcan[3]->Picture(), FiguraEmbutida(QStringLiteral("foto35.png")));
    F().Ncan[3]->setFocus();
    Digitar(F().Ncan[3], "João €");
    Fechar();
    QVERIFY(Ler("jogo.ini").startsWith("0\r\n\r\nAna\r\nPartido A\r\n\r\nBeto\r\nPartido B\r\n\r\nJo\xE3o \x80\r\n"));
    Abrir();
    QCOMPARE(F().Ncan[3]->text(), QString("João €"));
  }

  void emptySettingsFileEmptiesNamesButKeepsPlaceholders() {
    Gravar("jogo.ini", "");
    Abrir();
    for (int k = 1; k <= 6; ++k) {
      QCOMPARE(F().Ncan[k]->text(), QString());
      QCOMPARE(F().Dcan[k]->text(), QString());
    }
    QCOMPARE(F().Fcan[1]->Picture(), FiguraEmbutida(QStringLiteral("foto15.png")));
    QVERIFY(erros_.isEmpty());
  }

  void nameBoxesTakeOnlyWhatTheFileCanHold() {
    Abrir();
    QLineEdit* nome = F().Ncan[2];
    nome->clear();
    nome->setFocus();
    Digitar(nome, "Ação→ok");  // the arrow has no Windows-1252 byte
    QCOMPARE(nome->text(), QString("Açãook"));
  }

  void aStoredPhotoThatFailsIsReportedAloneAndStartUpGoesOn() {
    const QString boa = Png("boa.png", Qt::red);
    QByteArray ini = "0\r\n";
    for (int k = 1; k <= 6; ++k) {
      const QByteArray foto = k == 1 ? "sumiu.bmp" : k == 2 ? "foto.gif" : k == 4 ? boa.toLocal8Bit() : "";
      ini += foto + "\r\nN" + QByteArray::number(k) + "\r\nD\r\n";
    }
    Gravar("jogo.ini", ini);
    Abrir();
    // Both failures in one box, once every photo has answered.
    QTRY_COMPARE(erros_.size(), 1);
    QVERIFY2(erros_[0].contains("sumiu.bmp") && erros_[0].contains("Unknown picture file extension (.gif)"),
             qPrintable(erros_[0]));
    QCOMPARE(F().Fcan[4]->Picture().pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(F().Fcan[1]->Picture(), FiguraEmbutida(QStringLiteral("foto15.png")));
    QTRY_VERIFY(!F().Som->Fonte().isEmpty());  // the start-up music still plays
    QVERIFY(F().PastaDaMusica.endsWith('/'));  // and the music dialog is set up
    Fechar();
    // The failing paths are written back as they were: the file may come back.
    QVERIFY(Ler("jogo.ini").startsWith("0\r\nsumiu.bmp\r\nN1\r\nD\r\nfoto.gif\r\nN2\r\nD\r\n\r\nN3\r\nD\r\n" +
                                       boa.toLocal8Bit()));
  }

  void choosingAPhoto() {
    Abrir();
    F().Abook->SetActivePage("Candidatos");
    QString escolhida;
    F().EscolhaDeFoto = [&] { return escolhida; };

    escolhida = Png("verde.PNG", Qt::green);  // extensions in capitals load too
    QTest::mousePress(F().windowHandle(), Qt::LeftButton, {}, Em(F().Mq[2]));
    QCOMPARE(F().Mq[2]->Picture(), F().maq2->Picture());
    QTest::mouseRelease(F().windowHandle(), Qt::LeftButton, {}, Em(F().Mq[2]));
    QCOMPARE(F().Mq[2]->Picture(), F().maq1->Picture());
    QCOMPARE(F().Fcan[2]->Picture().pixelColor(1, 1), QColor(Qt::green));
    QCOMPARE(F().Fotos[2], escolhida);

    // A picture that fails: reported, the photo and its path stay.
    for (const QString& ruim :
         {QDir::current().absoluteFilePath("foto.gif"), QDir::current().absoluteFilePath("nada.jpg")}) {
      escolhida = ruim;
      Clicar(F().Mq[2]);
      QCOMPARE(F().Fcan[2]->Picture().pixelColor(1, 1), QColor(Qt::green));
      QVERIFY(F().Fotos[2].endsWith("verde.PNG"));
    }
    QCOMPARE(erros_.size(), 2);
    QCOMPARE(erros_[0], QString("Unknown picture file extension (.gif)"));

    // A path the settings file could not hold is refused with a message.
    QVERIFY(QDir().mkdir("pasta→x"));
    escolhida = Png("pasta→x/a.png", Qt::blue);
    Clicar(F().Mq[2]);
    QCOMPARE(erros_.size(), 3);
    QVERIFY(erros_[2].contains("jogo.ini"));
    QCOMPARE(F().Fcan[2]->Picture().pixelColor(1, 1), QColor(Qt::green));

    // Cancelled: nothing changes.
    escolhida.clear();
    Clicar(F().Mq[2]);
    QCOMPARE(erros_.size(), 3);
    QVERIFY(F().Fotos[2].endsWith("verde.PNG"));
  }

  void aFailedWriteAtExitIsReported() {
    Abrir();
    QVERIFY(QDir().mkdir("jogo.ini"));  // a folder where the file should go
    Fechar();
    QCOMPARE(erros_.size(), 1);
    QVERIFY(QFileInfo("jogo.ini").isDir());
    QVERIFY(QDir().rmdir("jogo.ini"));
  }

  void fromTheTitlePageToTheChartAndBackTwice() {
    Abrir();
    varzeno::RandSeed(77);
    for (int jogo = 0; jogo < 2; ++jogo) {
      Clicar(F().Image1);
      Clicar(F().bt[1]);
      if (jogo == 0) {
        DuploClique(F().Fcan[3]);
        Clicar(F().UpDown1->Acima());
        Clicar(F().UpDown1->Acima());
      } else {
        Clicar(F().bt[3]);  // the first game's candidate is still chosen
      }
      QCOMPARE(Pagina(), QString("adversarios"));
      QCOMPARE(F().UpDown1->Position(), 4);
      QCOMPARE(F().lblNomeJog->text(), QString("Candidato 35"));
      Clicar(F().Image3);
      QVERIFY(!F().Abook->isVisible());
      QCOMPARE(F().Label14->text(), QString("Candidato 35"));
      QCOMPARE(F().Partida.Motor->Candidatos.Count(), 5);
      for (int passos = 0; !F().GraficoPendente(); ++passos) {
        QVERIFY(passos < 60);
        if (formDialog->isVisible())
          Clicar(p_->formDialog.btn);
        else
          Clicar(F().Image4);
      }
      if (formDialog->isVisible()) Clicar(p_->formDialog.btn);
      QTRY_VERIFY(F().imgBtn->isVisible());
      QCOMPARE(Pagina(), QString("Grafico"));
      Clicar(F().imgBtn);
      QCOMPARE(Pagina(), QString("Default"));
    }
  }
};

QTEST_MAIN(TesteSetup)
#include "tst_setup.moc"

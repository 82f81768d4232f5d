// The main window: outline, pages, dragging, close button, activation.
#include <QtTest>

#include "erro.h"
#include "figuras.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "regiao.h"
#include "somwave.h"

class TesteJanela : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  QWindow* Janela() { return F().windowHandle(); }

  void Mostrar() {
    F().show();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
  }

 private slots:
  // "jogo.ini" is read and written in the current folder: use a fresh one.
  void initTestCase() { QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path())); }
  void init() {
    p_ = std::make_unique<TPrograma>();
    F().Imp->SetPicture(FundoPrincipal());
    F().Fim1->SetPicture(Liso(12, 8, qRgb(255, 255, 255)));
    F().Fim2->SetPicture(Liso(12, 8, qRgb(90, 0, 0)));
  }
  void cleanup() { p_.reset(); }

  void startsOnTitlePageWithEmptyGame() {
    QCOMPARE(Form1, &F());
    QCOMPARE(formDialog, &p_->formDialog);
    QVERIFY(!formDialog->isVisible());
    QCOMPARE(F().size(), QSize(650, 198));
    // 192,107 unless the window would leave the screen (offscreen's is
    // 800 x 600): then it moves in just enough.
    QCOMPARE(F().pos(), QPoint(qMin(192, F().screen()->availableGeometry().right() + 1 - 650), 107));
    QVERIFY(F().windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(F().Abook->geometry(), QRect(4, 6, 475, 186));
    QCOMPARE(F().Abook->ActivePage(), QString("Default"));
    QVERIFY(!F().Partida.Motor);
    for (const auto& linha : F().Partida.HistoricoTurno1)
      for (auto v : linha) QCOMPARE(v, 0);
    for (const auto& nome : F().Partida.NomesTurno1) QVERIFY(nome.empty());
  }

  void outlineIsTheNonMagentaPixels() {
    Mostrar();
    const QImage fundo = FundoPrincipal();
    const QRegion m = F().mask();
    for (int y = 0; y < fundo.height(); ++y)
      for (int x = 0; x < fundo.width(); ++x)
        if (m.contains(QPoint(x, y)) == ((fundo.pixel(x, y) | 0xFF000000) == kMagenta))
          QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
    QCOMPARE(F().Fim->Picture().convertToFormat(QImage::Format_RGB32), Liso(12, 8, qRgb(255, 255, 255)));
  }

  void realBackgroundGivesColours() {
    const QImage fundo = FiguraEmbutida(QStringLiteral("Imp.bmp"));
    QVERIFY2(!fundo.isNull(), "the game's artwork must be linked in");
    TPrograma real;
    QCOMPARE(real.Form1.Abook->palette().color(QPalette::Window), QColor(0x64, 0x71, 0x7E));
    real.Form1.show();
    QVERIFY(QTest::qWaitForWindowActive(&real.Form1));
    QCOMPARE(real.Form1.mask(), RegiaoOpaca(fundo));
  }

  void pagesByNameWithoutCase() {
    TNotebook* a = F().Abook;
    QStringList nomes;
    for (int i = 0; i < a->count(); ++i) nomes << a->widget(i)->objectName();
    QCOMPARE(nomes, QStringList({"Default", "Extra", "regras", "Candidatos", "adversarios", "Grafico"}));
    a->SetActivePage("GRAFICO");
    QCOMPARE(a->ActivePage(), QString("Grafico"));
    a->SetActivePage("Pesquisa");
    QCOMPARE(a->ActivePage(), QString("Grafico"));
    a->SetActivePage("candidatos");
    QCOMPARE(a->currentIndex(), 3);
  }

  void pagesCoverTheMusicButtonUntilHidden() {
    Mostrar();
    const QPoint sobreMusica(460, 20);
    QVERIFY(F().Abook->isAncestorOf(F().childAt(sobreMusica)));
    F().Abook->hide();
    QCOMPARE(F().childAt(sobreMusica), F().Image9);
  }

  void dragByBackgroundAndBanner_data() {
    QTest::addColumn<QPoint>("inicio");
    QTest::addColumn<QString>("paginaDepois");
    QTest::newRow("background") << QPoint(560, 120) << "Default";
    QTest::newRow("title banner") << QPoint(200, 100) << "regras";
  }
  void dragByBackgroundAndBanner() {
    QFETCH(QPoint, inicio);
    QFETCH(QString, paginaDepois);
    Mostrar();
    const QPoint antes = F().pos();
    QTest::mousePress(Janela(), Qt::MiddleButton, {}, inicio);
    QTest::mouseMove(Janela(), inicio + QPoint(5, -3));
    QTRY_COMPARE(F().pos(), antes + QPoint(5, -3));
    QCOMPARE(F().Abook->ActivePage(), QString("Default"));
    QTest::mouseRelease(Janela(), Qt::MiddleButton, {}, inicio);
    QCOMPARE(F().Abook->ActivePage(), paginaDepois);
    QTest::mouseMove(Janela(), inicio + QPoint(40, 40));
    QCOMPARE(F().pos(), antes + QPoint(5, -3));
  }

  void closeButtonEndsProgramAndRunsFormDestroy() {
    Mostrar();
    bool pressionado = false, parou = false;
    connect(F().Som, &TSomWave::Parou, this, [&] { parou = true; });
    QTimer::singleShot(0, this, [&] {
      QTest::mousePress(Janela(), Qt::RightButton, {}, QPoint(634, 28));
      pressionado = F().Fim->Picture().convertToFormat(QImage::Format_RGB32) == Liso(12, 8, qRgb(90, 0, 0));
      QTest::mouseRelease(Janela(), Qt::RightButton, {}, QPoint(634, 28));
    });
    QTimer guarda;
    guarda.singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(pressionado);
    QCOMPARE(F().Fim->Picture().convertToFormat(QImage::Format_RGB32), Liso(12, 8, qRgb(255, 255, 255)));
    QVERIFY(!parou);
    p_.reset();
    QVERIFY(parou);
  }

  void closeDuringWaitTakesEffectAfterTheHandler() {
    Mostrar();
    QStringList ordem;
    QObject contexto;
    QTimer::singleShot(0, this, [&] {
      formDialog->Mostrar("Selecione seu candidato!");
      QTimer::singleShot(30, this, [&] {
        F().FimMouseUp();
        ordem << "fechar";
      });
      QTimer::singleShot(150, &contexto, [&] {
        ordem << "ok";
        formDialog->btnMouseUp();
      });
      F().Esperar([] { return formDialog->isVisible(); });
      ordem << "fim da espera";
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    // The close closes the message as its Ok would: no Ok needed.
    QCOMPARE(ordem, QStringList({"fechar", "fim da espera"}));
  }

  void activationAfterDialogRecomputesOutline() {
    Mostrar();
    const QRegion primeira = F().mask();
    F().clearMask();
    formDialog->Mostrar("Você perdeu!");
    QVERIFY(QTest::qWaitForWindowActive(formDialog));
    QTest::mouseClick(formDialog->windowHandle(), Qt::LeftButton, {}, QPoint(120, 90));
    QVERIFY(!formDialog->isVisible());
    QTRY_VERIFY(F().isActiveWindow());
    QTRY_COMPARE(F().mask(), primeira);
  }

  void errorInHandlerIsReportedAndWindowStaysUsable() {
    Mostrar();
    QStringList caixa;
    DefinirCaixaDeErro([&](const QString& t) { caixa << t; });
    auto conexao = connect(F().Imp, &TImagem::MouseUp, this, [] { throw std::runtime_error("falha de teste"); });
    QTest::mouseClick(Janela(), Qt::LeftButton, {}, QPoint(560, 120));
    disconnect(conexao);
    DefinirCaixaDeErro({});
    QCOMPARE(caixa, QStringList{"falha de teste"});
    const QPoint antes = F().pos();
    QTest::mousePress(Janela(), Qt::LeftButton, {}, QPoint(560, 120));
    QTest::mouseMove(Janela(), QPoint(570, 120));
    QTest::mouseRelease(Janela(), Qt::LeftButton, {}, QPoint(560, 120));  // the pointer stays put on the picture
    QTRY_COMPARE(F().pos(), antes + QPoint(10, 0));
  }
};

int main(int argc, char** argv) {
  TAplicacao app(argc, argv);
  TesteJanela t;
  return QTest::qExec(&t, argc, argv);
}
#include "tst_janela.moc"

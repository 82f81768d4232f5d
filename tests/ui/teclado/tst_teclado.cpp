// The game played from the keyboard alone: keys go to the window that has
// the keyboard, as the desktop sends them, and the focus ring is checked on
// the window's own pixels.
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "aleatorio.h"
#include "anel_foco.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "rotulo.h"
#include "somwave.h"
#include "updown.h"

// Stands in for the browser: records the addresses it is asked to open.
class TNavegador : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> abertos;
 public slots:
  void Abrir(const QUrl& url) { abertos << url; }
};

class TesteTeclado : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  TformDialog& D() { return p_->formDialog; }
  // Mouse signals of the windows' pictures and link: a key presses a
  // control through its own press and release, never by one of these.
  int sinaisDoMouse_ = 0;
  bool comMouse_ = false;  // the test uses the mouse as well

  void Abrir() {
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    EspiarMouse();
    F().show();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
    QTRY_VERIFY(!F().Som->Fonte().isEmpty());  // the start-up music has been asked for
  }
  void EspiarMouse() {
    const auto contar = [this] { ++sinaisDoMouse_; };
    for (TImagem* f : F().findChildren<TImagem*>() + D().findChildren<TImagem*>()) {
      connect(f, &TImagem::MouseDown, this, contar);
      connect(f, &TImagem::MouseMove, this, contar);
      connect(f, &TImagem::MouseUp, this, contar);
      connect(f, &TImagem::DblClick, this, contar);
    }
    for (TRotuloClicavel* r : F().findChildren<TRotuloClicavel*>())
      connect(r, &TRotuloClicavel::MouseDown, this, contar);
  }
  // An auto-repeat of a held key, as X sends it: a release and a press.
  void Repetir(int tecla) {
    for (QEvent::Type tipo : {QEvent::KeyRelease, QEvent::KeyPress}) {
      QKeyEvent e(tipo, tecla, Qt::NoModifier, QString(), true);
      QApplication::sendEvent(F().focusWidget(), &e);
    }
  }
  // The window that has the keyboard: the message while one is up.
  QWidget* Ativa() { return D().isVisible() ? static_cast<QWidget*>(&D()) : &F(); }
  // A key pressed and released, sent where the desktop sends it.
  void Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* janela = Ativa();
    QTRY_COMPARE(QGuiApplication::focusWindow(), janela->windowHandle());
    QTest::keyClick(janela->windowHandle(), Qt::Key(tecla), mods);
  }
  // What a window manager does when a dialog of the window closes.
  void Reativar() {
    F().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
  }
  void FecharMensagem() {
    if (!D().isVisible()) return;
    Tecla(Qt::Key_Return);
    QVERIFY(!D().isVisible());
  }
  QString Pagina() { return F().Abook->ActivePage(); }
  QWidget* Foco() { return F().focusWidget(); }

  // The ring around `w`: the yellow at the middle of each of its sides.
  void AnelEm(QWidget* w) {
    auto* anel = F().findChild<TAnelFoco*>("AnelFoco");
    QVERIFY(anel);
    QVERIFY(anel->isVisible());
    QCOMPARE(anel->Alvo(), w);
    QCOMPARE(Foco(), w);
    const QImage g = F().grab().toImage();
    for (QPoint p : Lados(w)) QCOMPARE(g.pixel(p) | 0xFF000000, TAnelFoco::kCor);
  }
  // Points on the ring of `w`, in the window.
  QList<QPoint> Lados(QWidget* w) {
    const int d = TAnelFoco::kLargura;
    QRect r = w->geometry().adjusted(-d, -d, d, d) & w->parentWidget()->rect();
    r.moveTopLeft(w->parentWidget()->mapTo(&F(), r.topLeft()));
    const QPoint c = r.center();
    return {{r.left(), c.y()}, {r.right(), c.y()}, {c.x(), r.top()}, {c.x(), r.bottom()}};
  }
  static bool Igual(TImagem* a, TImagem* b) {
    return a->Picture().convertToFormat(QImage::Format_RGB32) == b->Picture().convertToFormat(QImage::Format_RGB32);
  }
  bool Marcada(int i) { return F().Trava[i]->Picture() == F().Tic1->Picture(); }
  // Title page to the opponents page, choosing slot `slot` by its photo.
  void AteAdversarios(int slot) {
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Right);
    QCOMPARE(Pagina(), QString("Candidatos"));
    for (int i = 1; i < slot; ++i)
      for (int t = 0; t < 3; ++t) Tecla(Qt::Key_Tab);
    QCOMPARE(Foco(), F().Fcan[slot]);
    Tecla(Qt::Key_Return);
    QCOMPARE(Pagina(), QString("adversarios"));
  }
  void Comecar() {
    AteAdversarios(1);
    Tecla(Qt::Key_Enter);
    QVERIFY(!F().Abook->isVisible());
    QVERIFY(F().Partida.Motor);
  }

 private slots:
  void initTestCase() { QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path())); }
  void init() {
    sinaisDoMouse_ = 0;
    comMouse_ = false;
    Abrir();
    varzeno::RandSeed(5);
  }
  void cleanup() {
    p_.reset();
    if (!comMouse_) QCOMPARE(sinaisDoMouse_, 0);
  }

  void aWholeGameFromTheTitlePageAndBackByKeysAlone() {
    varzeno::RandSeed(77);
    for (int jogo = 0; jogo < 2; ++jogo) {
      QCOMPARE(Pagina(), QString("Default"));
      QCOMPARE(Foco(), F().Image1);
      Tecla(Qt::Key_Return);
      QCOMPARE(Pagina(), QString("regras"));
      Tecla(Qt::Key_Right);
      QCOMPARE(Pagina(), QString("Candidatos"));
      if (jogo == 0) {
        for (int t = 0; t < 3; ++t) Tecla(Qt::Key_Tab);
        QCOMPARE(Foco(), F().Fcan[2]);
        Tecla(Qt::Key_Space);
        Tecla(Qt::Key_Up);
        Tecla(Qt::Key_Up);
      } else {
        Tecla(Qt::Key_PageDown);  // the first game's candidate is still chosen
      }
      QCOMPARE(Pagina(), QString("adversarios"));
      QCOMPARE(F().lblNomeJog->text(), QString("Candidato 25"));
      QCOMPARE(F().UpDown1->Position(), 4);
      Tecla(Qt::Key_Return);
      QVERIFY(!F().Abook->isVisible());
      QCOMPARE(F().Label14->text(), QString("Candidato 25"));
      QCOMPARE(F().Partida.Motor->Candidatos.Count(), 5);
      // Each week a different mark, then the confirm; messages closed by key.
      const int marcas[4] = {Qt::Key_1, Qt::Key_0, Qt::Key_3, Qt::Key_N};
      int tentativas = 0;
      for (int passo = 0; !F().GraficoPendente(); ++passo) {
        QVERIFY(passo < 200);
        if (D().isVisible()) {
          Tecla(Qt::Key_Return);
          QVERIFY(!D().isVisible());
          continue;
        }
        Tecla(marcas[tentativas++ % 4]);
        Tecla(Qt::Key_Space);
      }
      QVERIFY(tentativas >= 20);
      QVERIFY(D().isVisible());
      const QString resultado = D().lblMensagem->text();
      QVERIFY(resultado == "Você ganhou!" || resultado == "Você perdeu!");
      Tecla(Qt::Key_Escape);
      QTRY_VERIFY(F().imgBtn->isVisible());
      QCOMPARE(Pagina(), QString("Grafico"));
      AnelEm(F().imgBtn);
      Tecla(Qt::Key_Return);
      QCOMPARE(Pagina(), QString("Default"));
      AnelEm(F().Image1);
    }
  }

  void pageKeysPressTheArrowsWithTheirGuard() {
    Tecla(Qt::Key_Space);
    QCOMPARE(Pagina(), QString("regras"));
    Tecla(Qt::Key_Left);
    QCOMPARE(Pagina(), QString("Default"));
    Tecla(Qt::Key_PageDown);
    QCOMPARE(Pagina(), QString("regras"));
    Tecla(Qt::Key_PageDown);
    QCOMPARE(Pagina(), QString("Candidatos"));
    Tecla(Qt::Key_PageUp);
    QCOMPARE(Pagina(), QString("regras"));
    // Held, the arrow shows its pressed look; it acts on the release.
    QTest::keyPress(F().windowHandle(), Qt::Key_Right);
    QCOMPARE(F().bt[1]->Picture(), F().sdir2->Picture());
    QCOMPARE(Pagina(), QString("regras"));
    QTest::keyRelease(F().windowHandle(), Qt::Key_Right);
    QCOMPARE(F().bt[1]->Picture(), F().sdir1->Picture());
    QCOMPARE(Pagina(), QString("Candidatos"));

    // Forward with no candidate chosen: the message, answered by key from
    // inside the wait, and the page stays.
    bool respondeu = false;
    QTimer::singleShot(50, this, [&] {
      QVERIFY(D().isVisible());
      QCOMPARE(D().lblMensagem->text(), QString("Selecione seu candidato!"));
      Tecla(Qt::Key_Space);
      respondeu = true;
    });
    Tecla(Qt::Key_Right);
    QVERIFY(respondeu);
    QVERIFY(!D().isVisible());
    QCOMPARE(Pagina(), QString("Candidatos"));
    AnelEm(F().Fcan[1]);

    Tecla(Qt::Key_Return);  // choose slot 1
    QCOMPARE(Pagina(), QString("adversarios"));
    AnelEm(F().Image3);
    Tecla(Qt::Key_Left);
    QCOMPARE(Pagina(), QString("Candidatos"));
    Tecla(Qt::Key_Right);
    QCOMPARE(Pagina(), QString("adversarios"));
    Tecla(Qt::Key_Right);  // no forward arrow here
    QCOMPARE(Pagina(), QString("adversarios"));
    Tecla(Qt::Key_PageUp);
    QCOMPARE(Pagina(), QString("Candidatos"));
  }

  void rulesPageScrollsAndOpensTheLink() {
    TNavegador navegador;
    const QStringList esquemas{"file", "http", "https"};
    for (const QString& e : esquemas) QDesktopServices::setUrlHandler(e, &navegador, "Abrir");
    const auto desfazer = qScopeGuard([&] {
      for (const QString& e : esquemas) QDesktopServices::unsetUrlHandler(e);
    });
    Tecla(Qt::Key_Return);
    auto* regras = F().findChild<QScrollArea*>("ScrollBox1");
    AnelEm(regras);
    QScrollBar* barra = regras->verticalScrollBar();
    QCOMPARE(barra->value(), 0);
    Tecla(Qt::Key_Down);
    QVERIFY(barra->value() > 0);
    Tecla(Qt::Key_End);
    QCOMPARE(barra->value(), barra->maximum());
    Tecla(Qt::Key_Home);
    QCOMPARE(barra->value(), 0);
    Tecla(Qt::Key_Return);  // on the text itself: nothing to press
    QVERIFY(navegador.abertos.isEmpty());
    Tecla(Qt::Key_Tab);
    QCOMPARE(Foco(), static_cast<QWidget*>(F().Label36));
    // The link is at the bottom of the rules: the box scrolled to it.
    QVERIFY(barra->value() > 0);
    AnelEm(F().Label36);
    Tecla(Qt::Key_Space);
    QCOMPARE(navegador.abertos.size(), 1);
    Tecla(Qt::Key_Tab);
    QCOMPARE(Foco(), static_cast<QWidget*>(regras));
  }

  void candidatesTabThroughEachSlotAndTheBoxFollows() {
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Right);
    auto* caixa = F().findChild<QScrollArea*>("ScrollBox2");
    AnelEm(F().Fcan[1]);
    const QPoint antes = Lados(F().Fcan[1])[0];
    QList<QWidget*> ordem;
    for (int k = 1; k <= 6; ++k) ordem << F().Fcan[k] << F().Mq[k] << F().Ncan[k];
    for (int i = 1; i <= ordem.size(); ++i) {
      Tecla(Qt::Key_Tab);
      QWidget* w = ordem[i % ordem.size()];
      QCOMPARE(Foco(), w);
      // Wholly in view, ring included.
      const QRect r(w->mapTo(caixa->viewport(), QPoint(-2, -2)), w->size() + QSize(4, 4));
      QVERIFY2(caixa->viewport()->rect().contains(r), qPrintable(w->objectName()));
      AnelEm(w);
      if (i == 1) QVERIFY((F().grab().toImage().pixel(antes) | 0xFF000000) != TAnelFoco::kCor);  // moved on
      if (w == F().Fcan[6]) QVERIFY(caixa->verticalScrollBar()->value() > 0);
    }
    QCOMPARE(caixa->verticalScrollBar()->value(), 0);  // back at slot 1
    Tecla(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(Foco(), F().Ncan[6]);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Foco(), F().Mq[6]);

    // The camera button: pressed look while held, the photo dialog on release.
    int pedidos = 0;
    F().EscolhaDeFoto = [&] {
      ++pedidos;
      return QString();
    };
    QTest::keyPress(F().windowHandle(), Qt::Key_Space);
    QCOMPARE(F().Mq[6]->Picture(), F().maq2->Picture());
    QCOMPARE(pedidos, 0);
    QTest::keyRelease(F().windowHandle(), Qt::Key_Space);
    QCOMPARE(F().Mq[6]->Picture(), F().maq1->Picture());
    QCOMPARE(pedidos, 1);
    Tecla(Qt::Key_Tab, Qt::ShiftModifier);
    Tecla(Qt::Key_Return);  // the photo of slot 6
    QCOMPARE(Pagina(), QString("adversarios"));
    QCOMPARE(F().lblNomeJog->text(), QString("Candidato 65"));
    QCOMPARE(F().Image2->Picture(), F().Fcan[6]->Picture());
  }

  void inANameBoxTheKeysWrite() {
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Tab);
    Tecla(Qt::Key_Tab);
    QLineEdit* nome = F().Ncan[1];
    AnelEm(nome);
    nome->setCursorPosition(3);
    Tecla(Qt::Key_Left);
    QCOMPARE(nome->cursorPosition(), 2);
    Tecla(Qt::Key_Right);
    Tecla(Qt::Key_Right);
    QCOMPARE(nome->cursorPosition(), 4);
    QCOMPARE(Pagina(), QString("Candidatos"));
    nome->setCursorPosition(nome->text().size());
    for (int t : {int(Qt::Key_Space), int(Qt::Key_M), int(Qt::Key_7), int(Qt::Key_N), int(Qt::Key_0)}) Tecla(t);
    QCOMPARE(nome->text(), QString("Candidato 15 m7n0"));
    Tecla(Qt::Key_Return);  // nothing to press here
    QCOMPARE(Pagina(), QString("Candidatos"));
    QCOMPARE(F().lblNomeJog->text(), QString("Seu Nome"));
    Tecla(Qt::Key_PageUp);  // the page keys still turn the page
    QCOMPARE(Pagina(), QString("regras"));
  }

  void opponentsSpinnerStopsAtItsEndsAndEnterStarts() {
    AteAdversarios(3);
    const QImage faixa = F().Dig->Picture().copy();
    auto mostrado = [&] { return F().Dig->Picture().copy(0, 0, 17, 29); };
    Tecla(Qt::Key_Down);
    QCOMPARE(F().UpDown1->Position(), 2);
    QCOMPARE(mostrado(), faixa.copy(17, 0, 17, 29));
    for (int i = 0; i < 5; ++i) Tecla(Qt::Key_Up);
    QCOMPARE(F().UpDown1->Position(), 5);
    QCOMPARE(mostrado(), faixa.copy(68, 0, 17, 29));
    Tecla(Qt::Key_Down);
    QCOMPARE(F().UpDown1->Position(), 4);
    QCOMPARE(mostrado(), faixa.copy(51, 0, 17, 29));
    QTest::keyPress(F().windowHandle(), Qt::Key_Return);
    QCOMPARE(F().Image3->Picture(), F().Image6->Picture());
    QVERIFY(F().Abook->isVisible());
    QTest::keyRelease(F().windowHandle(), Qt::Key_Return);
    QCOMPARE(F().Image3->Picture(), F().Image5->Picture());
    QVERIFY(!F().Abook->isVisible());
    QCOMPARE(F().Partida.Motor->Candidatos.Count(), 5);
    QCOMPARE(F().Label14->text(), QString("Candidato 35"));
  }

  void playAreaMarksAndConfirm() {
    Comecar();
    QCOMPARE(F().Escolha, uint8_t(0));
    AnelEm(F().Trava[3]);  // the mark of doing nothing, though not ticked yet
    const struct {
      int tecla;
      Qt::KeyboardModifiers mods;
      uint8_t escolha;
    } passos[] = {{Qt::Key_2, {}, 2},
                  {Qt::Key_0, {}, 0},
                  {Qt::Key_3, {}, 3},
                  {Qt::Key_Up, {}, 2},
                  {Qt::Key_Up, {}, 1},
                  {Qt::Key_Up, {}, 1},
                  {Qt::Key_N, {}, 0},
                  {Qt::Key_Down, {}, 0},
                  {Qt::Key_Up, {}, 3},
                  {Qt::Key_Down, {}, 0},
                  {Qt::Key_1, Qt::KeypadModifier, 1},
                  {Qt::Key_N, Qt::ShiftModifier, 0}};
    for (const auto& p : passos) {
      Tecla(p.tecla, p.mods);
      QCOMPARE(F().Escolha, p.escolha);
      const int i = p.escolha == 0 ? 3 : p.escolha - 1;
      for (int j = 0; j < 4; ++j) QCOMPARE(Marcada(j), j == i);
      AnelEm(F().Trava[i]);
    }
    Tecla(Qt::Key_Return);
    QCOMPARE(F().Partida.Motor->Semanas, 19);
    FecharMensagem();  // an adverse event may open the week
    QTest::keyPress(F().windowHandle(), Qt::Key_Space);
    QCOMPARE(F().Image4->Picture(), F().Image8->Picture());
    QCOMPARE(F().Partida.Motor->Semanas, 19);
    QTest::keyRelease(F().windowHandle(), Qt::Key_Space);
    QCOMPARE(F().Image4->Picture(), F().Image7->Picture());
    QCOMPARE(F().Partida.Motor->Semanas, 18);
    // Tab: the mark, the confirm button, the music button, round again.
    FecharMensagem();
    Tecla(Qt::Key_Tab);
    AnelEm(F().Image4);
    Tecla(Qt::Key_Enter);
    QCOMPARE(F().Partida.Motor->Semanas, 17);
    FecharMensagem();
    Tecla(Qt::Key_Tab);
    AnelEm(F().Image9);
    Tecla(Qt::Key_Tab);
    AnelEm(F().Trava[3]);
    // A mark ticked with the mouse takes the focus along.
    comMouse_ = true;
    QTest::mouseClick(F().windowHandle(), Qt::LeftButton, {}, F().Trava[1]->geometry().center());
    QCOMPARE(F().Escolha, uint8_t(2));
    AnelEm(F().Trava[1]);
  }

  void whileAMessageIsUpTheConfirmKeysDoNothing() {
    Comecar();
    F().Partida.Motor->Dinheiro = -1000000;  // any action is refused
    Tecla(Qt::Key_1);
    Tecla(Qt::Key_Return);
    QVERIFY(D().isVisible());
    QCOMPARE(D().lblMensagem->text(), QString("Sem dinheiro Suficiente"));
    QCOMPARE(F().Partida.Motor->Semanas, 20);
    // Keys the main window still gets meanwhile (clicked back into): the
    // confirm is ignored, the marks answer as they do to the mouse.
    for (int t : {int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Enter)}) {
      QTest::keyClick(F().windowHandle(), Qt::Key(t));
      QCOMPARE(F().Partida.Motor->Semanas, 20);
      QVERIFY(D().isVisible());
    }
    QTest::keyClick(F().windowHandle(), Qt::Key_0);
    QCOMPARE(F().Escolha, uint8_t(0));
    Tecla(Qt::Key_Return);  // the message's Ok
    QVERIFY(!D().isVisible());
    Tecla(Qt::Key_Return);
    QCOMPARE(F().Partida.Motor->Semanas, 19);
  }

  // The key and the click reach the same release of the confirm, and the
  // button's own check refuses both while the message is up.
  void aKeyOnTheConfirmIsRefusedAsAClickIsWhileAMessageIsUp() {
    Comecar();
    F().Partida.Motor->Dinheiro = -1000000;
    Tecla(Qt::Key_1);
    Tecla(Qt::Key_Return);
    QVERIFY(D().isVisible());
    QSignalSpy soltos(F().Image4, &TImagem::Solta);
    comMouse_ = true;
    QTest::mouseClick(F().windowHandle(), Qt::LeftButton, {}, F().Image4->geometry().center());
    QCOMPARE(soltos.size(), 1);
    QCOMPARE(F().Partida.Motor->Semanas, 20);
    const int doMouse = sinaisDoMouse_;
    QVERIFY(doMouse >= 2);  // the click's press and release
    QTest::keyClick(F().windowHandle(), Qt::Key_Return);
    QCOMPARE(soltos.size(), 2);
    QCOMPARE(sinaisDoMouse_, doMouse);  // the key sent none
    QCOMPARE(F().Partida.Motor->Semanas, 20);
    QCOMPARE(F().Image4->Picture(), F().Image7->Picture());
    QVERIFY(D().isVisible());
    QCOMPARE(D().lblMensagem->text(), QString("Sem dinheiro Suficiente"));
  }

  // Held, the confirm shows its pressed look through the key's repeats; it
  // acts once, on the release.
  void aHeldKeyPressesOnceAndActsOnceOnRelease() {
    Comecar();
    FecharMensagem();
    QSignalSpy premidos(F().Image4, &TImagem::Premida);
    QSignalSpy soltos(F().Image4, &TImagem::Solta);
    QTest::keyPress(F().windowHandle(), Qt::Key_Space);
    for (int i = 0; i < 5; ++i) Repetir(Qt::Key_Space);
    QCOMPARE(F().Image4->Picture(), F().Image8->Picture());
    QCOMPARE(premidos.size(), 1);
    QCOMPARE(soltos.size(), 0);
    QCOMPARE(F().Partida.Motor->Semanas, 20);
    QTest::keyRelease(F().windowHandle(), Qt::Key_Space);
    QCOMPARE(soltos.size(), 1);
    QCOMPARE(premidos.size(), 1);
    QCOMPARE(F().Image4->Picture(), F().Image7->Picture());
    QCOMPARE(F().Partida.Motor->Semanas, 19);
  }

  // Enter on the title banner while the mouse drags the window by it: the
  // drag goes on from where the mouse took it (a key is no mouse press that
  // would move its anchor), and the release opens the rules.
  void aKeyOnTheBannerLeavesTheMouseDragAlone() {
    comMouse_ = true;
    const QPoint inicio(200, 100);
    const QPoint antes = F().pos();
    QTest::mousePress(F().windowHandle(), Qt::LeftButton, {}, inicio);
    QTest::keyPress(F().windowHandle(), Qt::Key_Return);
    QVERIFY(F().Arrastando);
    QTest::mouseMove(F().windowHandle(), inicio + QPoint(5, -3));
    QTRY_COMPARE(F().pos(), antes + QPoint(5, -3));
    QCOMPARE(Pagina(), QString("Default"));
    QTest::keyRelease(F().windowHandle(), Qt::Key_Return);
    QCOMPARE(Pagina(), QString("regras"));
    QTest::mouseRelease(F().windowHandle(), Qt::LeftButton, {}, inicio);
    QCOMPARE(F().pos(), antes + QPoint(5, -3));
  }

  void chartOkAnswersOnlyOnceItShows_data() {
    QTest::addColumn<int>("tecla");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Enter numerico") << int(Qt::Key_Enter);
    QTest::newRow("Espaco") << int(Qt::Key_Space);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
  }
  void chartOkAnswersOnlyOnceItShows() {
    QFETCH(int, tecla);
    F().PausaGrafico = 10;
    Comecar();
    F().Partida.Motor->Semanas = 0;  // the next confirm decides the round
    Tecla(Qt::Key_Return);
    QVERIFY(D().isVisible());
    Tecla(Qt::Key_Return);  // the result's Ok: the chart starts drawing
    QVERIFY(F().GraficoPendente());
    QCOMPARE(Pagina(), QString("Grafico"));
    auto* anel = F().findChild<TAnelFoco*>("AnelFoco");
    QVERIFY(!anel->isVisible());  // nothing to press yet
    Tecla(tecla);
    QVERIFY(F().GraficoPendente());
    QCOMPARE(Pagina(), QString("Grafico"));
    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    AnelEm(F().imgBtn);
    Tecla(tecla);
    QCOMPARE(Pagina(), QString("Default"));
    QVERIFY(!F().imgBtn->isVisible());
    AnelEm(F().Image1);
  }

  void musicKeyOnlyWhereTheButtonCanBeReached() {
    int aberturas = 0;
    auto* vigia = new QTimer(this);
    connect(vigia, &QTimer::timeout, this, [&] {
      if (F().OpenMp3 && F().OpenMp3->isVisible()) {
        ++aberturas;
        F().OpenMp3->reject();
      }
    });
    vigia->start(20);
    Tecla(Qt::Key_M);  // the title page covers the button
    QTest::qWait(60);
    QCOMPARE(aberturas, 0);
    QVERIFY(!F().OpenMp3);
    Comecar();
    Tecla(Qt::Key_M);
    QCOMPARE(aberturas, 1);
    Reativar();
    Tecla(Qt::Key_Tab);
    Tecla(Qt::Key_Tab);
    AnelEm(F().Image9);
    Tecla(Qt::Key_Space);
    QCOMPARE(aberturas, 2);
    Reativar();
    QCOMPARE(F().Partida.Motor->Semanas, 20);  // the confirm was not pressed
    delete vigia;
  }

  // Last: ending the program's loop leaves it ended for what would follow.
  void ctrlQIsTheCloseButton_data() {
    QTest::addColumn<bool>("comMensagem");
    QTest::newRow("na janela") << false;
    QTest::newRow("com uma mensagem") << true;
  }
  void ctrlQIsTheCloseButton() {
    QFETCH(bool, comMensagem);
    if (comMensagem) {
      D().Mostrar("Uma mensagem");
      QVERIFY(QTest::qWaitForWindowActive(&D()));
    }
    bool pressionado = false;
    QTimer::singleShot(0, this, [&] {
      QWindow* janela = Ativa()->windowHandle();
      QTest::keyPress(janela, Qt::Key_Q, Qt::ControlModifier);
      pressionado = Igual(F().Fim, F().Fim2);
      QTest::keyRelease(janela, Qt::Key_Q, Qt::ControlModifier);
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(pressionado);
    QVERIFY(Igual(F().Fim, F().Fim1));
    p_.reset();  // the window goes, writing the candidates
    QVERIFY(QFileInfo("jogo.ini").size() > 0);
    QVERIFY(QFile::remove("jogo.ini"));
  }
};

QTEST_MAIN(TesteTeclado)
#include "tst_teclado.moc"

// The game under a real window manager (openbox in Xvfb, see com_openbox.sh):
// what the manager is told about the windows, where they are placed, how the
// manager's ways of closing the message act, and that a closed dialog leaves
// nothing on screen. Input goes through the X server (xdotool, wmctrl) as a
// player's and a manager's would.
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "dialogo_fotos.h"
#include "erro.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "roteiro.h"
#include "tela.h"
#include "tocador.h"
#include "updown.h"

using varzeno::teste::TComRoteiro;

namespace {

QString Rodar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    qWarning() << programa << argumentos << "failed:" << p.readAllStandardError();
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString Id(const QWidget* w) { return QStringLiteral("0x%1").arg(w->winId(), 0, 16); }

QString Propriedade(const QWidget* w, const char* nome) {
  return Rodar("xprop", {"-id", Id(w), QString::fromLatin1(nome)});
}

// The window the manager says is active (_NET_ACTIVE_WINDOW on the root).
WId JanelaAtivaDoGerenciador() {
  const QString saida = Rodar("xprop", {"-root", "_NET_ACTIVE_WINDOW"});
  return saida.section(QLatin1Char('#'), 1).trimmed().section(QLatin1Char(','), 0, 0).toULongLong(nullptr, 16);
}

// Whether the server shows the window: "IsViewable" in xwininfo.
bool Mapeada(WId id) {
  return Rodar("xwininfo", {"-id", QStringLiteral("0x%1").arg(id, 0, 16)}).contains("IsViewable");
}

// The window's top left corner on the screen, as the server has it.
QPoint NoServidor(const QWidget* w) {
  const QString info = Rodar("xwininfo", {"-id", Id(w)});
  const QRegularExpression x("Absolute upper-left X:\\s+(-?\\d+)"), y("Absolute upper-left Y:\\s+(-?\\d+)");
  return {x.match(info).captured(1).toInt(), y.match(info).captured(1).toInt()};
}

// A press and release of the first button through the server, at the
// centre of `w`: it reaches whatever window is on top there.
void ClicarDeVerdade(const QWidget* w) {
  const QPoint g = w->mapToGlobal(w->rect().center());
  // From a point beside it: "--sync" waits for a motion, and would wait
  // for ever with the pointer already there.
  Rodar("xdotool", {"mousemove", QString::number(g.x() + 1), QString::number(g.y() + 1), "mousemove", "--sync",
                    QString::number(g.x()), QString::number(g.y()), "click", "1"});
}

// The Qt windows of this process that the server shows.
QStringList JanelasMapeadas() {
  QStringList nomes;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->testAttribute(Qt::WA_WState_Created) && Mapeada(w->winId()))
      nomes << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
  nomes.sort();
  return nomes;
}

// Counts the messages shown: every showing of the dialog that is not its
// coming back from being minimised.
class TContaMensagens : public QObject {
 public:
  int vezes = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show && !e->spontaneous()) ++vezes;
    return false;
  }
};

}  // namespace

class TesteGerenciador : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  QStringList erros_;
  TForm1& F() { return p_->Form1; }
  TformDialog& D() { return p_->formDialog; }

  void Clicar(QWidget* w) {
    QWidget* janela = w->window();
    QTest::mouseClick(janela->windowHandle(), Qt::LeftButton, {}, w->mapTo(janela, w->rect().center()));
  }
  void Comecar() {
    F().lblNomeJog->setText("Eu");
    F().UpDown1->SetPosition(2);
    F().Abook->show();
    F().Abook->SetActivePage("adversarios");
    Clicar(F().Image3);
    QVERIFY(F().Partida.Motor);
  }
  // The next confirm wins the first round outright.
  void RodadaGanha() {
    auto& m = *F().Partida.Motor;
    m.Semanas = 0;
    m.Popularidade = 50;
    TComRoteiro r{0};
    m.CalcularPesquisa();
  }
  void MensagemAtiva() {
    QVERIFY(QTest::qWaitForWindowActive(&D()));
    QTRY_VERIFY(Mapeada(D().winId()));
    // The manager's own idea of the focus, which its Alt+F4 acts on, may
    // come after Qt's on a busy machine.
    QTRY_VERIFY(JanelaAtivaDoGerenciador() == D().winId());
  }
  // Runs the event loop until the program ends; false if it does not end
  // within five seconds.
  bool TerminaEmAte5s(const std::function<void()>& acao) {
    QTimer::singleShot(0, this, acao);
    QTimer guarda;
    guarda.setSingleShot(true);
    connect(&guarda, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guarda.start(5000);
    return QApplication::exec() == 0;
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    QVERIFY2(Rodar("wmctrl", {"-m"}).contains("Openbox"), "needs openbox running (com_openbox.sh)");
    DefinirCaixaDeErro([this](const QString& t) { erros_ << t; });
  }
  void init() {
    erros_.clear();
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 1;
    F().show();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
  }
  void cleanup() {
    p_.reset();
    QVERIFY2(erros_.isEmpty(), qPrintable(erros_.join('\n')));
  }

  void windowsTellTheManagerTheirFixedSizeAndOwner() {
    D().Mostrar("Sem dinheiro Suficiente");
    MensagemAtiva();
    // The message belongs to the main window, stays on top, has no frame.
    QCOMPARE(Propriedade(&D(), "WM_TRANSIENT_FOR").trimmed(),
             QStringLiteral("WM_TRANSIENT_FOR(WINDOW): window id # %1").arg(Id(&F())));
    QVERIFY(Propriedade(&D(), "_NET_WM_WINDOW_TYPE").contains("_NET_WM_WINDOW_TYPE_DIALOG"));
    QVERIFY(Propriedade(&D(), "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
    QVERIFY(Propriedade(&F(), "WM_TRANSIENT_FOR").contains("not found"));
    // Minimum and maximum sizes are the same: openbox then allows neither
    // resizing nor maximising.
    for (auto [w, tamanho] : {std::pair<QWidget*, QString>{&F(), "650 by 198"}, {&D(), "270 by 120"}}) {
      const QString dicas = Propriedade(w, "WM_NORMAL_HINTS");
      QVERIFY2(dicas.contains("minimum size: " + tamanho) && dicas.contains("maximum size: " + tamanho),
               qPrintable(dicas));
      const QString acoes = Propriedade(w, "_NET_WM_ALLOWED_ACTIONS");
      QVERIFY2(acoes.contains("_NET_WM_ACTION_CLOSE"), qPrintable(acoes));
      QVERIFY2(!acoes.contains("MAXIMIZE") && !acoes.contains("_NET_WM_ACTION_RESIZE"), qPrintable(acoes));
    }
  }

  // Run on a 1024 x 768 and on an 800 x 600 screen.
  void placedWhollyOnTheScreen() {
    D().Mostrar("Onde?");
    MensagemAtiva();
    const QRect area = F().screen()->availableGeometry();
    const QPoint principal = PosicaoQueCabe({192, 107}, {650, 198}, area);
    const QPoint dialogo = PosicaoQueCabe({401, 173}, {270, 120}, area);
    QCOMPARE(NoServidor(&F()), principal);
    QCOMPARE(NoServidor(&D()), dialogo);
    if (area.width() >= 842) QCOMPARE(principal, QPoint(192, 107));
    if (area.width() == 800) QCOMPARE(principal, QPoint(150, 107));
    QCOMPARE(dialogo, QPoint(401, 173));
    // The close button can be reached.
    QVERIFY(area.contains(QRect(F().Fim->mapToGlobal(QPoint(0, 0)), F().Fim->size())));
  }

  // Dragged by its background through the server, the message follows the
  // pointer and is shown there next time; the manager does not put it back.
  void messageDraggedStaysWhereLeft() {
    D().Mostrar("Arraste-me");
    MensagemAtiva();
    const QPoint antes = NoServidor(&D());
    const QPoint g = D().mapToGlobal(QPoint(30, 100));
    auto n = [](int v) { return QString::number(v); };
    Rodar("xdotool", {"mousemove", "--sync", n(g.x()), n(g.y()), "mousedown", "1"});
    Rodar("xdotool", {"mousemove", "--sync", n(g.x() + 40), n(g.y() - 30), "mouseup", "1"});
    QTRY_COMPARE(NoServidor(&D()), antes + QPoint(40, -30));
    D().Ok();
    QTRY_VERIFY(!Mapeada(D().winId()));
    D().Mostrar("De novo");
    MensagemAtiva();
    QCOMPARE(NoServidor(&D()), antes + QPoint(40, -30));
  }

  void minimisedWithTheMainWindowAndStillWaiting() {
    QSignalSpy escondido(&D(), &TformDialog::Escondido);
    D().Mostrar("Espere");
    MensagemAtiva();
    Rodar("xdotool", {"windowminimize", Id(&F())});
    QTRY_VERIFY(!Mapeada(F().winId()));
    QTRY_VERIFY(!Mapeada(D().winId()));
    // Still the message the game waits on.
    QVERIFY(D().isVisible());
    QCOMPARE(escondido.size(), 0);
    Rodar("wmctrl", {"-i", "-a", Id(&F())});
    QTRY_VERIFY(Mapeada(F().winId()));
    QTRY_VERIFY(Mapeada(D().winId()));
    QCOMPARE(escondido.size(), 0);
  }

  void theResultClosedAnyWayStartsTheChart_data() {
    QTest::addColumn<QString>("modo");
    for (const char* modo : {"wmctrl -c", "Alt+F4", "Escape", "Enter", "botao", "hide"}) QTest::newRow(modo) << modo;
  }
  void theResultClosedAnyWayStartsTheChart() {
    QFETCH(QString, modo);
    Comecar();
    RodadaGanha();
    TContaMensagens mensagens;
    D().installEventFilter(&mensagens);
    QSignalSpy escondido(&D(), &TformDialog::Escondido);
    Clicar(F().Image4);
    QCOMPARE(D().lblMensagem->text(), QString("Você ganhou!"));
    MensagemAtiva();
    if (modo == "wmctrl -c")
      Rodar("wmctrl", {"-i", "-c", Id(&D())});  // _NET_CLOSE_WINDOW, as pagers and taskbars send
    else if (modo == "Alt+F4")
      Rodar("xdotool", {"key", "alt+F4"});
    else if (modo == "Escape" || modo == "Enter")
      Rodar("xdotool", {"key", modo == "Enter" ? "Return" : modo});
    else if (modo == "botao")
      ClicarDeVerdade(D().btn);
    else
      D().hide();
    // Alt+F4 closes the window the manager holds active; should the message
    // stay, say which that was (seen once on a busy machine).
    const auto onde = [this] {
      return QStringLiteral("the manager's active window 0x%1; the message 0x%2, the main window 0x%3")
          .arg(JanelaAtivaDoGerenciador(), 0, 16)
          .arg(D().winId(), 0, 16)
          .arg(F().winId(), 0, 16);
    };
    QTRY_VERIFY2(!D().isVisible(), qPrintable(onde()));
    QTRY_VERIFY(!Mapeada(D().winId()));
    QCOMPARE(escondido.size(), 1);
    // The chart starts and ends.
    QTRY_COMPARE(F().Abook->ActivePage(), QString("Grafico"));
    QVERIFY(F().Abook->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    // Where the confirm button was, nothing decides the round again.
    ClicarDeVerdade(F().Image4);
    QTest::qWait(100);
    QCOMPARE(mensagens.vezes, 1);
    QVERIFY(!D().isVisible());
    // The close button ends the program.
    QVERIFY(TerminaEmAte5s([this] { ClicarDeVerdade(F().Fim); }));
  }

  // Told to close while the result is up, the program closes the message
  // too and ends once the chart is drawn: no input is needed on the way.
  void closingDuringTheResultEndsAfterTheChart_data() {
    QTest::addColumn<bool>("peloGerente");
    QTest::newRow("botao de fechar") << false;
    QTest::newRow("gerente fecha a janela principal") << true;
  }
  void closingDuringTheResultEndsAfterTheChart() {
    QFETCH(bool, peloGerente);
    Comecar();
    RodadaGanha();
    Clicar(F().Image4);
    MensagemAtiva();
    F().PausaGrafico = 10;
    QSignalSpy escondido(&D(), &TformDialog::Escondido);
    QVERIFY(TerminaEmAte5s([&] {
      if (peloGerente)
        Rodar("wmctrl", {"-i", "-c", Id(&F())});
      else
        ClicarDeVerdade(F().Fim);
    }));
    QCOMPARE(escondido.size(), 1);
    QVERIFY(F().imgBtn->isVisible());  // drawn to its end first
  }

  // A file dialog opened by a real click on `botao`: the start of `nome`
  // typed until the completion list is up, then the rest and Enter. Once
  // closed nothing of it may stay on screen, and the next click on `botao`
  // reaches it (and opens the dialog again, which is then cancelled).
  void DigitarNoDialogo(TImagem* botao, const std::function<QFileDialog*()>& dialogo, const QString& nome) {
    QSignalSpy cliques(botao, &TImagem::MouseUp);
    int aberturas = 0;
    bool aberto = false;
    QTimer vigia;
    connect(&vigia, &QTimer::timeout, this, [&] {
      QFileDialog* d = dialogo();
      if (!d || !d->isVisible()) aberto = false;
      if (!d || !d->isVisible() || aberto || QApplication::activeWindow() != d) return;
      aberto = true;
      if (++aberturas > 1) return d->reject();
      const QString caminho = QDir::current().absoluteFilePath(nome);
      Rodar("xdotool", {"type", "--delay", "30", caminho.chopped(nome.size() - 2)});
      QLineEdit* linha = d->findChild<QLineEdit*>("fileNameEdit");
      QVERIFY(linha && linha->completer());
      QTRY_VERIFY(linha->completer()->popup()->isVisible());
      Rodar("xdotool", {"type", "--delay", "30", nome.mid(2)});
      QTest::qWait(200);
      Rodar("xdotool", {"key", "Return"});
    });
    vigia.start(50);
    ClicarDeVerdade(botao);
    QTRY_COMPARE(aberturas, 1);
    QTRY_VERIFY(!dialogo()->isVisible());
    QTest::qWait(500);  // the file system model's late answers
    QCOMPARE(JanelasMapeadas().join(' '), QString("Form1"));
    for (QWidget* w : QApplication::topLevelWidgets())
      QVERIFY2(!w->isVisible() || w == &F(), qPrintable(w->metaObject()->className()));
    ClicarDeVerdade(botao);
    QTRY_COMPARE(cliques.size(), 2);
    QTRY_COMPARE(aberturas, 2);
  }

  void musicDialogLeavesNothingOnScreen() {
    Comecar();
    QFile musica("musica.mp3");
    QVERIFY(musica.open(QIODevice::WriteOnly));
    musica.close();
    // With the empty file nothing plays, so the button opens the dialog.
    DigitarNoDialogo(
        F().Image9, [this] { return F().OpenMp3; }, "musica.mp3");
    QCOMPARE(F().MPlayer->FileName, QDir::current().absoluteFilePath("musica.mp3"));
    erros_.clear();  // the empty file cannot be played
  }

  void photoDialogLeavesNothingOnScreen() {
    QImage foto(40, 40, QImage::Format_RGB32);
    foto.fill(Qt::darkGreen);
    QVERIFY(foto.save("foto.png"));
    F().Abook->SetActivePage("Candidatos");
    DigitarNoDialogo(
        F().Mq[1], [this] { return static_cast<QFileDialog*>(F().LdFotos); }, "foto.png");
    QTRY_COMPARE(F().Fotos[1], QDir::current().absoluteFilePath("foto.png"));
  }
};

QTEST_MAIN(TesteGerenciador)
#include "tst_gerenciador.moc"

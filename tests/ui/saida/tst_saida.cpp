// The ways the program ends from outside (SIGTERM, SIGINT, SIGHUP, the
// session's end, the application told to quit), in process: each ends the
// event loop within a second, even while the player is awaited or the chart
// is drawing, and jogo.ini is then written once, with what the boxes hold.
// A signal before the loop, or a second one, ends the process at once: the
// game's own binary is checked for those in tst_sinais_processo.sh.

#include <sys/inotify.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSessionManager>
#include <QtTest>
#include <csignal>

#include "Unit1.h"
#include "Unit2.h"
#include "erro.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "roteiro.h"
#include "sinais.h"
#include "updown.h"

namespace {

// Counts the times a file of the folder gets a new content by name: created
// or renamed over (an atomic replace), or closed after a write in place.
class TGravacoes {
 public:
  explicit TGravacoes(const QString& pasta) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, QFile::encodeName(pasta).constData(), IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~TGravacoes() { close(fd_); }
  bool Valido() const { return fd_ >= 0; }
  int De(const QByteArray& nome) {
    alignas(inotify_event) char buf[8192];
    ssize_t n;
    while ((n = read(fd_, buf, sizeof buf)) > 0) {
      for (char* p = buf; p < buf + n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(p);
        if (e->len && nome == e->name) ++contagem_;
        p += sizeof(inotify_event) + e->len;
      }
    }
    return contagem_;
  }

 private:
  int fd_;
  int contagem_ = 0;
};

QList<QByteArray> Linhas(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray tudo = f.readAll();
  if (!tudo.endsWith("\r\n")) return {"<sem CR LF no fim>"};
  QList<QByteArray> linhas = tudo.chopped(2).split('\n');
  for (QByteArray& l : linhas) {
    if (!l.endsWith('\r') && &l != &linhas.last()) return {"<linha sem CR>"};
    if (l.endsWith('\r')) l.chop(1);
  }
  return linhas;
}

}  // namespace

class TstSaida : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TSinaisDeSaida> sinais_;
  std::unique_ptr<TPrograma> p_;
  std::unique_ptr<TSaidaDoPrograma> saida_;
  std::unique_ptr<TGravacoes> gravacoes_;
  QElapsedTimer desdeOPedido_;

  TForm1& F() { return p_->Form1; }
  varzeno::TEngVarzeno& M() { return *F().Partida.Motor; }

  void Clicar(QWidget* w) {
    QWidget* janela = w->window();
    const QPoint pt = w->mapTo(janela, w->rect().center());
    QTest::mousePress(janela->windowHandle(), Qt::LeftButton, {}, pt);
    QTest::mouseRelease(janela->windowHandle(), Qt::LeftButton, {}, pt);
  }

  // Asks for the end `ms` from now, by `pedido`, and runs the loop. Returns
  // how long the loop went on after the ask; a hung loop is ended after 5 s.
  qint64 RodarAte(int ms, const std::function<void()>& pedido) {
    QTimer::singleShot(ms, this, [this, pedido] {
      desdeOPedido_.start();
      pedido();
    });
    QTimer guarda;
    guarda.setSingleShot(true);
    connect(&guarda, &QTimer::timeout, [] {
      formDialog->hide();  // lets a wait for the player end
      QCoreApplication::exit(7);
    });
    guarda.start(5000);
    const int status = QApplication::exec();
    const qint64 decorrido = desdeOPedido_.isValid() ? desdeOPedido_.elapsed() : -1;
    if (status != 0) return 99999;
    return decorrido;
  }

  // The game at the end of its first round, outright won: the win message is
  // up and the chart waits for it to close.
  void AteAVitoria() {
    F().lblNomeJog->setText("Eu");
    F().UpDown1->SetPosition(2);
    F().Abook->show();
    F().Abook->SetActivePage("adversarios");
    Clicar(F().Image3);
    QVERIFY(F().Partida.Motor);
    M().Semanas = 0;
    M().Popularidade = 50;
    {
      varzeno::teste::TComRoteiro r{0};
      M().CalcularPesquisa();
    }
    Clicar(F().Trava[1]);
    Clicar(F().Image4);
    QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Você ganhou!"));
    QVERIFY(F().GraficoPendente());
  }

  // Ends the program and checks what it wrote.
  void Fechar(const QByteArray& nome2 = "Candidato 25") {
    saida_.reset();
    p_.reset();
    const QList<QByteArray> linhas = Linhas(pasta_.filePath("jogo.ini"));
    QCOMPARE(linhas.size(), 19);
    QCOMPARE(linhas[0], QByteArray("0"));
    QCOMPARE(linhas[5], nome2);
    QCOMPARE(gravacoes_->De("jogo.ini"), 1);
  }

 private slots:
  void initTestCase() { QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path())); }

  void init() {
    // A file from an earlier run; its line 0 becomes "0" once written.
    QFile antigo(pasta_.filePath("jogo.ini"));
    QVERIFY(antigo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    antigo.write("9\r\n\r\nAntigo 1\r\n");
    antigo.close();
    gravacoes_ = std::make_unique<TGravacoes>(pasta_.path());
    QVERIFY(gravacoes_->Valido());

    sinais_ = std::make_unique<TSinaisDeSaida>();
    sinais_->AtenderNoLaco();
    p_ = std::make_unique<TPrograma>();
    saida_ = std::make_unique<TSaidaDoPrograma>(*p_, *sinais_);
    // The empty file read at start emptied the names: the built-in one back.
    F().Ncan[2]->setText("Candidato 25");
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
  }

  void cleanup() {
    saida_.reset();
    p_.reset();
    sinais_.reset();
    gravacoes_.reset();
    DefinirCaixaDeErro({});
  }

  void cadaSinalEncerraEGravaOQueFoiDigitado_data() {
    QTest::addColumn<int>("sinal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
  }

  void cadaSinalEncerraEGravaOQueFoiDigitado() {
    QFETCH(int, sinal);
    F().Ncan[2]->setFocus();
    F().Ncan[2]->selectAll();
    for (const QChar c : QStringLiteral("Zé Tecla"))
      QTest::sendKeyEvent(QTest::Click, F().Ncan[2], Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    QCOMPARE(F().Ncan[2]->text(), QStringLiteral("Zé Tecla"));
    QCOMPARE(gravacoes_->De("jogo.ini"), 0);  // nothing is written while the game runs
    QVERIFY(RodarAte(50, [sinal] { ::raise(sinal); }) < 1000);
    QCOMPARE(sinais_->Recebido(), sinal);
    Fechar("Z\xe9 Tecla");
  }

  // "Selecione seu candidato!": the handler waits for the message to close.
  void sinalEnquantoOJogadorEEsperado() {
    bool esperando = false;
    QTimer::singleShot(0, this, [&] {
      F().Abook->SetActivePage("candidatos");
      esperando = true;
      F().bt1MouseUp(F().bt[3]);
      esperando = false;
    });
    QVERIFY(RodarAte(200, [&] {
              QVERIFY(esperando && p_->formDialog.isVisible());
              kill(getpid(), SIGTERM);
            }) < 1000);
    QVERIFY(!esperando);
    Fechar();
  }

  void sinalComAMensagemDeVitoriaNaTela() {
    AteAVitoria();
    QVERIFY(RodarAte(100, [&] {
              QVERIFY(p_->formDialog.isVisible());
              ::raise(SIGHUP);
            }) < 1000);
    // The chart was not started on the way out.
    QVERIFY(F().Abook->ActivePage() != QString("Grafico"));
    Fechar();
  }

  void sinalDuranteOGrafico() {
    AteAVitoria();
    Clicar(p_->formDialog.btn);
    QVERIFY(RodarAte(300, [&] {
              // Still drawing, a segment every 125 ms.
              QCOMPARE(F().Abook->ActivePage(), QString("Grafico"));
              QVERIFY(F().GraficoPendente());
              ::raise(SIGINT);
            }) < 1000);
    QVERIFY(F().GraficoPendente());
    Fechar();
  }

  // No one may be there to answer a box: a file that cannot be written is
  // reported on standard error, and the program still ends.
  void arquivoQueFalhaNaoPrendeASaida() {
    DefinirCaixaDeErro([](const QString& texto) { QFAIL(qPrintable("caixa de erro na saída: " + texto)); });
    QVERIFY(QFile::remove(pasta_.filePath("jogo.ini")));
    QVERIFY(QDir(pasta_.path()).mkdir("jogo.ini"));
    QVERIFY(RodarAte(50, [] { ::raise(SIGTERM); }) < 1000);
    saida_.reset();
    p_.reset();
    QVERIFY(QFileInfo(pasta_.filePath("jogo.ini")).isDir());
    QVERIFY(QDir(pasta_.path()).rmdir("jogo.ini"));
  }

  // The session's end: its "die" arrives as a Quit event, and a quit() too.
  void quitEncerraDuranteOGrafico() {
    AteAVitoria();
    Clicar(p_->formDialog.btn);
    QVERIFY(RodarAte(300, [&] {
              QVERIFY(F().GraficoPendente());
              QEvent quit(QEvent::Quit);
              QCoreApplication::sendEvent(qApp, &quit);
            }) < 1000);
    Fechar();
  }

  void quitEncerraMesmoComOJogadorEsperado() {
    QTimer::singleShot(0, this, [&] {
      F().Abook->SetActivePage("candidatos");
      F().bt1MouseUp(F().bt[3]);
    });
    QVERIFY(RodarAte(200, [] { QCoreApplication::quit(); }) < 1000);
    Fechar();
  }

  void sessaoQueTerminaPedeASaida() {
    // Qt alone can make a session manager, so the request is checked wired
    // and its end, the same as a signal's, is run directly.
    QVERIFY(disconnect(qApp, &QGuiApplication::commitDataRequest, saida_.get(), nullptr));
    AteAVitoria();
    QVERIFY(RodarAte(50, [&] { saida_->Sair(true); }) < 1000);
    Fechar();
  }
};

QTEST_MAIN(TstSaida)
#include "tst_saida.moc"

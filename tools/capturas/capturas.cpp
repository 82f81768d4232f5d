// varzeno-capturas OUTDIR: screenshots of the game's real window.
//
// Starts the game as it starts for a player, over a plain desktop-like
// window, seeds the random source with a fixed seed and saves PNG grabs of
// the X screen (so the window's cut-away outline shows the desktop behind):
// the title page, the rules, the candidates, the opponents page, a week of
// play, a week opening with an adverse event (its message over the window)
// and the chart at the end of the game, then the campaign diary. Pages are shown as they are built at
// the time of the run. Runs in a fresh folder, so the settings file of the
// developer's own game is neither read nor written. Beside the pictures,
// textos.json holds what the panel, the marks and the message read at each
// grab of a game, for the web edition's test to check it reached the same
// game.
//
// Needs an X server with a 24-bit screen: see capturar.sh beside this file.
// At QT_SCALE_FACTOR=2 it takes the title page alone, as titulo@2x.png.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <cstdio>

#include "Unit1.h"
#include "Unit2.h"
#include "aleatorio.h"
#include "anel_foco.h"
#include "estrategia.h"
#include "imagem.h"
#include "janela_diario.h"
#include "notebook.h"
#include "painel.h"
#include "programa.h"
#include "updown.h"

namespace {

constexpr uint32_t kSemente = 1500u;
constexpr int kMargem = 12;  // desktop shown around the window

// A plain desktop behind the game, so the outline has something to cut into.
class TFundo : public QWidget {
 public:
  TFundo() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x4A, 0x6F, 0x8C));
    g.setColorAt(1, QColor(0x2E, 0x4A, 0x63));
    p.fillRect(rect(), g);
  }
};

void Folgar(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    usleep(2000);
  }
}

bool EsperarAte(const std::function<bool()>& ate, int limiteMs) {
  QElapsedTimer t;
  t.start();
  while (!ate()) {
    if (t.elapsed() > limiteMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    usleep(1000);
  }
  return true;
}

class TCapturas {
 public:
  TCapturas(TPrograma& p, QString saida) : p_(p), F(p.Form1), saida_(std::move(saida)) {}

  int Executar() {
    if (!EsperarAte([&] { return F.windowHandle() && F.windowHandle()->isExposed(); }, 10000))
      return Erro("the window never showed");
    varzeno::RandSeed(kSemente);
    Folgar(500);

    F.Abook->SetActivePage(QStringLiteral("Default"));
    Capturar("titulo");
    // On a denser screen (QT_SCALE_FACTOR=2) the title page alone shows the
    // pictures drawn at twice the size: "titulo@2x".
    if (qApp->devicePixelRatio() > 1) return erros_ ? 1 : 0;
    F.Abook->SetActivePage(QStringLiteral("regras"));
    Capturar("regras");
    F.Abook->SetActivePage(QStringLiteral("Candidatos"));
    Capturar("candidatos");

    // A candidate chosen as a player does, by double-clicking the first photo
    // the page has; without one, by name only.
    EscolherCandidato();
    F.Abook->SetActivePage(QStringLiteral("adversarios"));
    Folgar(100);
    // Three opponents, by the spinner's up arrow (its upper half).
    for (int i = 0; i < 5 && F.UpDown1->Position() < 3; ++i) {
      const QPoint cima = F.UpDown1->mapTo(&F, QPoint(F.UpDown1->width() / 2, F.UpDown1->height() / 4));
      QTest::mouseClick(F.windowHandle(), Qt::LeftButton, {}, cima);
      Folgar(60);
    }
    if (F.UpDown1->Position() != 3) F.UpDown1->SetPosition(3);
    Capturar("adversarios");

    Clicar(F.Image3);
    if (!F.Partida.Motor || F.Abook->isVisible()) return Erro("no game started");
    // A few weeks played, no message on screen.
    for (int semana = 0; semana < 4; ++semana) {
      FecharMensagem();
      JogarSemana();
    }
    FecharMensagem();
    Capturar("semana");
    Anotar("semana");

    // On until a week opens with an adverse event; then its message.
    bool evento = false;
    for (int jogos = 0; jogos < 5 && !evento; ++jogos) {
      while (!evento && !FimDeJogo()) {
        FecharMensagem();
        if (!F.Partida.Motor || M().Semanas == 0) break;
        JogarSemana();
        evento = MensagemDeEvento();
      }
      if (!evento) {
        AteOGrafico();
        Clicar(F.imgBtn);
        F.Abook->SetActivePage(QStringLiteral("adversarios"));
        Clicar(F.Image3);
      }
    }
    if (!evento) return Erro("no adverse event in five games");
    Capturar("evento", true);
    Anotar("evento");

    // To the end of the game and its chart.
    AteOGrafico();
    Capturar("grafico");
    Anotar("grafico");
    // The campaign diary, opened from the drawn chart by its key.
    QTest::keyClick(F.windowHandle(), Qt::Key_D);
    if (!F.formDiario || !F.formDiario->isVisible()) return Erro("the diary never opened");
    Capturar("diario", false, F.formDiario);
    QTest::keyClick(F.formDiario->windowHandle(), Qt::Key_Escape);
    GravarTextos();
    return erros_ ? 1 : 0;
  }

 private:
  TPrograma& p_;
  TForm1& F;
  QString saida_;
  QJsonObject textos_;
  int erros_ = 0;

  varzeno::TEngVarzeno& M() { return *F.Partida.Motor; }

  int Erro(const char* o_que) {
    std::fprintf(stderr, "varzeno-capturas: %s\n", o_que);
    return 1;
  }

  void Clicar(QWidget* w) {
    QWidget* janela = w->window();
    const QPoint pt = w->mapTo(janela, w->rect().center());
    QTest::mouseClick(janela->windowHandle(), Qt::LeftButton, {}, pt);
    Folgar(60);
  }

  void EscolherCandidato() {
    QWidget* pagina = F.Abook->Pagina(QStringLiteral("Candidatos"));
    TImagem* foto = nullptr;
    if (pagina)
      for (TImagem* i : pagina->findChildren<TImagem*>())
        if (i->objectName().startsWith(QStringLiteral("Fcan")) && i->isVisible()) {
          foto = i;
          break;
        }
    if (foto) {
      const QPoint pt = foto->mapTo(&F, foto->rect().center());
      QTest::mouseDClick(F.windowHandle(), Qt::LeftButton, {}, pt);
      Folgar(200);
      FecharMensagem();
    }
    if (F.lblNomeJog->text() == QStringLiteral("Seu Nome")) F.lblNomeJog->setText(QStringLiteral("Candidato 15"));
  }

  bool FimDeJogo() const {
    const QString t = p_.formDialog.lblMensagem->text();
    return formDialog->isVisible() &&
           (t == QString::fromUtf8(varzeno::kGanhou) || t == QString::fromUtf8(varzeno::kPerdeu));
  }

  bool MensagemDeEvento() const {
    if (!formDialog->isVisible() || FimDeJogo()) return false;
    const QString t = p_.formDialog.lblMensagem->text();
    for (const char* recusa : {varzeno::kSemDinheiro, varzeno::kPesquisaNegativa, varzeno::kDescarado})
      if (t == QString::fromUtf8(recusa)) return false;
    return true;
  }

  void FecharMensagem() {
    if (formDialog->isVisible() && !FimDeJogo()) Clicar(p_.formDialog.btn);
  }

  // The most popular affordable action, or doing nothing.
  void JogarSemana() {
    const int escolha = varzeno::sim::EscolherSemRecusa(F.Partida);
    Clicar(F.Trava[static_cast<size_t>(escolha == 0 ? 3 : escolha - 1)]);
    Clicar(F.Image4);
  }

  // Plays on to the end of the game, closes its message and lets the chart finish.
  void AteOGrafico() {
    F.PausaGrafico = 0;
    for (int passos = 0; passos < 200 && !FimDeJogo(); ++passos) {
      if (formDialog->isVisible()) {
        Clicar(p_.formDialog.btn);
        continue;
      }
      if (M().Semanas == 0)
        Clicar(F.Image4);
      else
        JogarSemana();
    }
    if (FimDeJogo()) Clicar(p_.formDialog.btn);
    if (!EsperarAte([&] { return F.imgBtn->isVisible(); }, 20000)) {
      Erro("the chart never finished");
      ++erros_;
    }
  }

  // What the panel's labels, the marked option, the message and the chart's
  // poll read now, by the names the web page gives the same elements.
  void Anotar(const char* nome) {
    QJsonObject o;
    QList<QLabel*> rotulos{F.Label8, F.Label2, F.Label3, F.Label4, F.Label9, F.Label10, F.Label11, F.Label12, F.Label14};
    for (QLabel* l : F.Can) rotulos << l;
    for (QLabel* l : F.Per) rotulos << l;
    for (QLabel* l : rotulos) o[l->objectName()] = l->text();
    o[QStringLiteral("marcada")] = F.Trava[F.Escolha == 0 ? 3 : F.Escolha - 1u]->objectName();
    if (formDialog->isVisible()) o[QStringLiteral("lblMensagem")] = p_.formDialog.lblMensagem->text();
    if (F.imgBtn->isVisible())
      o[QStringLiteral("descricaoGrafico")] = QString::fromStdString(varzeno::jogo::DescreverPesquisaFinal(F.Partida));
    textos_[QString::fromLatin1(nome)] = o;
  }

  void GravarTextos() {
    QFile arquivo(QDir(saida_).filePath(QStringLiteral("textos.json")));
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        arquivo.write(QJsonDocument(textos_).toJson(QJsonDocument::Indented)) < 0) {
      std::fprintf(stderr, "varzeno-capturas: could not save %s\n", qPrintable(arquivo.fileName()));
      ++erros_;
      return;
    }
    std::printf("%s\n", qPrintable(arquivo.fileName()));
  }

  // The window's rectangle (and the message's, when it is up) with some desktop around.
  // The focus ring is the player's, not the picture's: it is hidden for the grab.
  // `janela`: another window of the game's, grabbed alone.
  void Capturar(const char* nome, bool comMensagem = false, const QWidget* janela = nullptr) {
    Folgar(400);
    for (TAnelFoco* anel : F.findChildren<TAnelFoco*>()) anel->hide();
    Folgar(50);
    QRect r = janela ? janela->frameGeometry() : F.frameGeometry();
    if (comMensagem && formDialog->isVisible()) r |= p_.formDialog.frameGeometry();
    r.adjust(-kMargem, -kMargem, kMargem, kMargem);
    QScreen* tela = F.screen();
    const QPixmap px = tela->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    const QString sufixo =
        qApp->devicePixelRatio() > 1 ? QStringLiteral("@%1x").arg(qApp->devicePixelRatio()) : QString();
    const QString arquivo = QDir(saida_).filePath(QString::fromLatin1(nome) + sufixo + QStringLiteral(".png"));
    if (px.isNull() || !px.save(arquivo, "PNG", 9)) {
      std::fprintf(stderr, "varzeno-capturas: could not save %s\n", qPrintable(arquivo));
      ++erros_;
      return;
    }
    std::printf("%s\n", qPrintable(arquivo));
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: varzeno-capturas OUTDIR\n");
    return 2;
  }
  const QString saida = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  if (!QDir().mkpath(saida)) {
    std::fprintf(stderr, "varzeno-capturas: cannot create %s\n", argv[1]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QTemporaryDir pasta;
  if (!pasta.isValid() || !QDir::setCurrent(pasta.path())) {
    std::fprintf(stderr, "varzeno-capturas: no temporary folder\n");
    return 2;
  }
  int resultado = 1;
  TFundo* fundo = nullptr;
  char* args[] = {argv[0], nullptr};
  int n = 1;
  ExecutarJogo(n, args, [&](TPrograma& p) {
    // The desktop first, so the game's windows are mapped above it.
    fundo = new TFundo;
    fundo->setGeometry(p.Form1.screen()->geometry());
    fundo->show();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] {
      delete fundo;
      fundo = nullptr;
    });
    QTimer::singleShot(0, [&] {
      TCapturas c(p, saida);
      resultado = c.Executar();
      std::fflush(stdout);
      p.Form1.Encerrar();
    });
  });
  return resultado;
}

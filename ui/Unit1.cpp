// Creation, activation and destruction of the main window.
#include "Unit1.h"

#include <QFileDialog>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <cstdlib>

#include "acessivel.h"
#include "aleatorio.h"
#include "erro.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"
#include "preparacao.h"
#include "regiao.h"
#include "somwave.h"
#include "tela.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  InstalarFabrica();  // Qt may ask for the window's interface from its title on
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Varzeno"));
  move(Geometria(QStringLiteral("Form1")).topLeft());
  Form1 = this;
  MontarMoldura();
  MontarPaginas();
  MontarPainel();
  MontarJogo();
  MontarSetup();
  MontarRegras();
  MontarCandidatos();
  MontarGrafico();
  MontarDiario();
  MontarSom();
  // The pages cover the play area and are drawn above every picture.
  Abook->raise();
  MontarTeclado();
  MontarAcessibilidade();
  Proteger([this] { FormCreate(); });
}

TForm1::~TForm1() {
  Proteger([this] { FormDestroy(); });
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate() {
  // VARZENO_SEMENTE gives a known campaign (tests, and the same game as the
  // web edition's ?semente=N); otherwise the clock seeds it.
  const char* semente = std::getenv("VARZENO_SEMENTE");
  if (const auto s = semente ? varzeno::jogo::LerSemente(semente) : std::nullopt)
    varzeno::RandSeed(*s);
  else
    varzeno::Randomize();
  // A fixed size: no manager offers to maximise or resize it.
  setFixedSize(Geometria(QStringLiteral("Form1")).size());
  CaberNaTela(*this);
  Abook->setCurrentIndex(0);
  Abook->move(Geometria(QStringLiteral("Abook")).topLeft());
  QPalette paleta = Abook->palette();
  paleta.setColor(QPalette::Window, Imp->Picture().pixelColor(Abook->pos()));
  Abook->setPalette(paleta);
  Abook->setAutoFillBackground(true);
  CarregarConfiguracao();
  // The start-up music begins right after the window's first paint, so the
  // sound system's start-up does not hold the window back.
  musicaPendente_ = true;
  Imp->installEventFilter(this);
  PastaDaMusica = QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void TForm1::FormActivate() {
  ModelarJanela();
  CopiarAparencia(*Fim, *Fim1);
  PintarRotulos(Imp->Picture().pixelColor(508, 142));
}

void TForm1::PintarRotulos(const QColor& cor) {
  for (QLabel* rotulo : RotulosDoPainel) {
    QPalette p = rotulo->palette();
    p.setColor(QPalette::Window, cor);
    rotulo->setPalette(p);
    rotulo->setAutoFillBackground(true);
  }
}

void TForm1::FormDestroy() {
  SalvarConfiguracao();
  Partida.Motor.reset();
  PararSom();
}

void TForm1::ModelarJanela() { ::ModelarJanela(*this, Imp->Picture()); }

bool TForm1::eventFilter(QObject* objeto, QEvent* e) {
  if (objeto == Imp && e->type() == QEvent::Paint && musicaPendente_) {
    musicaPendente_ = false;
    QTimer::singleShot(0, this, [this] { TocarSom(QStringLiteral("musica.wav")); });
  }
  return QWidget::eventFilter(objeto, e);
}

bool TForm1::event(QEvent* e) {
  // Only once built: the frame's pictures are read there.
  if (e->type() == QEvent::WindowActivate && Fim1) Proteger([this] { FormActivate(); });
  return QWidget::event(e);
}

void TForm1::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  // Shaped before it is first mapped, so the cut-aways never flash; and
  // activated, since without a window manager nothing else would.
  Proteger([this] { ModelarJanela(); });
  activateWindow();
}

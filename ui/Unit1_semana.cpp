// The week cycle: the option marks, the confirm button, and the window's
// half of a game (the rules decide, the window shows).
#include "Unit1.h"
#include "Unit2.h"
#include "imagem.h"
#include "notebook.h"
#include "rotulo.h"
#include "textos.h"
#include "updown.h"

using varzeno::TDecisao;
using varzeno::TResposta;

void TForm1::MontarJogo() {
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  Tic0 = GuardarFigura(extra, "Tic0", 11, 11);
  Tic1 = GuardarFigura(extra, "Tic1", 11, 11);
  Image7 = GuardarFigura(extra, "Image7", 118, 26);
  Image8 = GuardarFigura(extra, "Image8", 118, 26);

  const int linhas[4] = {60, 89, 118, 143};
  for (int i = 0; i < 4; ++i) {
    Trava[i] = new TImagem(this, QStringLiteral("Trava%1").arg(i + 1));
    Trava[i]->setGeometry(13, linhas[i], 11, 11);
    Trava[i]->setCursor(Qt::DragMoveCursor);
    Trava[i]->SetPicture(Tic0->Picture());
    connect(Trava[i], &TImagem::MouseDown, this, [this](TImagem* s) { Trava1MouseDown(s); });
  }
  Label9 =
      CriarRotulo(this, "Label9", 35, 142, TFonte{12, true, Qt::white, QColor()}, QString::fromUtf8(varzeno::jogo::kNaoFazerNada));

  Image4 = new TImagem(this, "Image4");
  Image4->setGeometry(355, 160, 118, 26);
  Image4->setCursor(Qt::DragMoveCursor);
  Image4->SetPicture(Image7->Picture());
  connect(Image4, &TImagem::MouseDown, this, [this] { Image4MouseDown(); });
  connect(Image4, &TImagem::MouseUp, this, [this] { Image4MouseUp(); });
}

TImagem* TForm1::MarcaDe(int escolha) const { return Trava[escolha == 0 ? 3 : escolha - 1]; }

void TForm1::Trava1MouseDown(TImagem* Sender) {
  CopiarAparencia(*MarcaDe(Escolha), *Tic0);
  for (int i = 0; i < 4; ++i)
    if (Sender == Trava[i]) Escolha = static_cast<uint8_t>(i == 3 ? 0 : i + 1);
  CopiarAparencia(*Sender, *Tic1);
  Sender->repaint();
}

void TForm1::Image4MouseDown() { CopiarAparencia(*Image4, *Image8); }

void TForm1::Image4MouseUp() {
  CopiarAparencia(*Image4, *Image7);
  if (!formDialog->isVisible()) ConfirmarAcao();
}

void TForm1::NovoJogo() { Mostrar(NoDiario(Partida.NovoJogo(lblNomeJog->text().toStdString(), UpDown1->Position()))); }

void TForm1::ConfirmarAcao() { Mostrar(NoDiario(Partida.ConfirmarAcao(Escolha))); }

void TForm1::Mensagem(const QString& texto) { formDialog->Mostrar(texto); }

// Shows what a step of the game asks for, in the game's order.
void TForm1::Mostrar(const TResposta& r) {
  if (!r.Recusa.empty()) {
    Mensagem(QString::fromStdString(r.Recusa));
    return;
  }
  if (r.LimparPainel) LimparPainel();
  // The panel is written before the event's message is shown: both reach
  // the screen together, and the panel does not wait for a window to open.
  if (r.NovasOpcoes) AtualizarPainel();
  if (r.Evento) Mensagem(QString::fromStdString(r.Evento->Nome));
  if (r.Decisao == TDecisao::Vitoria) Vitoria();
  if (r.Decisao == TDecisao::Derrota) Derrota();
}

void TForm1::Vitoria() {
  TocarSom(QString::fromLatin1(varzeno::kSomGanhou));
  formDialog->Mostrar(QString::fromStdString(varzeno::kGanhou));
  MostrarGrafico();
}

void TForm1::Derrota() {
  TocarSom(QString::fromLatin1(varzeno::kSomPerdeu));
  formDialog->Mostrar(QString::fromStdString(varzeno::kPerdeu));
  MostrarGrafico();
}

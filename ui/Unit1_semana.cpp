// The week cycle: the option marks, the confirm button, and the window's
// half of a game (the rules decide, the window shows).
#include "Unit1.h"
#include "Unit2.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"
#include "passos.h"
#include "rotulo.h"
#include "textos.h"
#include "updown.h"

using varzeno::TResposta;

void TForm1::MontarJogo() {
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  Tic0 = GuardarFigura(extra, "Tic0", 11, 11);
  Tic1 = GuardarFigura(extra, "Tic1", 11, 11);
  Image7 = GuardarFigura(extra, "Image7", 118, 26);
  Image8 = GuardarFigura(extra, "Image8", 118, 26);

  for (int i = 0; i < 4; ++i) {
    Trava[i] = new TImagem(this, QStringLiteral("Trava%1").arg(i + 1));
    Trava[i]->setGeometry(Geometria(Trava[i]->objectName()));
    Trava[i]->setCursor(Qt::DragMoveCursor);
    Trava[i]->SetPicture(Tic0->Picture());
    connect(Trava[i], &TImagem::Premida, this, [this](TImagem* s) { Trava1MouseDown(s); });
  }
  Label9 = RotuloNoLugar(this, "Label9", true, Qt::white, QColor(), QString::fromUtf8(varzeno::jogo::kNaoFazerNada));

  Image4 = new TImagem(this, "Image4");
  Image4->setGeometry(Geometria("Image4"));
  Image4->setCursor(Qt::DragMoveCursor);
  Image4->SetPicture(Image7->Picture());
  connect(Image4, &TImagem::Premida, this, [this] { Image4MouseDown(); });
  connect(Image4, &TImagem::Solta, this, [this] { Image4MouseUp(); });
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

// Shows what a step of the game asks for, in the order both editions share.
void TForm1::Mostrar(const TResposta& r) {
  using varzeno::jogo::TPasso;
  for (const varzeno::jogo::TPassoMostrar& p : varzeno::jogo::PassosDe(r)) {
    const QString texto = QString::fromStdString(p.texto);
    switch (p.passo) {
      case TPasso::Recusa:
      case TPasso::MensagemEvento:
        Mensagem(texto);
        break;
      case TPasso::LimparPainel:
        LimparPainel();
        break;
      case TPasso::EscreverPainel:
        AtualizarPainel();
        break;
      case TPasso::AnunciarSemana:
        // Said already: the reader's layer says the panel whenever it is
        // written (PainelAtualizado), a campaign's start included.
        break;
      case TPasso::Som:
        TocarSom(texto);
        break;
      case TPasso::MensagemFim:
        formDialog->Mostrar(texto);
        break;
      case TPasso::Grafico:
        MostrarGrafico();  // waits for the message above to close
        break;
    }
  }
}

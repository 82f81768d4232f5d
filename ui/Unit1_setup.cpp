// The set-up screens: the arrows between the pages, the opponents page with
// its spinner and digit display, and the start button.
#include "Unit1.h"
#include "Unit2.h"
#include "copia.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"
#include "preparacao.h"
#include "rotulo.h"
#include "textos.h"
#include "updown.h"

namespace {
const QString kSeuNome = QString::fromUtf8(varzeno::jogo::kSeuNome);
const QColor kAgua(0x00, 0xFF, 0xFF);
}  // namespace

void TForm1::MontarSetup() {
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  sesq1 = GuardarFigura(extra, "sesq1", 25, 11);
  sesq2 = GuardarFigura(extra, "sesq2", 25, 11);
  sdir1 = GuardarFigura(extra, "sdir1", 25, 11);
  sdir2 = GuardarFigura(extra, "sdir2", 25, 11);
  Image5 = GuardarFigura(extra, "Image5", 118, 26);
  Image6 = GuardarFigura(extra, "Image6", 118, 26);

  Label39 = RotuloNoLugar(Abook->Pagina(QStringLiteral("Default")), "Label39", true,
                          palette().color(QPalette::WindowText), QColor(), QString::fromUtf8(varzeno::jogo::kVersao));
  Label39->setAlignment(Qt::AlignRight | Qt::AlignTop);

  // The arrows: back on the left, forward on the right of their pages.
  struct Seta {
    const char* nome;
    const char* pagina;
    bool esquerda;
  } setas[5] = {{"bt1", "regras", true},
                {"bt2", "regras", false},
                {"bt3", "Candidatos", true},
                {"bt4", "Candidatos", false},
                {"bt5", "adversarios", true}};
  for (int i = 0; i < 5; ++i) {
    const Seta& s = setas[i];
    bt[i] = new TImagem(Abook->Pagina(QString::fromLatin1(s.pagina)), QString::fromLatin1(s.nome));
    bt[i]->setGeometry(Geometria(QString::fromLatin1(s.nome)));
    bt[i]->setCursor(Qt::DragMoveCursor);
    bt[i]->SetPicture((s.esquerda ? sesq1 : sdir1)->Picture());
    connect(bt[i], &TImagem::Premida, this, [this](TImagem* sender) { bt1MouseDown(sender); });
    connect(bt[i], &TImagem::Solta, this, [this](TImagem* sender) { bt1MouseUp(sender); });
  }

  // The opponents page: the chosen candidate, the number of opponents, start.
  QWidget* adv = Abook->Pagina(QStringLiteral("adversarios"));
  Image2 = new TImagem(adv, "Image2");
  Image2->setGeometry(Geometria("Image2"));
  Image2->SetStretch(true);
  lblNomeJog = RotuloNoLugar(adv, "lblNomeJog", true, kAgua, QColor(), kSeuNome);
  Label19 = RotuloNoLugar(adv, "Label19", true, kAgua, QColor(), QString::fromUtf8(varzeno::jogo::kNumeroAdversarios));
  Label19->setWordWrap(true);
  Dig = new TImagem(adv, "Dig");
  Dig->setGeometry(Geometria("Dig"));
  Dig->SetPicture(FiguraEmbutida(QStringLiteral("Dig.png")));
  UpDown1 = new TUpDown(adv, "UpDown1", varzeno::jogo::kMinOponentes, varzeno::jogo::kMaxOponentes,
                         varzeno::jogo::kMinOponentes);
  UpDown1->setGeometry(Geometria("UpDown1"));
  connect(UpDown1, &TUpDown::Click, this, [this] { UpDown1Click(); });
  Image3 = new TImagem(adv, "Image3");
  Image3->setGeometry(Geometria("Image3"));
  Image3->setCursor(Qt::DragMoveCursor);
  Image3->SetPicture(Image5->Picture());
  connect(Image3, &TImagem::Premida, this, [this] { Image3MouseDown(); });
  connect(Image3, &TImagem::Solta, this, [this] { Image3MouseUp(); });
}

// bt1, bt3 and bt5 point back (left), bt2 and bt4 forward.
static bool Esquerda(const std::array<TImagem*, 5>& bt, const TImagem* seta) {
  return seta == bt[0] || seta == bt[2] || seta == bt[4];
}

void TForm1::bt1MouseDown(TImagem* Sender) {
  CopiarAparencia(*Sender, Esquerda(bt, Sender) ? *sesq2 : *sdir2);
  Sender->repaint();
}

void TForm1::bt1MouseUp(TImagem* Sender) {
  CopiarAparencia(*Sender, Esquerda(bt, Sender) ? *sesq1 : *sdir1);
  Sender->repaint();
  if (Sender == bt[0]) Abook->SetActivePage(QStringLiteral("default"));
  if (Sender == bt[1]) Abook->SetActivePage(QStringLiteral("candidatos"));
  if (Sender == bt[2]) Abook->SetActivePage(QStringLiteral("regras"));
  if (Sender == bt[4]) Abook->SetActivePage(QStringLiteral("candidatos"));
  if (Sender == bt[3]) {
    const std::string recusa = varzeno::jogo::VerificarCandidatoEscolhido(lblNomeJog->text().toStdString());
    if (!recusa.empty()) {
      Mensagem(QString::fromStdString(recusa));
      Esperar([] { return formDialog->isVisible(); });
      return;
    }
    Abook->SetActivePage(QStringLiteral("adversarios"));
  }
}

void TForm1::UpDown1Click() {
  const int p = UpDown1->Position();
  QImage& faixa = Dig->Picture();
  // Cell 0 is the one on show; the others hold the digits 2 to 5. Copied
  // within the strip, so that its double follows on a denser screen.
  CopiarRetangulo(faixa, {0, 0}, faixa, QRect(17 * (p - 1), 0, 17, 29));
  Dig->repaint();
}

void TForm1::Image3MouseDown() { CopiarAparencia(*Image3, *Image6); }

void TForm1::Image3MouseUp() {
  CopiarAparencia(*Image3, *Image5);
  NovoJogo();
  Abook->hide();
  PararSom();
  Escrever(Label14, lblNomeJog->text());
}

// The page container and its six pages; the pages fill in with later work.
#include "Unit1.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"

void TForm1::MontarPaginas() {
  Abook = new TNotebook(this, "Abook");
  Abook->setGeometry(Geometria(QStringLiteral("Abook")));
  QWidget* padrao = Abook->AdicionarPagina(QStringLiteral("Default"));
  QWidget* extra = Abook->AdicionarPagina(QStringLiteral("Extra"));
  for (const char* nome : {"regras", "Candidatos", "adversarios", "Grafico"})
    Abook->AdicionarPagina(QString::fromLatin1(nome));

  // The title banner drags the window like the background does, and its
  // release turns to the rules.
  Image1 = new TImagem(padrao, "Image1");
  Image1->setGeometry(Geometria(QStringLiteral("Image1")));
  Image1->SetPicture(FiguraEmbutida(QStringLiteral("Image1.png")));
  connect(Image1, &TImagem::MouseDown, this,
          [this](TImagem* s, Qt::MouseButton, int x, int y) { ImpMouseDown(s, x, y); });
  connect(Image1, &TImagem::MouseMove, this, [this](TImagem*, int x, int y) { ImpMouseMove(x, y); });
  connect(Image1, &TImagem::Solta, this, [this](TImagem* s) { ImpMouseUp(s); });

  Fim1 = GuardarFigura(extra, "Fim1", 12, 8);
  Fim2 = GuardarFigura(extra, "Fim2", 12, 8);
}

// Picture store: looks copied onto the clickable pictures, never shown.
TImagem* TForm1::GuardarFigura(QWidget* pagina, const char* nome, int w, int h) {
  auto* img = new TImagem(pagina, QString::fromLatin1(nome));
  img->resize(w, h);
  img->SetPicture(FiguraEmbutida(QStringLiteral("%1.png").arg(QLatin1String(nome))));
  img->hide();
  return img;
}

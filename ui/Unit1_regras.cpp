// The rules page: the texts in their scroll box and the link to the game's
// web page, which ships with the game.
#include <QUrl>

#include "Unit1.h"
#include "dados.h"
#include "lugar.h"
#include "notebook.h"
#include "rolagem.h"
#include "rotulo.h"
#include "shell.h"
#include "textos.h"

namespace {
struct TTexto {
  const char* nome;
  bool titulo;
  int topo, altura;
  const char* texto;
};

using varzeno::jogo::kRegras;
using varzeno::jogo::TTextoRegra;
const int kTopoLabel37 = varzeno::jogo::kTopoLeiaMais;
}  // namespace

void TForm1::MontarRegras() {
  QWidget* conteudo = CriarRolagem(Abook->Pagina(QStringLiteral("regras")), "ScrollBox1", Geometria("ScrollBox1"),
                                   LugarDe("regrasConteudo").h);

  auto texto = [&](const char* nome, bool titulo, int topo, int altura, const QString& t) {
    const varzeno::jogo::TLugar& tipo = LugarDe(titulo ? QStringLiteral(".titulo") : QStringLiteral(".corpo"));
    QLabel* l =
        CriarRotulo(conteudo, QString::fromLatin1(nome), tipo.x, topo,
                    TFonte{tipo.fonte, true, titulo ? QColor(0x00, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0x00), QColor()}, t,
                    titulo ? QSize() : QSize(tipo.w, altura));
    // Headings are underlined, bodies italic.
    QFont f = l->font();
    f.setUnderline(titulo);
    f.setItalic(!titulo);
    l->setFont(f);
    if (titulo)
      l->adjustSize();
    else
      l->setWordWrap(true);
    return l;
  };
  for (const TTextoRegra& t : kRegras) texto(t.nome, t.titulo, t.topo, t.altura, QString::fromUtf8(t.texto));
  texto("Label37", false, kTopoLabel37, 18, QString::fromUtf8(varzeno::jogo::kLeiaMais));

  Label36 = new TRotuloClicavel(conteudo);
  Label36->setObjectName("Label36");
  Label36->setGeometry(Geometria("Label36"));
  QFont link(QStringLiteral("Courier New"));
  link.setPixelSize(LugarDe("Label36").fonte);
  link.setUnderline(true);
  Label36->setFont(link);
  QPalette p = Label36->palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
  Label36->setPalette(p);
  Label36->setText(QString::fromUtf8(varzeno::jogo::kEnderecoPagina));
  Label36->setCursor(Qt::DragMoveCursor);
  connect(Label36, &TRotuloClicavel::MouseDown, this, [this] { Label36MouseDown(); });
}

QString TForm1::EnderecoDaPagina() const {
  const QString pagina = LocalizarNoJogo(QStringLiteral("site/index.html"));
  return pagina.isEmpty() ? Label36->text() : QUrl::fromLocalFile(pagina).toString();
}

void TForm1::Label36MouseDown() { AbrirEndereco(EnderecoDaPagina()); }

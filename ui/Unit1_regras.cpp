// The rules page: the texts in their scroll box and the link to the game's
// web page, which ships with the game.
#include <QUrl>

#include "Unit1.h"
#include "dados.h"
#include "notebook.h"
#include "rolagem.h"
#include "rotulo.h"
#include "shell.h"

namespace {
struct TTexto {
  const char* nome;
  bool titulo;
  int topo, altura;
  const char* texto;
};

// Headings and bodies, top to bottom.
const TTexto kRegras[] = {
    {"Label20", true, 0, 0, "Cenário:"},
    {"Label21", false, 30, 36,
     "Mentiras, fofocas, conchavos ou coligações? É novamente época de eleições e o povo clama por um novo prefeito."},
    {"Label22", false, 75, 36,
     "Será você o salvador de nossa pátria? Poderá você defender os ideiais de justiça e igualdade em uma competição "
     "desleal?"},
    {"Label23", false, 120, 36,
     "Ou sucumbirá ao poder do lado negro do dinheiro e aniquilará os candidatos com \"acordos\" e promessas fúteis?"},
    {"Label24", false, 165, 36,
     "Descubra se você tem ou não aquilo que é preciso para se tornar o próximo prefeito de sua amada cidade."},
    {"Label25", true, 232, 0, "O jogo:"},
    {"Label26", false, 267, 53,
     "Seu primeiro passo é escolher como qual candidato irá concorrer. Tendo esse sido selecionado, você poderá "
     "escolher o número de adversários no jogo."},
    {"Label27", false, 327, 69,
     "Iniciado o jogo, você terá 20 semanas até o primeiro turno das eleições. Cada semana permite três opções de "
     "ação, juntamente com a opção de não realizar nenhuma ação. Cada ação altera o valor de suas estatísticas "
     "(dinheiro, popularidade e honestidade."},
    {"Label28", false, 402, 53,
     "Existem também alguns efeitos adversos, que podem ocorrer naturalmente em uma  campanha política, e podem "
     "literalmente destruir sua estratégia no último minuto!"},
    {"Label29", false, 462, 40,
     "Além disso, uma honestidade muito baixa pode acarretar danos à sua popularidade de forma devastadora."},
    {"Label31", true, 546, 0, "Objetivo:"},
    {"Label30", false, 582, 37,
     "Seu objetivo principal é conseguir popularidade suficiente para ganhar as eleições, seja ela em primeiro ou "
     "segundo turno."},
    {"Label32", false, 632, 72,
     "Qualquer candidado com mais de 50% dos votos no primeiro turno estará automaticamente eleito. E para a disputa "
     "do segundo turno, você precisará estar entre os dois candidatos de maior popularidade."},
    {"Label33", false, 707, 22, "Boa sorte!"},
    {"Label15", true, 763, 0, "Reconfiguração:"},
    {"Label16", false, 799, 74,
     "Para jogar você precisa selecionar uma legenda (que será você, na disputa eleitoral). As fotos e o nome do "
     "candidato podem ser alterados, para que o jogo fique mais próximo da realidade. Use imagens em formato bmp ou "
     "jpg."},
};

const int kTopoLabel37 = 799 + 74 + 8;
}  // namespace

void TForm1::MontarRegras() {
  QWidget* conteudo = CriarRolagem(Abook->Pagina(QStringLiteral("regras")), "ScrollBox1", QRect(20, 5, 436, 161),
                                   kTopoLabel37 + 23 + 25 + 8);

  auto texto = [&](const char* nome, bool titulo, int topo, int altura, const QString& t) {
    QLabel* l = CriarRotulo(
        conteudo, QString::fromLatin1(nome), titulo ? 0 : 15, topo,
        TFonte{titulo ? 16 : 13, true, titulo ? QColor(0x00, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0x00), QColor()}, t,
        titulo ? QSize() : QSize(401, altura));
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
  for (const TTexto& t : kRegras) texto(t.nome, t.titulo, t.topo, t.altura, QString::fromUtf8(t.texto));
  texto("Label37", false, kTopoLabel37, 18, QStringLiteral("Leia mais sobre este jogo, na página oficial:"));

  Label36 = new TRotuloClicavel(conteudo);
  Label36->setObjectName("Label36");
  Label36->setGeometry(110, kTopoLabel37 + 23, 196, 25);
  QFont link(QStringLiteral("Courier New"));
  link.setPixelSize(12);
  link.setUnderline(true);
  Label36->setFont(link);
  QPalette p = Label36->palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
  Label36->setPalette(p);
  Label36->setText(QStringLiteral("varzeno/site/index.html"));
  Label36->setCursor(Qt::DragMoveCursor);
  connect(Label36, &TRotuloClicavel::MouseDown, this, [this] { Label36MouseDown(); });
}

QString TForm1::EnderecoDaPagina() const {
  const QString pagina = LocalizarNoJogo(QStringLiteral("site/index.html"));
  return pagina.isEmpty() ? Label36->text() : QUrl::fromLocalFile(pagina).toString();
}

void TForm1::Label36MouseDown() { AbrirEndereco(EnderecoDaPagina()); }

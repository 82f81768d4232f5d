// The committed artwork and sounds, read back the way the game reads them:
// pictures in their embedded form, wave files from disk.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "figuras_embutidas.h"

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;

QString noFonte(const QString& nome) { return QDir(QStringLiteral(VARZENO_PASTA_ASSETS)).filePath(nome); }
QString noRecurso(const QString& nome) { return QStringLiteral(":/assets/") + nome; }

QImage figura(const char* nome) {
  QImage img = FiguraEmbutida(QString::fromLatin1(nome));
  EXPECT_FALSE(img.isNull()) << nome << " is not embedded or cannot be read";
  return img;
}

QByteArray ler(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

bool magenta(const QImage& img, int x, int y) { return (img.pixel(x, y) | 0xFF000000) == kMagenta; }

// A pink that is not the key colour: an antialiased edge that blended into
// magenta, which the game would show as a halo.
bool quaseMagenta(QRgb c) {
  return (c | 0xFF000000) != kMagenta && qRed(c) > 160 && qBlue(c) > 160 && qGreen(c) < qRed(c) / 2 &&
         qGreen(c) < qBlue(c) / 2;
}

int contarQuaseMagenta(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += quaseMagenta(img.pixel(x, y));
  return n;
}

double luminanciaMedia(const QImage& img, const QRect& r) {
  double s = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb c = img.pixel(x, y);
      s += 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
    }
  return s / (r.width() * r.height());
}

// The window outline: everything right of x 483 that is cut away.
bool recortadoDaJanela(int x, int y) {
  if (x < 483) return false;
  if (y == 197) return true;                                                    // the last row, from x 483
  if (y <= 20 && x >= 618 + y) return true;                                     // bevelled top-right corner
  if ((y <= 3 || (y >= 193 && y <= 196)) && x >= 484 && x <= 499) return true;  // notches above and below the hinge
  if (y >= 193 && y <= 196 && x >= 624 - (y - 193)) return true;  // bottom-right corner, 624 narrowing to 621
  return false;
}

struct Tamanho {
  const char* nome;
  int w, h;
};

const Tamanho kFiguras[] = {
    {"Imp.bmp", 650, 198},     {"dlgImp.bmp", 270, 120}, {"img1.png", 75, 52},     {"Fim1.png", 12, 8},
    {"Fim2.png", 12, 8},       {"Image9.png", 23, 39},   {"Image1.png", 475, 186}, {"Tic0.png", 11, 11},
    {"Tic1.png", 11, 11},      {"Image7.png", 118, 26},  {"Image8.png", 118, 26},  {"Image5.png", 118, 26},
    {"Image6.png", 118, 26},   {"sesq1.png", 25, 11},    {"sesq2.png", 25, 11},    {"sdir1.png", 25, 11},
    {"sdir2.png", 25, 11},     {"maq1.png", 38, 31},     {"maq2.png", 38, 31},     {"Dig.png", 85, 29},
    {"grafico.png", 336, 102}, {"foto15.png", 89, 89},   {"foto25.png", 89, 89},   {"foto35.png", 89, 89},
    {"foto45.png", 89, 89},    {"foto55.png", 89, 89},   {"foto65.png", 89, 89},
};

// ------------------------------------------------------------------ all --

TEST(Recursos, CadaFiguraEmbutidaTemSeuTamanho) {
  for (const Tamanho& t : kFiguras) {
    const QImage img = figura(t.nome);
    EXPECT_EQ(img.size(), QSize(t.w, t.h)) << t.nome;
  }
}

TEST(Recursos, TodaFiguraDaPastaEstaEmbutidaSemDiferenca) {
  // Every picture of assets/ is embedded, pixel for pixel and in the same
  // format as Qt decodes the committed file.
  const QStringList nomes = QDir(QStringLiteral(VARZENO_PASTA_ASSETS))
                                .entryList({QStringLiteral("*.png"), QStringLiteral("*.bmp")}, QDir::Files);
  // Each with its double beside it ("Imp@2x.bmp").
  EXPECT_EQ(nomes.size(), 2 * int(std::size(kFiguras))) << nomes.join(QLatin1Char(' ')).toStdString();
  for (const QString& nome : nomes) {
    const QImage fonte(noFonte(nome));
    ASSERT_FALSE(fonte.isNull()) << nome.toStdString();
    const QImage embutida = FiguraEmbutida(nome);
    EXPECT_EQ(embutida.format(), fonte.format()) << nome.toStdString();
    EXPECT_TRUE(embutida == fonte) << nome.toStdString() << " differs from its embedded form";
  }
  EXPECT_TRUE(FiguraEmbutida(QStringLiteral("nao-existe.png")).isNull());
}

TEST(Recursos, SomPadraoEmbutidoComoFoiGravado) {
  const QByteArray fonte = ler(noFonte(QStringLiteral("padrao.wav")));
  ASSERT_FALSE(fonte.isEmpty());
  EXPECT_EQ(ler(noRecurso(QStringLiteral("padrao.wav"))), fonte);
}

TEST(Recursos, DesenharNumaFiguraEmbutidaNaoMudaAProxima) {
  // The pixels live in read-only data: drawing works on a copy.
  for (const char* nome : {"Tic0.png", "Imp.bmp"}) {
    QImage img = figura(nome);
    img.fill(0);
    img.setPixel(0, 0, 1);
    EXPECT_TRUE(figura(nome) == QImage(noFonte(QString::fromLatin1(nome)))) << nome;
  }
}

// ------------------------------------------------------- window picture --

TEST(FundoDaJanela, BmpDeOitoBitsComPaleta) {
  const QByteArray b = ler(noFonte(QStringLiteral("Imp.bmp")));
  ASSERT_GE(b.size(), 54);
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  auto u16 = [&b](int i) { return int(uchar(b[i])) | int(uchar(b[i + 1])) << 8; };
  auto u32 = [&](int i) { return u16(i) | u16(i + 2) << 16; };
  EXPECT_EQ(u32(18), 650);
  EXPECT_EQ(u32(22), 198);
  EXPECT_EQ(u16(28), 8) << "bits per pixel";
  EXPECT_EQ(u32(30), 0) << "uncompressed";
  const int cores = u32(46) ? u32(46) : 256;
  EXPECT_LE(cores, 256);
  EXPECT_EQ(u32(10), 14 + u32(14) + 4 * cores) << "pixels start right after the palette";

  const QImage img = figura("Imp.bmp");
  EXPECT_EQ(img.format(), QImage::Format_Indexed8);
}

TEST(FundoDaJanela, MagentaExatamenteNasPartesRecortadas) {
  const QImage img = figura("Imp.bmp");
  ASSERT_EQ(img.size(), QSize(650, 198));
  int erros = 0;
  std::string exemplos;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (magenta(img, x, y) != recortadoDaJanela(x, y) && ++erros <= 10)
        exemplos += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  EXPECT_EQ(erros, 0) << "pixels where the key colour is wrong:" << exemplos;
  EXPECT_EQ(contarQuaseMagenta(img), 0) << "pink halo along the outline";
}

TEST(FundoDaJanela, CoresQueOJogoLe) {
  const QImage img = figura("Imp.bmp");
  // Page container background, taken from (4, 6).
  EXPECT_EQ(QColor(img.pixel(4, 6)).name(), QStringLiteral("#64717e"));
  // Statistics labels' background, taken from (508, 142).
  EXPECT_EQ(QColor(img.pixel(508, 142)).name(), QStringLiteral("#7eb1a2"));
}

TEST(FundoDaJanela, PainelLisoAtrasDosRotulos) {
  // The poll labels paint black and the statistics labels #7EB1A2 behind
  // their text; any other colour under them would show as a seam.
  const QImage img = figura("Imp.bmp");
  for (int y = 7; y <= 111; ++y)
    for (int x = 508; x <= 616; ++x)
      ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, 0u) << "poll screen not black at " << x << "," << y;
  for (int y = 126; y <= 187; ++y)
    for (int x = 508; x <= 620; ++x)
      ASSERT_EQ(QColor(img.pixel(x, y)).name(), QStringLiteral("#7eb1a2"))
          << "statistics panel not flat at " << x << "," << y;
}

// --------------------------------------------------------------- dialog --

TEST(Dialogo, CantosRecortadosEMioloInteiro) {
  const QImage img = figura("dlgImp.bmp");
  ASSERT_EQ(img.size(), QSize(270, 120));
  for (QPoint c : {QPoint(0, 0), QPoint(269, 0), QPoint(0, 119), QPoint(269, 119), QPoint(1, 1), QPoint(268, 118)})
    EXPECT_TRUE(magenta(img, c.x(), c.y())) << "corner " << c.x() << "," << c.y();
  EXPECT_FALSE(magenta(img, 135, 60));
  // Edges away from the corners belong to the panel.
  for (QPoint c : {QPoint(135, 0), QPoint(135, 119), QPoint(0, 60), QPoint(269, 60)})
    EXPECT_FALSE(magenta(img, c.x(), c.y())) << "edge " << c.x() << "," << c.y();
  // Magenta only in the four rounded corners, never under the message or the button.
  const int raio = 16;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (magenta(img, x, y)) {
        const bool noCanto = (x < raio || x >= 270 - raio) && (y < raio || y >= 120 - raio);
        ASSERT_TRUE(noCanto) << "key colour inside the panel at " << x << "," << y;
      }
  EXPECT_EQ(contarQuaseMagenta(img), 0) << "pink halo along the outline";
}

TEST(Dialogo, BotaoOkComDuasAparencias) {
  const QImage img = figura("img1.png");
  ASSERT_EQ(img.size(), QSize(75, 52));
  const QImage apertado = img.copy(0, 0, 75, 26), normal = img.copy(0, 26, 75, 26);
  EXPECT_NE(apertado, normal);
  EXPECT_LT(luminanciaMedia(apertado, apertado.rect()), luminanciaMedia(normal, normal.rect()));
}

// ------------------------------------------------------- window buttons --

TEST(Botoes, ApertadoDiferenteENoCasoDeLetrasMaisEscuro) {
  struct Par {
    const char* normal;
    const char* apertado;
    bool letreiro;
  };
  for (const Par& p : {Par{"Image7.png", "Image8.png", true}, Par{"Image5.png", "Image6.png", true},
                       Par{"Fim1.png", "Fim2.png", false}, Par{"sesq1.png", "sesq2.png", false},
                       Par{"sdir1.png", "sdir2.png", false}, Par{"maq1.png", "maq2.png", false}}) {
    const QImage n = figura(p.normal), a = figura(p.apertado);
    ASSERT_EQ(n.size(), a.size()) << p.normal;
    EXPECT_NE(n.convertToFormat(QImage::Format_RGB32), a.convertToFormat(QImage::Format_RGB32)) << p.normal;
    if (p.letreiro) {
      EXPECT_LT(luminanciaMedia(a, a.rect()), luminanciaMedia(n, n.rect())) << p.apertado;
    }
  }
}

TEST(Botoes, SetasApontamParaLadosOpostos) {
  // An arrow's head is its tallest part and sits on the side it points to.
  auto colunaMaisAlta = [](const QImage& img) {
    const QRgb fundo = img.pixel(img.width() / 2, 0);
    int melhor = 0, altura = -1;
    for (int x = 0; x < img.width(); ++x) {
      int n = 0;
      for (int y = 0; y < img.height(); ++y) n += img.pixel(x, y) != fundo;
      if (n > altura) {
        altura = n;
        melhor = x;
      }
    }
    return melhor;
  };
  for (const char* nome : {"sesq1.png", "sesq2.png"}) EXPECT_LT(colunaMaisAlta(figura(nome)), 12) << nome;
  for (const char* nome : {"sdir1.png", "sdir2.png"}) EXPECT_GT(colunaMaisAlta(figura(nome)), 12) << nome;
}

TEST(Botoes, SoAMarcaTicadaTemRiscoVermelho) {
  auto vermelhos = [](const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb c = img.pixel(x, y);
        n += qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
      }
    return n;
  };
  EXPECT_EQ(vermelhos(figura("Tic0.png")), 0);
  EXPECT_GE(vermelhos(figura("Tic1.png")), 6);
}

TEST(Botoes, ReprodutorDeMusicaSobreMagenta) {
  const QImage img = figura("Image9.png");
  ASSERT_EQ(img.size(), QSize(23, 39));
  // The game paints it without the colour of its bottom-left pixel.
  EXPECT_TRUE(magenta(img, 0, 38));
  EXPECT_FALSE(magenta(img, 11, 20)) << "the player itself must show";
  int transparentes = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) transparentes += magenta(img, x, y);
  EXPECT_GT(transparentes, 20);
  EXPECT_LT(transparentes, 23 * 39 / 2);
  EXPECT_EQ(contarQuaseMagenta(img), 0) << "pink halo around the player";
}

// ------------------------------------------------------- set-up screens --

TEST(Digitos, CelulasMostram2_2_3_4_5) {
  // Read each 17 x 29 cell as a seven-segment display: a lit segment is
  // bright green at its middle.
  const QImage img = figura("Dig.png");
  ASSERT_EQ(img.size(), QSize(85, 29));
  const QPoint meio[7] = {{8, 3}, {13, 8}, {13, 21}, {8, 25}, {3, 21}, {3, 8}, {8, 14}};  // a..g
  const char* const formas[10] = {"1111110", "0110000", "1101101", "1111001", "0110011",
                                  "1011011", "1011111", "1110000", "1111111", "1111011"};
  const int esperado[5] = {2, 2, 3, 4, 5};
  for (int c = 0; c < 5; ++c) {
    std::string acesos;
    for (const QPoint& m : meio) {
      const QRgb p = img.pixel(17 * c + m.x(), m.y());
      acesos += (qGreen(p) > 160 && qRed(p) < 140 && qBlue(p) < 160) ? '1' : '0';
    }
    int lido = -1;
    for (int d = 0; d < 10; ++d)
      if (acesos == formas[d]) lido = d;
    EXPECT_EQ(lido, esperado[c]) << "cell " << c << " segments " << acesos;
    // Dark at the cell's sides, so no digit shows a sliver of its neighbour.
    for (int y = 0; y < 29; ++y)
      for (int x : {17 * c, 17 * c + 16}) EXPECT_LT(qGreen(img.pixel(x, y)), 40) << "column " << x << " row " << y;
  }
}

TEST(Fotos, NumeroDaVagaEmVermelhoEscuroSobreBranco) {
  for (const char* nome : {"foto15.png", "foto25.png", "foto35.png", "foto45.png", "foto55.png", "foto65.png"}) {
    const QImage img = figura(nome);
    int brancos = 0, vermelhos = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb c = img.pixel(x, y);
        brancos += qRed(c) > 225 && qGreen(c) > 225 && qBlue(c) > 225;
        vermelhos += qRed(c) > 100 && qRed(c) < 190 && qGreen(c) < 40 && qBlue(c) < 40;
      }
    EXPECT_GT(brancos, 89 * 89 / 2) << nome;
    EXPECT_GT(vermelhos, 150) << nome;
  }
  EXPECT_NE(figura("foto15.png"), figura("foto25.png"));
}

TEST(Grafico, GradeAzulEscura) {
  const QImage img = figura("grafico.png");
  ASSERT_EQ(img.size(), QSize(336, 102));
  double r = 0, g = 0, b = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      r += qRed(c), g += qGreen(c), b += qBlue(c);
    }
  const double n = img.width() * img.height();
  EXPECT_GT(b / n, r / n + 10);
  EXPECT_GT(b / n, g / n);
  EXPECT_LT(luminanciaMedia(img, img.rect()), 60);
}

// --------------------------------------------------------------- sounds --

struct Onda {
  int formato = 0, canais = 0, taxa = 0, bits = 0;
  QByteArray dados;
  double segundos() const { return taxa && canais && bits ? double(dados.size()) / (taxa * canais * bits / 8) : 0; }
  int pico() const {
    int p = 0;
    for (int i = 0; i + 1 < dados.size(); i += 2)
      p = std::max(p, std::abs(int(qint16(uchar(dados[i]) | uchar(dados[i + 1]) << 8))));
    return p;
  }
};

// Walks the RIFF chunks; leaves fields at zero when something is missing.
Onda lerOnda(const QByteArray& b) {
  Onda o;
  auto u16 = [&b](int i) { return int(uchar(b[i])) | int(uchar(b[i + 1])) << 8; };
  auto u32 = [&](int i) { return quint32(u16(i)) | quint32(u16(i + 2)) << 16; };
  if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return o;
  EXPECT_EQ(u32(4), quint32(b.size() - 8)) << "RIFF size";
  int i = 12;
  while (i + 8 <= b.size()) {
    const QByteArray id = b.mid(i, 4);
    const int n = int(u32(i + 4));
    if (id == "fmt " && n >= 16) {
      o.formato = u16(i + 8);
      o.canais = u16(i + 10);
      o.taxa = int(u32(i + 12));
      o.bits = u16(i + 22);
    } else if (id == "data") {
      o.dados = b.mid(i + 8, n);
      EXPECT_EQ(o.dados.size(), n) << "data chunk cut short";
    }
    i += 8 + n + (n & 1);
  }
  return o;
}

TEST(Sons, OndasPcmDezesseisBitsComDuracoesCertas) {
  struct Esperado {
    const char* nome;
    double min, max;
  };
  for (const Esperado& e : {Esperado{"musica.wav", 15, 30}, Esperado{"Ganhou.wav", 1, 6}, Esperado{"Perdeu.wav", 1, 6},
                            Esperado{"padrao.wav", 0.1, 0.5}}) {
    const Onda o = lerOnda(ler(noFonte(QString::fromLatin1(e.nome))));
    EXPECT_EQ(o.formato, 1) << e.nome << " is not plain PCM";
    EXPECT_EQ(o.bits, 16) << e.nome;
    EXPECT_TRUE(o.canais == 1 || o.canais == 2) << e.nome;
    EXPECT_GE(o.taxa, 11025) << e.nome;
    EXPECT_GE(o.segundos(), e.min) << e.nome;
    EXPECT_LT(o.segundos(), e.max) << e.nome;
    EXPECT_GT(o.pico(), 32767 / 4) << e.nome << " is nearly silent";
    EXPECT_LT(o.pico(), 32767) << e.nome << " clips";
  }
}

TEST(Sons, SomPadraoEmbutidoEOndasAoLadoDoJogo) {
  EXPECT_EQ(lerOnda(ler(noRecurso(QStringLiteral("padrao.wav")))).formato, 1);
  // The game looks for these by name in an assets folder beside itself.
  for (const char* nome : {"musica.wav", "Ganhou.wav", "Perdeu.wav"}) {
    const QString copia = QDir(QStringLiteral(VARZENO_PASTA_ONDAS_DO_JOGO)).filePath(QString::fromLatin1(nome));
    const QByteArray b = ler(copia);
    EXPECT_FALSE(b.isEmpty()) << qPrintable(copia) << " missing";
    EXPECT_EQ(b, ler(noFonte(QString::fromLatin1(nome)))) << nome << " copy is stale";
  }
}

}  // namespace

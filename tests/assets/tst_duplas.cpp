// The pictures drawn at twice the size: one beside every picture, its key
// colour exactly where the outline cuts, real detail rather than enlarged
// pixels, and the generator giving the same bytes at every run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "copia.h"
#include "figuras_embutidas.h"

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;

const char* const kNomes[] = {"Imp.bmp",    "dlgImp.bmp", "img1.png",    "Fim1.png",   "Fim2.png",   "Image9.png",
                              "Image1.png", "Tic0.png",   "Tic1.png",    "Image7.png", "Image8.png", "Image5.png",
                              "Image6.png", "sesq1.png",  "sesq2.png",   "sdir1.png",  "sdir2.png",  "maq1.png",
                              "maq2.png",   "Dig.png",    "grafico.png", "foto15.png", "foto25.png", "foto35.png",
                              "foto45.png", "foto55.png", "foto65.png"};

QString noFonte(const QString& nome) { return QDir(QStringLiteral(VARZENO_PASTA_ASSETS)).filePath(nome); }

bool magenta(const QImage& img, int x, int y) { return (img.pixel(x, y) | 0xFF000000) == kMagenta; }

// Share of the 2x2 blocks that are not of one colour. An enlarged picture
// has none.
double blocosComDetalhe(const QImage& dupla) {
  const QImage img = dupla.convertToFormat(QImage::Format_RGB32);
  int comDetalhe = 0, total = 0;
  for (int y = 0; y + 1 < img.height(); y += 2)
    for (int x = 0; x + 1 < img.width(); x += 2) {
      const QRgb c = img.pixel(x, y);
      comDetalhe += img.pixel(x + 1, y) != c || img.pixel(x, y + 1) != c || img.pixel(x + 1, y + 1) != c;
      ++total;
    }
  return total ? double(comDetalhe) / total : 0;
}

TEST(Duplas, CadaFiguraTemSuaDuplaComODobroDoTamanho) {
  for (const char* n : kNomes) {
    const QString nome = QString::fromLatin1(n);
    const QImage figura = FiguraEmbutida(nome), dupla = FiguraEmbutida(NomeDaDupla(nome));
    ASSERT_FALSE(dupla.isNull()) << n;
    EXPECT_EQ(dupla.size(), figura.size() * 2) << n;
    EXPECT_EQ(dupla.devicePixelRatio(), 2.0) << n;
    // The window background's double keeps every colour; the others are
    // stored as their pictures are.
    EXPECT_EQ(dupla.format(), nome == QLatin1String("Imp.bmp") ? QImage::Format_RGB32 : figura.format()) << n;
    // The file beside the picture, with Qt's own name for it.
    EXPECT_TRUE(QFile::exists(noFonte(NomeDaDupla(nome)))) << n;
  }
  EXPECT_EQ(NomeDaDupla(QStringLiteral("Imp.bmp")), QStringLiteral("Imp@2x.bmp"));
}

TEST(Duplas, AFiguraLevaSuaDuplaAteQueSejaPintada) {
  QImage figura = FiguraEmbutida(QStringLiteral("Tic1.png"));
  const QImage copia = figura;
  const QImage dupla = VarianteDupla(copia);
  ASSERT_FALSE(dupla.isNull());
  EXPECT_TRUE(dupla == FiguraEmbutida(QStringLiteral("Tic1@2x.png")));
  // Drawn on, the picture no longer matches its double.
  figura.setPixel(0, 0, qRgb(1, 2, 3));
  EXPECT_TRUE(VarianteDupla(figura).isNull());
  EXPECT_FALSE(VarianteDupla(copia).isNull());
  // A picture that never had one.
  EXPECT_TRUE(VarianteDupla(QImage(4, 4, QImage::Format_RGB32)).isNull());
}

TEST(Duplas, ChaveExatamenteOndeOContornoCorta) {
  // The outline is cut from the picture of scale 1; at twice the size the
  // key colour covers exactly its pixels doubled, so no magenta shows inside
  // the window and no background is cut away.
  for (const char* n : {"Imp.bmp", "dlgImp.bmp"}) {
    const QImage figura = FiguraEmbutida(QString::fromLatin1(n));
    const QImage dupla = FiguraEmbutida(NomeDaDupla(QString::fromLatin1(n)));
    ASSERT_EQ(dupla.size(), figura.size() * 2);
    int erros = 0;
    for (int y = 0; y < dupla.height(); ++y)
      for (int x = 0; x < dupla.width(); ++x) erros += magenta(dupla, x, y) != magenta(figura, x / 2, y / 2);
    EXPECT_EQ(erros, 0) << n;
  }
}

TEST(Duplas, CoresQueOJogoLeNosMesmosLugares) {
  const QImage imp = FiguraEmbutida(QStringLiteral("Imp@2x.bmp"));
  EXPECT_EQ(QColor(imp.pixel(8, 12)).name(), QStringLiteral("#64717e"));
  EXPECT_EQ(QColor(imp.pixel(1016, 284)).name(), QStringLiteral("#7eb1a2"));
  for (int y = 2 * 126; y < 2 * 188; ++y)
    for (int x = 2 * 508; x < 2 * 621; ++x)
      ASSERT_EQ(QColor(imp.pixel(x, y)).name(), QStringLiteral("#7eb1a2")) << x << "," << y;
}

TEST(Duplas, DesenhadasNoDobroENaoAmpliadas) {
  // Lettering and curves drawn at the finer size leave many 2x2 blocks of
  // more than one colour; the flat and pixel-art pictures fewer, but some.
  EXPECT_GT(blocosComDetalhe(FiguraEmbutida(QStringLiteral("Image1@2x.png"))), 0.15);
  EXPECT_GT(blocosComDetalhe(FiguraEmbutida(QStringLiteral("img1@2x.png"))), 0.10);
  EXPECT_GT(blocosComDetalhe(FiguraEmbutida(QStringLiteral("Imp@2x.bmp"))), 0.05);
  for (const char* n : kNomes) {
    const QImage dupla = FiguraEmbutida(NomeDaDupla(QString::fromLatin1(n)));
    EXPECT_GT(blocosComDetalhe(dupla), 0.0) << n << " is its small picture enlarged";
  }
}

#ifdef VARZENO_MKASSETS
// The committed pictures were drawn on Debian 12 (Qt 6.4, FreeType 2.12).
// Another release renders text and curves a little differently: edges of
// letters and curves move by a pixel and take other shades (Debian 13: up to
// 11 % of a picture's pixels, by up to 242 levels, but each within 96 levels
// of a pixel of the committed picture at most one pixel away). There each
// generated pixel must find such a match (and the other way round), but for
// a handful; at most a share of the pixels may differ at all; and the
// outline must be the same. A real change of the drawing leaves more: a
// shape moved or a letter added leaves pixels with no match, a colour
// changed leaves most pixels different.
bool NaMesmaBaseDaArte() {
  QFile f(QStringLiteral("/etc/os-release"));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray texto = f.readAll();
  return texto.contains("\nID=debian\n") && texto.contains("\nVERSION_ID=\"12\"\n");
}

constexpr int kDistanciaDeCor = 96;             // levels, in the channel that differs most
constexpr int kSemParMaximo = 8;                // pixels of a picture
constexpr double kParteDiferenteMaxima = 0.15;  // of a picture's pixels

int Distancia(QRgb p, QRgb q) {
  return std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                   std::abs(qAlpha(p) - qAlpha(q))});
}

// Pixels of `a` with no pixel of `b` of a close colour within one pixel.
int SemPar(const QImage& a, const QImage& b) {
  int semPar = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      int melhor = 256;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (b.valid(x + dx, y + dy)) melhor = std::min(melhor, Distancia(a.pixel(x, y), b.pixel(x + dx, y + dy)));
      semPar += melhor > kDistanciaDeCor;
    }
  return semPar;
}

struct TDiferenca {
  int semPar = 0;
  double parteDiferente = 0;
  int chaveTrocada = 0;  // pixels that are key colour in one and not the other
};

TDiferenca Comparar(const QImage& a0, const QImage& b0) {
  const QImage a = a0.convertToFormat(QImage::Format_ARGB32), b = b0.convertToFormat(QImage::Format_ARGB32);
  TDiferenca d;
  int diferentes = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      diferentes += a.pixel(x, y) != b.pixel(x, y);
      d.chaveTrocada += ((a.pixel(x, y) | 0xFF000000) == kMagenta) != ((b.pixel(x, y) | 0xFF000000) == kMagenta);
    }
  d.parteDiferente = a.isNull() ? 0 : double(diferentes) / (double(a.width()) * a.height());
  d.semPar = std::max(SemPar(a, b), SemPar(b, a));
  return d;
}

QByteArray Conteudo(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Duplas, GeradorDaOsMesmosBytesACadaVezEAArteGuardada) {
  QTemporaryDir pastas[2];
  for (QTemporaryDir& pasta : pastas) {
    ASSERT_TRUE(pasta.isValid());
    QProcess gerador;
    gerador.start(QStringLiteral(VARZENO_MKASSETS), {QStringLiteral("--so-imagens"), pasta.path()});
    ASSERT_TRUE(gerador.waitForFinished(120000));
    ASSERT_EQ(gerador.exitCode(), 0) << gerador.readAllStandardError().toStdString();
  }
  const bool exata = NaMesmaBaseDaArte();
  for (const char* n : kNomes)
    for (const QString& nome : {QString::fromLatin1(n), NomeDaDupla(QString::fromLatin1(n))}) {
      const std::string rotulo = nome.toStdString();
      const QByteArray primeiro = Conteudo(QDir(pastas[0].path()).filePath(nome));
      ASSERT_FALSE(primeiro.isEmpty()) << rotulo;
      // Two runs on this machine agree byte for byte, on any release.
      EXPECT_TRUE(primeiro == Conteudo(QDir(pastas[1].path()).filePath(nome))) << rotulo << " differs between runs";
      const QByteArray guardado = Conteudo(noFonte(nome));
      if (exata) {
        EXPECT_TRUE(primeiro == guardado) << rotulo << " differs from the committed picture";
        continue;
      }
      const QImage gerada = QImage::fromData(primeiro), arte = QImage::fromData(guardado);
      ASSERT_EQ(gerada.size(), arte.size()) << rotulo;
      const TDiferenca d = Comparar(gerada, arte);
      EXPECT_LE(d.semPar, kSemParMaximo) << rotulo;
      EXPECT_LE(d.parteDiferente, kParteDiferenteMaxima) << rotulo;
      EXPECT_EQ(d.chaveTrocada, 0) << rotulo;  // the outline is the same everywhere
      std::printf("%-16s %5.2f %% of the pixels differ, %d without a match\n", nome.toUtf8().constData(),
                  100 * d.parteDiferente, d.semPar);
    }
}
#endif

}  // namespace

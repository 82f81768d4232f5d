// The pictures drawn at twice the size: one beside every picture, its key
// colour exactly where the outline cuts, real detail rather than enlarged
// pixels, and the generator giving the same bytes at every run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

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
TEST(Duplas, GeradorDaOsMesmosBytesACadaVez) {
  // Two runs of the generator give the committed pictures, byte for byte,
  // at both sizes.
  for (int vez = 0; vez < 2; ++vez) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    QProcess gerador;
    gerador.start(QStringLiteral(VARZENO_MKASSETS), {QStringLiteral("--so-imagens"), pasta.path()});
    ASSERT_TRUE(gerador.waitForFinished(120000));
    ASSERT_EQ(gerador.exitCode(), 0) << gerador.readAllStandardError().toStdString();
    for (const char* n : kNomes)
      for (const QString& nome : {QString::fromLatin1(n), NomeDaDupla(QString::fromLatin1(n))}) {
        QFile gerado(QDir(pasta.path()).filePath(nome)), guardado(noFonte(nome));
        ASSERT_TRUE(gerado.open(QIODevice::ReadOnly)) << nome.toStdString();
        ASSERT_TRUE(guardado.open(QIODevice::ReadOnly)) << nome.toStdString();
        EXPECT_TRUE(gerado.readAll() == guardado.readAll()) << nome.toStdString() << " differs (run " << vez + 1 << ")";
      }
  }
}
#endif

}  // namespace

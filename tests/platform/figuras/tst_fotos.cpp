// Photos as phones and cameras make them: large, 16-bit, progressive,
// interlaced, turned by EXIF; each decoded straight to the slot's size, and
// only what lies beyond the photo limits refused, saying so.

#include <png.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <csetjmp>

#include "bytes_figuras.h"
#include "figuras.h"
#include "png_reduzido.h"

namespace {
using namespace bytes_figuras;

// Red on the left, blue on the right, at a quarter and three quarters.
bool EhBandeira(const QImage& imagem, int tolerancia) {
  const int y = imagem.height() / 2;
  return Perto(imagem.pixel(imagem.width() / 4, y), Qt::red, tolerancia) &&
         Perto(imagem.pixel(imagem.width() * 3 / 4, y), Qt::blue, tolerancia);
}

// 8-bit RGBA rows written by libpng, interlaced or not (Qt writes no
// interlaced PNG).
struct TEscrita {
  QByteArray* saida;
};
void Escrever(png_structp png, png_bytep dados, size_t n) {
  static_cast<TEscrita*>(png_get_io_ptr(png))->saida->append(reinterpret_cast<const char*>(dados), qsizetype(n));
}
void Nada(png_structp) {}

QByteArray PngPelaLibpng(const QImage& origem, bool entrelacado) {
  const QImage rgba = origem.convertToFormat(QImage::Format_RGBA8888);
  QByteArray saida;
  TEscrita escrita{&saida};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &escrita, Escrever, Nada);
  png_set_IHDR(png, info, png_uint_32(rgba.width()), png_uint_32(rgba.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               entrelacado ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_bytep> linhas(size_t(rgba.height()));
  for (int y = 0; y < rgba.height(); ++y) linhas[size_t(y)] = const_cast<png_bytep>(rgba.constScanLine(y));
  png_set_rows(png, info, linhas.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return saida;
}

// A picture where every pixel differs from its neighbours: a misplaced
// row or column shows.
QImage Ruido(int largura, int altura) {
  QImage imagem(largura, altura, QImage::Format_ARGB32);
  for (int y = 0; y < altura; ++y)
    for (int x = 0; x < largura; ++x)
      imagem.setPixel(x, y, qRgba((x * 37 + y * 11) & 255, (x * 5 + y * 91) & 255, (x ^ y) & 255, 128 + (x + y) % 128));
  return imagem;
}

}  // namespace

class TstFotos : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;

  QString Gravar(const QString& nome, const QByteArray& bytes) { return GravarEm(pasta_, nome, bytes); }

 private slots:
  void initTestCase() { QVERIFY(pasta_.isValid()); }

  // Sizes the old limits refused: each comes reduced to the slot's size,
  // proportions kept, colours where they were.
  void fotosGrandesCarregam_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QSize>("tamanho");
    QTest::addColumn<int>("tolerancia");
    QTest::newRow("jpg de 24 megapixels") << "24mp.jpg" << QSize(178, 119) << 40;
    QTest::newRow("jpg progressivo de 12 megapixels") << "prog.jpg" << QSize(178, 134) << 40;
    QTest::newRow("png 4000 x 4000") << "4000.png" << QSize(178, 178) << 0;
    QTest::newRow("png de 16 bits 3000 x 3000") << "16bits.png" << QSize(178, 178) << 1;
    QTest::newRow("bmp 5000 x 1000") << "largo.bmp" << QSize(178, 36) << 0;
  }
  void fotosGrandesCarregam() {
    QFETCH(QString, nome);
    QFETCH(QSize, tamanho);
    QFETCH(int, tolerancia);
    const QString caminho = pasta_.filePath(nome);
    if (nome == "24mp.jpg") {
      QVERIFY(Bandeira(6000, 4000).save(caminho, "jpg", 85));
    } else if (nome == "prog.jpg") {
      QImageWriter escritor(caminho, "jpg");
      escritor.setProgressiveScanWrite(true);
      QVERIFY(escritor.write(Bandeira(4000, 3000)));
      QFile f(caminho);
      QVERIFY(f.open(QIODevice::ReadOnly));
      QVERIFY(f.readAll().contains("\xFF\xC2"));  // a progressive frame
    } else if (nome == "4000.png") {
      QVERIFY(Bandeira(4000, 4000).save(caminho, "png"));
    } else if (nome == "16bits.png") {
      QVERIFY(Bandeira(3000, 3000, QImage::Format_RGBX64).save(caminho, "png"));
      QFile f(caminho);
      QVERIFY(f.open(QIODevice::ReadOnly));
      QCOMPARE(int(f.read(25).at(24)), 16);  // IHDR's bit depth
    } else {
      QVERIFY(Bandeira(5000, 1000).save(caminho, "bmp"));
    }
    const QImage foto = CarregarFigura(caminho, kLadoFoto);
    QCOMPARE(foto.size(), tamanho);
    QVERIFY(EhBandeira(foto, tolerancia));
  }

  // A small photo is never enlarged.
  void fotoPequenaFicaComoEra() {
    const QString caminho = Gravar("pequena.png", Salvar(Bandeira(40, 30), "png"));
    const QImage foto = CarregarFigura(caminho, kLadoFoto);
    QCOMPARE(foto.size(), QSize(40, 30));
    QVERIFY(EhBandeira(foto, 0));
  }

  // A phone's portrait photo is stored sideways with an EXIF orientation:
  // it must come upright.
  void orientacaoExif_data() {
    QTest::addColumn<int>("orientacao");
    QTest::addColumn<QSize>("tamanho");
    QTest::addColumn<QPoint>("vermelho");
    QTest::addColumn<QPoint>("azul");
    QTest::newRow("1: como está") << 1 << QSize(40, 30) << QPoint(5, 15) << QPoint(35, 15);
    QTest::newRow("6: girar 90° à direita") << 6 << QSize(30, 40) << QPoint(15, 5) << QPoint(15, 35);
    QTest::newRow("8: girar 90° à esquerda") << 8 << QSize(30, 40) << QPoint(15, 35) << QPoint(15, 5);
    QTest::newRow("3: de ponta-cabeça") << 3 << QSize(40, 30) << QPoint(35, 15) << QPoint(5, 15);
  }
  void orientacaoExif() {
    QFETCH(int, orientacao);
    QFETCH(QSize, tamanho);
    QFETCH(QPoint, vermelho);
    QFETCH(QPoint, azul);
    const QString caminho = Gravar(QStringLiteral("exif%1.jpg").arg(orientacao),
                                   ComOrientacao(Salvar(Bandeira(40, 30), "jpg"), orientacao));
    const QImage foto = CarregarFigura(caminho, kLadoFoto);
    QCOMPARE(foto.size(), tamanho);
    QVERIFY(Perto(foto.pixel(vermelho), Qt::red, 40));
    QVERIFY(Perto(foto.pixel(azul), Qt::blue, 40));
  }

  // Turned and reduced together: the proportions are the upright ones.
  void orientacaoExifReduzida() {
    const QString caminho = Gravar("exif-grande.jpg", ComOrientacao(Salvar(Bandeira(800, 600), "jpg"), 6));
    const QImage foto = CarregarFigura(caminho, kLadoFoto);
    QCOMPARE(foto.size(), QSize(134, 178));
    QVERIFY(Perto(foto.pixel(67, 20), Qt::red, 40));
    QVERIFY(Perto(foto.pixel(67, 158), Qt::blue, 40));
  }

  // Each reduced pixel is the mean of the pixels it covers, whatever order
  // the rows come in: an interlaced file gives exactly the same picture.
  void pngEntrelacadoIgualAoSimples() {
    const QImage origem = Ruido(523, 301);
    const QByteArray simples = PngPelaLibpng(origem, false), entrelacado = PngPelaLibpng(origem, true);
    QVERIFY(!simples.isEmpty() && !entrelacado.isEmpty() && simples != entrelacado);
    for (const auto& [lado, tamanho] :
         {std::pair{kLadoFoto, QSize(178, 102)}, {523, QSize(523, 301)}, {7, QSize(7, 4)}}) {
      QBuffer a, b;
      a.setData(simples);
      b.setData(entrelacado);
      QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
      const QImage ra = LerPngReduzido(a, lado, "a.png"), rb = LerPngReduzido(b, lado, "b.png");
      QCOMPARE(ra.size(), tamanho);
      QCOMPARE(ra, rb);
    }
    // At its own size nothing is averaged: every pixel as it was.
    QBuffer b;
    b.setData(entrelacado);
    QVERIFY(b.open(QIODevice::ReadOnly));
    QCOMPARE(LerPngReduzido(b, 600, "b.png"), origem);
  }

  // Transparent pixels lend no colour to the mean; palettes and greys are
  // read as colours.
  void pngTransparenteEPaleta() {
    QImage meia(100, 10, QImage::Format_ARGB32);
    meia.fill(Qt::transparent);
    QPainter(&meia).fillRect(50, 0, 50, 10, QColor(0, 200, 0));
    QImage foto = CarregarFigura(Gravar("meia.png", Salvar(meia, "png")), 10);
    QCOMPARE(foto.size(), QSize(10, 1));
    QCOMPARE(qAlpha(foto.pixel(2, 0)), 0);
    QCOMPARE(foto.pixel(7, 0), qRgba(0, 200, 0, 255));

    // Half the pixels of a cell clear, half green: half as opaque, still green.
    QImage xadrez(20, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 20; ++x)
      for (int y = 0; y < 2; ++y) xadrez.setPixel(x, y, (x + y) % 2 ? qRgba(0, 200, 0, 255) : qRgba(255, 0, 0, 0));
    foto = CarregarFigura(Gravar("xadrez.png", Salvar(xadrez, "png")), 10);
    QCOMPARE(foto.size(), QSize(10, 1));
    QCOMPARE(foto.pixel(3, 0), qRgba(0, 200, 0, 128));

    QImage paleta = Bandeira(300, 200).convertToFormat(QImage::Format_Indexed8);
    QCOMPARE(paleta.colorCount(), 2);
    foto = CarregarFigura(Gravar("paleta.png", Salvar(paleta, "png")), 30);
    QCOMPARE(foto.size(), QSize(30, 20));
    QVERIFY(EhBandeira(foto, 0));

    QImage cinza(64, 64, QImage::Format_Grayscale16);
    cinza.fill(QColor(0x80, 0x80, 0x80));
    foto = CarregarFigura(Gravar("cinza.png", Salvar(cinza, "png")), 16);
    QCOMPARE(foto.size(), QSize(16, 16));
    QVERIFY(Perto(foto.pixel(8, 8), QColor(0x80, 0x80, 0x80), 1));
  }

  // Up to 64 Mi pixels a photo is tried; one pixel more and it is refused
  // from its header, with a message naming the file and the limit.
  void alemDoLimite_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("grande");
    QTest::newRow("png 8192 x 8192, no limite") << "limite.png" << PngDeclarando(8192, 8192) << false;
    QTest::newRow("png 8192 x 8193") << "alem.png" << PngDeclarando(8192, 8193) << true;
    QTest::newRow("png 100000 x 100000") << "enorme.png" << PngDeclarando(100000, 100000) << true;
    QTest::newRow("png sem dados 20000 x 9000") << "vazio.png" << [] {
      QByteArray png = PngDeclarando(20000, 9000);
      const qsizetype idat = png.indexOf("IDAT") - 4;
      return png.remove(idat, 12 + qFromBigEndian<quint32>(png.constData() + idat));
    }() << true;
    QTest::newRow("png 70000 x 1, lado") << "fita.png" << PngDeclarando(70000, 1) << true;
    QTest::newRow("jpg 9000 x 9000") << "enorme.jpg" << JpgDeclarando(9000, 9000) << true;
    QTest::newRow("bmp 10000 x 10000") << "enorme.bmp" << [] {
      QByteArray b = Salvar(QImage(1, 1, QImage::Format_RGB32), "bmp");
      qToLittleEndian<qint32>(10000, b.data() + 18);
      qToLittleEndian<qint32>(10000, b.data() + 22);
      return b;
    }() << true;
  }
  void alemDoLimite() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, grande);
    const QString caminho = Gravar(nome, bytes);
    const QString m = Mensagem([&] { CarregarFigura(caminho, kLadoFoto); });
    QVERIFY2(m.contains(caminho), qPrintable(m));
    QCOMPARE(m.contains(QStringLiteral("grande demais")), grande);
    if (grande) QVERIFY2(m.contains(QStringLiteral("67 megapixels")), qPrintable(m));
  }

  // The refusal of a photo past the bounds, word for word: the web edition
  // says the same of what the browser decodes.
  void alemDoLimiteNasMesmasPalavras_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("tamanho");
    QTest::newRow("png") << "palavras.png" << PngDeclarando(8192, 8193) << "8192 x 8193";
    QTest::newRow("jpg") << "palavras.jpg" << JpgDeclarando(9000, 9000) << "9000 x 9000";
  }
  void alemDoLimiteNasMesmasPalavras() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, tamanho);
    const QString caminho = Gravar(nome, bytes);
    QCOMPARE(Mensagem([&] { CarregarFigura(caminho, kLadoFoto); }),
             QStringLiteral(u"A figura \"%1\" é grande demais (%2 pixels): o jogo abre fotos de até 67.108.864 pixels "
                            u"(cerca de 67 megapixels), com até 65.535 pixels de cada lado")
                 .arg(caminho, tamanho));
  }

  // A damaged PNG is reported as such, never as too large.
  void pngDanificado() {
    QByteArray png = Salvar(Bandeira(300, 200), "png");
    const QString truncado = Gravar("truncado.png", png.left(png.size() / 2));
    QString m = Mensagem([&] { CarregarFigura(truncado, kLadoFoto); });
    QVERIFY2(m.contains(truncado) && m.contains(QStringLiteral("danificada")), qPrintable(m));
    png[png.indexOf("IDAT") + 10] ^= 0x55;  // the data's checksum no longer holds
    const QString torto = Gravar("torto.png", png);
    m = Mensagem([&] { CarregarFigura(torto, kLadoFoto); });
    QVERIFY2(m.contains(torto) && m.contains(QStringLiteral("danificada")), qPrintable(m));
  }

  // A load no longer wanted stops.
  void leituraInterrompida() {
    const QString caminho = Gravar("parar.png", Salvar(Bandeira(300, 200), "png"));
    std::stop_source parar;
    parar.request_stop();
    const QString m = Mensagem([&] { CarregarFigura(caminho, kLadoFoto, parar.get_token()); });
    QVERIFY2(m.contains(caminho) && m.contains(QStringLiteral("interrompida")), qPrintable(m));
  }
};

QTEST_MAIN(TstFotos)
#include "tst_fotos.moc"

// The window outline and the picture copy.
#include <QWidget>
#include <QtTest>

#include "copia.h"
#include "figuras_embutidas.h"
#include "regiao.h"

namespace {

bool EhMagenta(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF; }

// The outline the slow way: one rectangle per opaque pixel.
QRegion RegiaoPorPixel(const QImage& img) {
  QRegion r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!EhMagenta(img, x, y)) r += QRect(x, y, 1, 1);
  return r;
}

void ConferirPixelAPixel(const QImage& img, const QRegion& r) {
  for (int y = -1; y <= img.height(); ++y)
    for (int x = -1; x <= img.width(); ++x) {
      const bool dentro = x >= 0 && y >= 0 && x < img.width() && y < img.height() && !EhMagenta(img, x, y);
      if (r.contains(QPoint(x, y)) != dentro)
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 should be %3").arg(x).arg(y).arg(dentro ? "in" : "out")));
    }
}

// A background like the game's: bevelled corner, notches, a bottom row.
QImage FundoRecortado(QImage::Format formato) {
  QImage img(120, 40, QImage::Format_RGB32);
  img.fill(QColor(0x64, 0x71, 0x7E));
  const QRgb mg = qRgb(255, 0, 255);
  for (int y = 0; y < 20; ++y)
    for (int x = 100 + y; x < 120; ++x) img.setPixel(x, y, mg);
  for (int y = 0; y < 4; ++y)
    for (int x = 40; x < 56; ++x) img.setPixel(x, y, mg);
  for (int x = 30; x < 120; ++x) img.setPixel(x, 39, mg);
  img.setPixel(7, 10, mg);  // a lone hole inside
  img.setPixel(0, 25, mg);
  img.setPixel(119, 25, mg);
  return formato == QImage::Format_Indexed8 ? img.convertToFormat(formato, Qt::ThresholdDither) : img;
}

}  // namespace

class TesteImagem : public QObject {
  Q_OBJECT
 private slots:
  void outlineIsTheNonMagentaPixels_data() {
    QTest::addColumn<int>("formato");
    QTest::newRow("32-bit") << int(QImage::Format_RGB32);
    QTest::newRow("palette") << int(QImage::Format_Indexed8);
    QTest::newRow("rgb888") << int(QImage::Format_RGB888);
  }
  void outlineIsTheNonMagentaPixels() {
    QFETCH(int, formato);
    QImage img = FundoRecortado(QImage::Format_RGB32);
    if (formato != QImage::Format_RGB32) img = img.convertToFormat(QImage::Format(formato), Qt::ThresholdDither);
    const QRegion r = RegiaoOpaca(img);
    ConferirPixelAPixel(img, r);
    // Same set and same canonical rectangles as QRegion's own union.
    QVERIFY(r.xored(RegiaoPorPixel(img)).isEmpty());
    QCOMPARE(r, RegiaoPorPixel(img));
  }

  void pictureWithoutMagentaGivesFullRectangle() {
    QImage img(33, 17, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 254));  // close to magenta is not magenta
    QCOMPARE(RegiaoOpaca(img), QRegion(0, 0, 33, 17));
    img.fill(qRgb(255, 0, 255));
    QVERIFY(RegiaoOpaca(img).isEmpty());
    QVERIFY(RegiaoOpaca(QImage()).isEmpty());
  }

  void gameBackgroundOutline() {
    const QImage img = FiguraEmbutida(QStringLiteral("Imp.bmp"));
    QVERIFY2(!img.isNull(), "the game's artwork must be linked in");
    QCOMPARE(img.size(), QSize(650, 198));
    const QRegion r = RegiaoOpaca(img);
    ConferirPixelAPixel(img, r);
    QVERIFY(!r.contains(QPoint(649, 0)));
    QVERIFY(!r.contains(QPoint(600, 197)));
    QVERIFY(r.contains(QPoint(4, 6)));
  }

  void windowTakesPictureSizeAndMask() {
    QWidget w;
    const QImage img = FundoRecortado(QImage::Format_RGB32);
    ModelarJanela(w, img);
    QCOMPARE(w.size(), img.size());
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.mask(), RegiaoOpaca(img));
  }

  void copyReplacesPixelsOfTheRectangleOnly() {
    QImage origem(10, 20, QImage::Format_ARGB32);
    origem.fill(Qt::transparent);
    for (int y = 10; y < 20; ++y)
      for (int x = 0; x < 10; ++x) origem.setPixel(x, y, qRgb(x * 20, y * 10, 7));
    QImage destino(10, 10, QImage::Format_ARGB32_Premultiplied);
    destino.fill(Qt::blue);
    CopiarRetangulo(destino, QPoint(0, 0), origem, QRect(0, 10, 10, 10));
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) QCOMPARE(destino.pixel(x, y), origem.pixel(x, y + 10));
    // A transparent source replaces, it does not blend over what was there.
    CopiarRetangulo(destino, QPoint(2, 3), origem, QRect(0, 0, 4, 4));
    QCOMPARE(qAlpha(destino.pixel(2, 3)), 0);
    QCOMPARE(qAlpha(destino.pixel(5, 6)), 0);
    QCOMPARE(destino.pixel(6, 6), origem.pixel(6, 16));
    QCOMPARE(destino.pixel(1, 3), origem.pixel(1, 13));
  }

  void copyOntoPalettePicture() {
    QImage destino = QImage(8, 8, QImage::Format_RGB32);
    destino.fill(Qt::white);
    destino = destino.convertToFormat(QImage::Format_Indexed8);
    QImage origem(4, 4, QImage::Format_RGB32);
    origem.fill(qRgb(10, 200, 30));
    CopiarRetangulo(destino, QPoint(6, 6), origem, origem.rect());
    QCOMPARE(destino.pixel(7, 7), qRgb(10, 200, 30));
    QCOMPARE(destino.pixel(5, 5), qRgb(255, 255, 255));
    QCOMPARE(destino.size(), QSize(8, 8));
  }
};

QTEST_MAIN(TesteImagem)
#include "tst_imagem.moc"

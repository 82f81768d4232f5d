// On a real X server at device pixel ratio 2: the screen shows the pictures
// drawn at twice the size, one to one, and the cut-away corners still show
// what lies behind the window, cut in the game's own pixels.
#include <QScreen>
#include <QtTest>
#include <array>

#include "Unit1.h"
#include "duplas_teste.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"

class TesteTela2x : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;

 private slots:
  void initTestCase() { QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path())); }

  void screenShowsTheDoublesAndTheOutline() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    QWidget fundo(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    fundo.setStyleSheet("background: #00C000;");
    fundo.setGeometry(QGuiApplication::primaryScreen()->geometry());
    fundo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fundo));

    TPrograma p;
    TForm1& f = p.Form1;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    QImage tela;
    // The screen's pixels of a logical rectangle of a widget.
    auto naTela = [&](const QWidget& w, const QRect& r) {
      return tela.copy(QRect(w.mapToGlobal(r.topLeft()) * 2, r.size() * 2));
    };
    auto bloco = [&](QPoint local) {
      const QImage b = naTela(f, QRect(local, QSize(1, 1)));
      return std::array<QRgb, 4>{b.pixel(0, 0) & 0xFFFFFF, b.pixel(1, 0) & 0xFFFFFF, b.pixel(0, 1) & 0xFFFFFF,
                                 b.pixel(1, 1) & 0xFFFFFF};
    };
    const QRgb verde = 0x00C000, magenta = 0xFF00FF;
    const QRect miolo(40, 20, 360, 140);  // clear of the version plaque's label
    const QImage dupla = Rgb32(FiguraEmbutida(QStringLiteral("Image1@2x.png")));
    const QImage esperado = dupla.copy(QRect(miolo.topLeft() * 2, miolo.size() * 2));
    // Grabbed once the window has been painted and shaped, however slow the
    // machine.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
          tela = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
          tela.setDevicePixelRatio(1);
          return naTela(*f.Image1, miolo) == esperado && bloco(QPoint(649, 0))[0] == verde;
        }(),
        10000);
    QCOMPARE(tela.size(), QGuiApplication::primaryScreen()->geometry().size() * 2);
    // Every screen pixel of a cut-away pixel shows the desktop behind.
    for (QPoint canto : {QPoint(649, 0), QPoint(640, 10), QPoint(638, 20), QPoint(490, 1), QPoint(649, 195),
                         QPoint(600, 197), QPoint(621, 196)})
      for (QRgb c : bloco(canto)) QCOMPARE(c, verde);
    // Right beside them, the window.
    for (QPoint dentro : {QPoint(617, 0), QPoint(637, 20), QPoint(482, 197), QPoint(0, 0), QPoint(620, 196)})
      for (QRgb c : bloco(dentro)) QVERIFY(c != verde && c != magenta);

    // The title banner showed one to one from its double: finer than its pixels.
    QVERIFY(BlocosComDetalhe(naTela(*f.Image1, miolo)) > 0.15);
    // The window's top edge along the bevelled corner, from the background's double.
    const QRect borda(560, 0, 58, 6);
    QVERIFY(naTela(f, borda) == Rgb32(FiguraEmbutida(QStringLiteral("Imp@2x.bmp"))).copy(QRect(1120, 0, 116, 12)));
  }
};

QTEST_MAIN(TesteTela2x)
#include "tst_tela_2x.moc"

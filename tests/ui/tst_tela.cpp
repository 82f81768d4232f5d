// On a real X server: the cut-away corners show what lies behind the window.
#include <QScreen>
#include <QtTest>

#include "figuras.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"

class TesteTela : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
 private slots:
  // "jogo.ini" is read and written in the current folder: use a fresh one.
  void initTestCase() { QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path())); }
  void cutAwaysShowWhatIsBehind() {
    if (QGuiApplication::platformName() != "xcb") QSKIP("needs an X server (run through xvfb-run)");
    QWidget fundo(nullptr, Qt::FramelessWindowHint);
    fundo.setStyleSheet("background: #00C000;");
    fundo.setGeometry(QGuiApplication::primaryScreen()->geometry());
    fundo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fundo));

    TPrograma p;
    TForm1& f = p.Form1;
    f.Imp->SetPicture(FundoPrincipal());
    f.Abook->hide();  // the background itself shows everywhere
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    p.formDialog.imp->SetPicture(FundoDialogo());
    p.formDialog.move(100, 400);  // clear of the main window
    p.formDialog.Mostrar("Tela");
    QVERIFY(QTest::qWaitForWindowExposed(&p.formDialog));
    QTest::qWait(300);

    const QImage tela = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    auto cor = [&](QPoint local, const QWidget& w) { return tela.pixel(w.mapToGlobal(local)) & 0xFFFFFF; };
    const QRgb verde = 0x00C000, ardosia = 0x64717E, magenta = 0xFF00FF;
    for (QPoint canto : {QPoint(649, 0), QPoint(640, 10), QPoint(490, 1), QPoint(649, 195), QPoint(600, 197)}) {
      QCOMPARE(cor(canto, f), verde);
      QVERIFY(cor(canto, f) != magenta);
    }
    for (QPoint dentro : {QPoint(640, 100), QPoint(617, 0), QPoint(482, 197), QPoint(0, 0)})
      QCOMPARE(cor(dentro, f), ardosia);
    const QWidget& d = p.formDialog;
    QCOMPARE(cor(QPoint(0, 0), d), verde);
    QCOMPARE(cor(QPoint(269, 119), d), verde);
    QCOMPARE(cor(QPoint(30, 100), d), QRgb(0x5A6672));
  }
};

QTEST_MAIN(TesteTela)
#include "tst_tela.moc"

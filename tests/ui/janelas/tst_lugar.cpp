// Where a window goes when its designed place would leave the screen.
#include <QtTest>

#include "tela.h"

class TesteLugar : public QObject {
  Q_OBJECT
 private slots:
  void leastMoveIntoTheArea_data() {
    QTest::addColumn<QPoint>("desejada");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("esperada");
    QTest::newRow("cabe") << QPoint(192, 107) << QRect(0, 0, 1024, 768) << QPoint(192, 107);
    QTest::newRow("justo") << QPoint(374, 570) << QRect(0, 0, 1024, 768) << QPoint(374, 570);
    QTest::newRow("800x600") << QPoint(192, 107) << QRect(0, 0, 800, 600) << QPoint(150, 107);
    QTest::newRow("baixa") << QPoint(192, 500) << QRect(0, 0, 800, 600) << QPoint(150, 402);
    QTest::newRow("painel a esquerda e no alto") << QPoint(10, 5) << QRect(48, 30, 976, 738) << QPoint(48, 30);
    QTest::newRow("segunda tela") << QPoint(1500, 107) << QRect(1024, 0, 800, 600) << QPoint(1174, 107);
    QTest::newRow("maior que a area") << QPoint(192, 107) << QRect(0, 0, 640, 150) << QPoint(0, 0);
  }
  void leastMoveIntoTheArea() {
    QFETCH(QPoint, desejada);
    QFETCH(QRect, area);
    QFETCH(QPoint, esperada);
    QCOMPARE(PosicaoQueCabe(desejada, QSize(650, 198), area), esperada);
  }
};

QTEST_MAIN(TesteLugar)
#include "tst_lugar.moc"

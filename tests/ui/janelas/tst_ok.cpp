// Every way the message dialog can go away ends in its one Ok: hidden once,
// Escondido once, whatever closed it.
#include <QtTest>

#include "Unit2.h"
#include "figuras_embutidas.h"
#include "imagem.h"

class TesteOk : public QObject {
  Q_OBJECT
  TformDialog* d_ = nullptr;
  std::unique_ptr<QSignalSpy> escondido_;

  QImage Look(int linha) { return d_->img1->Picture().copy(0, linha, 75, 26).convertToFormat(QImage::Format_RGB32); }
  QImage Botao() { return d_->btn->Picture().convertToFormat(QImage::Format_RGB32); }
  void Mostrar() {
    d_->Mostrar("Você perdeu!");
    QVERIFY(QTest::qWaitForWindowActive(d_));
    QVERIFY(d_->isVisible());
  }
  void Fechado() {
    QVERIFY(!d_->isVisible());
    QCOMPARE(escondido_->size(), 1);
    QCOMPARE(Botao(), Look(26));
  }

 private slots:
  void init() {
    d_ = new TformDialog;
    escondido_ = std::make_unique<QSignalSpy>(d_, &TformDialog::Escondido);
  }
  void cleanup() {
    escondido_.reset();
    delete d_;
  }

  void okClosesOnceAndOnlyWhenShown() {
    d_->Ok();
    QCOMPARE(escondido_->size(), 0);
    Mostrar();
    d_->Ok();
    d_->Ok();
    Fechado();
    // Every new message gets its own Ok.
    Mostrar();
    d_->Mostrar("Outra");  // replaces the text, still one message
    d_->Ok();
    QCOMPARE(escondido_->size(), 2);
  }

  void everyCloseIsTheOk_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("close()") << 0;
    QTest::newRow("hide()") << 1;
    QTest::newRow("setVisible(false)") << 2;
    QTest::newRow("botao") << 3;
  }
  void everyCloseIsTheOk() {
    QFETCH(int, modo);
    Mostrar();
    switch (modo) {
      case 0:
        QVERIFY(!d_->close());  // refused as a close: never the last window
        break;
      case 1:
        d_->hide();
        break;
      case 2:
        d_->setVisible(false);
        break;
      default:
        QTest::mouseClick(d_->windowHandle(), Qt::LeftButton, {}, QPoint(120, 90));
    }
    Fechado();
  }

  void keysPressOk_data() {
    QTest::addColumn<int>("tecla");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Enter do teclado numerico") << int(Qt::Key_Enter);
    QTest::newRow("Espaco") << int(Qt::Key_Space);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
  }
  void keysPressOk() {
    QFETCH(int, tecla);
    Mostrar();
    QTest::keyPress(d_->windowHandle(), Qt::Key(tecla));
    // Held: the pressed look, still open; repeats change nothing.
    QCOMPARE(Botao(), Look(0));
    QVERIFY(d_->isVisible());
    QTest::keyEvent(QTest::Press, d_->windowHandle(), Qt::Key(tecla), Qt::NoModifier, -1);
    QKeyEvent repetida(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(d_, &repetida);
    QVERIFY(d_->isVisible());
    QTest::keyRelease(d_->windowHandle(), Qt::Key(tecla));
    Fechado();
  }

  void otherKeysAndStrayReleasesDoNothing() {
    Mostrar();
    QTest::keyClick(d_->windowHandle(), Qt::Key_A);
    QTest::keyClick(d_->windowHandle(), Qt::Key_Tab);
    // A release whose press went to another window.
    QTest::keyRelease(d_->windowHandle(), Qt::Key_Return);
    QTest::keyPress(d_->windowHandle(), Qt::Key_Space);
    QTest::keyRelease(d_->windowHandle(), Qt::Key_Escape);
    QVERIFY(d_->isVisible());
    QCOMPARE(escondido_->size(), 0);
    QTest::keyRelease(d_->windowHandle(), Qt::Key_Space);
    Fechado();
  }

  void keysOnAHiddenDialogDoNothing() {
    Mostrar();
    d_->Ok();
    QTest::keyClick(d_, Qt::Key_Return);
    QCOMPARE(escondido_->size(), 1);
    QVERIFY(!d_->isVisible());
  }
};

QTEST_MAIN(TesteOk)
#include "tst_ok.moc"

// The message dialog, driven through its window as the platform would.
#include <QLabel>
#include <QtTest>

#include "Unit2.h"
#include "figuras.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "regiao.h"

namespace {
bool MesmaImagem(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}
}  // namespace

class TesteDialogo : public QObject {
  Q_OBJECT
  TformDialog* d_ = nullptr;
  QWindow* Janela() { return d_->windowHandle(); }
  QImage Pressionado() { return LooksDoOk().copy(0, 0, 75, 26); }
  QImage Normal() { return LooksDoOk().copy(0, 26, 75, 26); }

 private slots:
  void init() {
    d_ = new TformDialog;
    d_->imp->SetPicture(FundoDialogo());
    d_->img1->SetPicture(LooksDoOk());
  }
  void cleanup() { delete d_; }

  void startsHiddenAndIsTheSingleInstance() {
    QVERIFY(!d_->isVisible());
    QCOMPARE(formDialog, d_);
    QVERIFY(d_->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(d_->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!d_->isModal());
  }

  void secondMessageReplacesTheFirst() {
    d_->Mostrar("Sem dinheiro Suficiente");
    d_->Mostrar("Capacidade de dirigir o município em dúvida");
    QVERIFY(QTest::qWaitForWindowExposed(d_));
    QCOMPARE(d_->lblMensagem->text(), QString("Capacidade de dirigir o município em dúvida"));
    int dialogos = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TformDialog*>(w) && w->isVisible()) ++dialogos;
    QCOMPARE(dialogos, 1);
    // The longest event text wraps onto two lines inside the label.
    const QFontMetrics fm(d_->lblMensagem->font());
    const QRect caixa =
        fm.boundingRect(QRect(0, 0, 241, 1000), Qt::TextWordWrap | Qt::AlignHCenter, d_->lblMensagem->text());
    QCOMPARE(caixa.height() / fm.lineSpacing(), 2);
    QVERIFY(d_->lblMensagem->alignment() & Qt::AlignHCenter);
  }

  void okShowsPressedLookThenHides() {
    QSignalSpy escondido(d_, &TformDialog::Escondido);
    d_->Mostrar("Você ganhou!");
    QVERIFY(QTest::qWaitForWindowActive(d_));
    QVERIFY(MesmaImagem(d_->btn->Picture(), Normal()));
    QTest::mousePress(Janela(), Qt::RightButton, {}, QPoint(120, 90));
    QVERIFY(MesmaImagem(d_->btn->Picture(), Pressionado()));
    QVERIFY(d_->isVisible());
    // Released away from the button: the press still ends on it.
    QTest::mouseRelease(Janela(), Qt::RightButton, {}, QPoint(20, 110));
    QVERIFY(MesmaImagem(d_->btn->Picture(), Normal()));
    QVERIFY(!d_->isVisible());
    QCOMPARE(escondido.size(), 1);
  }

  void dragMovesAndNextMessageAppearsThere() {
    d_->Mostrar("Primeira");
    QVERIFY(QTest::qWaitForWindowExposed(d_));
    const QPoint antes = d_->pos();
    QTest::mousePress(Janela(), Qt::LeftButton, {}, QPoint(30, 100));
    QTest::mouseMove(Janela(), QPoint(35, 97));
    QTRY_COMPARE(d_->pos(), antes + QPoint(5, -3));
    QTest::mouseRelease(Janela(), Qt::LeftButton, {}, QPoint(30, 100));
    QVERIFY(!d_->Arrastando);
    // No longer dragging: moving the pointer leaves the dialog alone.
    QTest::mouseMove(Janela(), QPoint(60, 60));
    QCOMPARE(d_->pos(), antes + QPoint(5, -3));
    QTest::mouseClick(Janela(), Qt::LeftButton, {}, QPoint(120, 90));
    QVERIFY(!d_->isVisible());
    d_->Mostrar("Segunda");
    QVERIFY(QTest::qWaitForWindowExposed(d_));
    QCOMPARE(d_->pos(), antes + QPoint(5, -3));
  }

  void pressOnTheTextDoesNotDrag() {
    d_->Mostrar("Texto");
    QVERIFY(QTest::qWaitForWindowExposed(d_));
    const QPoint antes = d_->pos();
    QTest::mousePress(Janela(), Qt::LeftButton, {}, QPoint(100, 30));
    QTest::mouseMove(Janela(), QPoint(110, 40));
    QTest::mouseRelease(Janela(), Qt::LeftButton, {}, QPoint(110, 40));
    QCOMPARE(d_->pos(), antes);
    QVERIFY(d_->isVisible());
  }

  void outlineExcludesTheCorners() {
    d_->Mostrar("Forma");
    QCOMPARE(d_->size(), QSize(270, 120));
    const QRegion m = d_->mask();
    for (QPoint canto : {QPoint(0, 0), QPoint(269, 0), QPoint(0, 119), QPoint(269, 119), QPoint(2, 2)})
      QVERIFY2(!m.contains(canto), qPrintable(QString("%1,%2").arg(canto.x()).arg(canto.y())));
    for (QPoint dentro : {QPoint(135, 60), QPoint(12, 0), QPoint(0, 60), QPoint(269, 60)}) QVERIFY(m.contains(dentro));
    QCOMPARE(m, RegiaoOpaca(FundoDialogo()));
  }

  void gameArtworkShapesTheDialog() {
    const QImage fundo = FiguraEmbutida(QStringLiteral("dlgImp.bmp"));
    QVERIFY2(!fundo.isNull(), "the game's artwork must be linked in");
    TformDialog real;
    real.Mostrar("Ok");
    QCOMPARE(real.size(), QSize(270, 120));
    QVERIFY(!real.mask().contains(QPoint(0, 0)));
    QVERIFY(real.mask().contains(QPoint(135, 60)));
  }
};

QTEST_MAIN(TesteDialogo)
#include "tst_dialogo.moc"

// Qt may ask for a window's accessible interface while the window is still
// being built: Qt 6.8 does from setWindowTitle, with or without a reader.
// Here every event a window gets while it is made asks for its interface
// and reads it and its children, from before the first window is made:
// nothing may read a part that is not made yet (run under ASan too), and
// once built each window has its own role and Portuguese name, as on any Qt.
// (The events of a child being added come while that child is itself half
// made, when not even Qt's own interfaces can be read: Qt does not ask then.)
#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "acessivel.h"
#include "erro.h"
#include "imagem.h"
#include "programa.h"

namespace {

QAccessibleInterface* I(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// Reads what a reader would read of an interface and of its children.
void Ler(QAccessibleInterface* i, int fundo) {
  if (!i || !i->isValid()) return;
  (void)i->role();
  (void)i->state();
  for (const auto t : {QAccessible::Name, QAccessible::Description, QAccessible::Value}) (void)i->text(t);
  if (QAccessibleActionInterface* a = i->actionInterface()) (void)a->actionNames();
  if (QAccessibleValueInterface* v = i->valueInterface()) (void)v->currentValue();
  if (fundo == 0) return;
  for (int k = 0; k < i->childCount(); ++k) Ler(i->child(k), fundo - 1);
}

class TPerguntador : public QObject {
 public:
  QSet<QObject*> perguntadas;  // the windows asked for
  bool eventFilter(QObject* o, QEvent* e) override {
    if (lendo_ || !o->isWidgetType() || !static_cast<QWidget*>(o)->isWindow()) return false;
    if (e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildPolished || e->type() == QEvent::ChildRemoved)
      return false;
    lendo_ = true;
    Ler(I(o), 1);
    perguntadas << o;
    lendo_ = false;
    return false;
  }

 private:
  bool lendo_ = false;
};

}  // namespace

class TstPedidosCedo : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;

  void VerificarJanelas(TPrograma& p) {
    QCOMPARE(I(&p.Form1)->role(), QAccessible::Window);
    QCOMPARE(I(&p.Form1)->text(QAccessible::Name), QStringLiteral("Varzeno"));
    QCOMPARE(I(&p.formDialog)->role(), QAccessible::AlertMessage);
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    DefinirCaixaDeErro([](const QString& t) { QFAIL(qPrintable(t)); });
  }

  void asJanelasRespondemEnquantoSaoFeitas() {
    TPerguntador perguntador;
    qApp->installEventFilter(&perguntador);
    {
      TPrograma p;
      QVERIFY(perguntador.perguntadas.contains(&p.Form1) && perguntador.perguntadas.contains(&p.formDialog));
      VerificarJanelas(p);
      // A reader comes: the window's controls are described, and the dialog
      // is the alert of its message, with its Ok.
      QAccessible::setActive(true);
      QCOMPARE(I(p.Form1.Image1)->text(QAccessible::Name), QStringLiteral("Começar"));
      p.formDialog.Mostrar(QStringLiteral("Selecione seu candidato!"));
      QCOMPARE(I(&p.formDialog)->text(QAccessible::Name), QStringLiteral("Selecione seu candidato!"));
      QCOMPARE(I(p.formDialog.btn)->text(QAccessible::Name), QStringLiteral("Ok"));
      QCOMPARE(I(&p.formDialog)->indexOfChild(I(p.formDialog.lblMensagem)), -1);  // read as its name, not twice
      VerificarJanelas(p);
      p.formDialog.Ok();
    }
    qApp->removeEventFilter(&perguntador);
  }
};

QTEST_MAIN(TstPedidosCedo)
#include "tst_pedidos_cedo.moc"

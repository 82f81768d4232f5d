// The error box, the platform choice and the browser call.
#include <QtTest>
#include <stdexcept>

#include "ambiente.h"
#include "erro.h"

namespace {
class Falhador : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("Unknown picture file extension (.jpg)");
    return QObject::event(e);
  }
};
}  // namespace

class TesteAplicacao : public QObject {
  Q_OBJECT
 private slots:
  void uncaughtErrorGoesToTheErrorBox() {
    QStringList caixa;
    DefinirCaixaDeErro([&](const QString& t) { caixa << t; });
    Falhador f;
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&f, &e);
    // Posted events reach the handler from the event loop too.
    QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    int depois = 0;
    Proteger([&] {
      throw std::runtime_error("foto.jpg");
      depois = 1;
    });
    Proteger([&] { depois = 2; });
    DefinirCaixaDeErro({});
    QCOMPARE(caixa, QStringList({"Unknown picture file extension (.jpg)", "Unknown picture file extension (.jpg)",
                                 "foto.jpg"}));
    QCOMPARE(depois, 2);
  }

  void xwaylandOnlyWhenBothDisplaysAndNoChoice() {
    QVERIFY(UsarXWayland("wayland-0", ":0", ""));
    QVERIFY(!UsarXWayland("wayland-0", "", ""));
    QVERIFY(!UsarXWayland("wayland-0", ":0", "wayland"));
    QVERIFY(!UsarXWayland("", ":0", ""));
  }
};

int main(int argc, char** argv) {
  TAplicacao app(argc, argv);
  TesteAplicacao t;
  return QTest::qExec(&t, argc, argv);
}
#include "tst_aplicacao.moc"

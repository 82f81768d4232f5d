#include "programa.h"

#include <QStyleFactory>

#include "ambiente.h"
#include "erro.h"

TPrograma::TPrograma() {
  // Without a window manager nothing hands the focus back by itself.
  QObject::connect(&formDialog, &TformDialog::Escondido, &Form1, [this] {
    if (Form1.isVisible()) {
      Form1.raise();
      Form1.activateWindow();
    }
  });
}

int ExecutarJogo(int argc, char** argv, const std::function<void(TPrograma&)>& aoCriar) {
  EscolherPlataforma();
  TAplicacao app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varzeno"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  TPrograma programa;
  if (aoCriar) aoCriar(programa);
  programa.Form1.show();
  return QApplication::exec();
}

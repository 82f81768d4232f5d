// The baseline: a bare Qt window of the game's size, nothing else.
#include <QApplication>
#include <QWidget>

#include "primeira_pintura.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w(nullptr, Qt::FramelessWindowHint);
  w.resize(650, 198);
  w.move(192, 107);
  TPrimeiraPintura filtro;
  w.installEventFilter(&filtro);
  w.show();
  return QApplication::exec();
}

// The game exactly as it starts, reporting its main window's first paint.
#include "primeira_pintura.h"
#include "programa.h"

int main(int argc, char** argv) {
  TPrimeiraPintura filtro;
  return ExecutarJogo(argc, argv, [&](TPrograma& p) { p.Form1.installEventFilter(&filtro); });
}

#include "fontes.h"

#include <fontconfig/fontconfig.h>

TFontesAntecipadas::TFontesAntecipadas() : leitura_([] { FcInit(); }) {}

TFontesAntecipadas::~TFontesAntecipadas() { Esperar(); }

void TFontesAntecipadas::Esperar() {
  if (leitura_.joinable()) leitura_.join();
}

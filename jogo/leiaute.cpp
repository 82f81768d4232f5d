#include "leiaute.h"

namespace varzeno::jogo {

std::string EstiloDoLeiaute() {
  std::string css;
  const auto px = [&css](const char* propriedade, int n) {
    css += std::string(propriedade) + ": " + std::to_string(n) + "px; ";
  };
  for (const TLugar& l : kLeiaute) {
    if (!l.pagina) continue;
    css += (l.nome[0] == '.' ? "" : "#") + std::string(l.nome) + " { ";
    px("left", l.x);
    px("top", l.y);
    if (l.w) px("width", l.w);
    if (l.h) px("height", l.h);
    if (l.fonte) px("font-size", l.fonte);
    css += "}\n";
  }
  return css;
}

}  // namespace varzeno::jogo

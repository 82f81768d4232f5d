#include "leiaute.h"

namespace varzeno::jogo {

std::string EstiloDoLeiaute() {
  // The window's size, for the page's frame and the first frame's scale.
  const TLugar& janela = Lugar("Form1");
  std::string css = ":root { --largura-janela: " + std::to_string(janela.w) + "px; --altura-janela: " +
                    std::to_string(janela.h) + "px; }\n";
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

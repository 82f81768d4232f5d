// The game as the screen-reader test starts it: the same program, with a
// fixed seed so that every run plays the same game, and a quick chart.
#include <cstdlib>

#include "aleatorio.h"
#include "programa.h"

int main(int argc, char** argv) {
  const char* semente = std::getenv("VARZENO_SEMENTE");
  return ExecutarJogo(argc, argv, [semente](TPrograma& p) {
    varzeno::RandSeed(semente ? static_cast<uint32_t>(std::strtoul(semente, nullptr, 10)) : 77u);
    p.Form1.PausaGrafico = 5;
  });
}

// Writes the page's rules for where each widget sits (jogo/leiaute.h, the
// table the desktop builds from) to the named file; the site's build puts
// them into the page's stylesheet.
#include <fstream>
#include <iostream>

#include "leiaute.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: varzeno-estilo-leiaute FILE.css\n";
    return 2;
  }
  std::ofstream f(argv[1], std::ios::binary);
  f << varzeno::jogo::EstiloDoLeiaute();
  return f.flush() ? 0 : 1;
}

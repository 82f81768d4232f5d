#pragma once
// The window benchmarks need a real X server: without a display they run
// themselves again under xvfb-run.

#include <unistd.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bancada {

// Runs the benchmark again under xvfb-run with a 24-bit screen when there is
// no display. Returns only when a display is there.
inline void GarantirTela(int argc, char** argv, const char* tela = "-screen 0 1280x800x24") {
  if (!qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsSet("VARZENO_BENCH_XVFB")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    return;
  }
  qputenv("VARZENO_BENCH_XVFB", "1");
  std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                             const_cast<char*>(tela)};
  for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  execvp("xvfb-run", args.data());
  std::perror("xvfb-run");
  std::exit(1);
}

}  // namespace bancada

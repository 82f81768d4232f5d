// varzeno-mkassets: draws the game's pictures and synthesises its sounds into
// the folder named on the command line (the committed assets/ folder).
#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "arte.h"

namespace {

const char* const kAjuda =
    "Uso: varzeno-mkassets [--so-imagens | --so-sons] PASTA\n"
    "\n"
    "Desenha as figuras e sintetiza os sons do Varzeno em PASTA (normalmente\n"
    "assets/ do repositorio; o icone do aplicativo em PASTA/icons), sem precisar\n"
    "de tela (QT_QPA_PLATFORM=offscreen quando a variavel nao estiver definida).\n"
    "Por exemplo:\n"
    "\n"
    "  build/tools/mkassets/varzeno-mkassets assets\n"
    "\n"
    "ou: cmake --build build --target mkassets\n";

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs no screen; without this a machine with no display aborts.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  bool imagens = true, sons = true;
  QString pasta;
  for (const QString& a : args) {
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      std::fputs(kAjuda, stdout);
      return 0;
    } else if (a == QLatin1String("--so-imagens")) {
      sons = false;
    } else if (a == QLatin1String("--so-sons")) {
      imagens = false;
    } else if (a.startsWith(QLatin1Char('-')) || !pasta.isEmpty()) {
      std::fputs(kAjuda, stderr);
      return 2;
    } else {
      pasta = a;
    }
  }
  if (pasta.isEmpty()) {
    std::fputs(kAjuda, stderr);
    return 2;
  }
  if (!QDir().mkpath(pasta)) {
    std::fprintf(stderr, "nao foi possivel criar %s\n", qPrintable(pasta));
    return 1;
  }
  bool ok = true;
  if (imagens) {
    ok = arte::gerarImagens(pasta) && ok;
    ok = arte::gerarIcone(pasta) && ok;
  }
  if (sons) ok = arte::gerarSons(pasta) && ok;
  return ok ? 0 : 1;
}

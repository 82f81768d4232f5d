// varzeno-metafile: draws one metafile read from standard input and writes
// it to standard output as PNG. Usage: varzeno-metafile emf|wmf
// The game runs it for each metafile photo, so that a damaged or hostile
// file can at worst end this process, never the game. It limits itself
// before it reads a byte; the game also kills it after a wall-clock time.
// Exit status 0 with the PNG, or 1 with a message on standard error.

#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <cstdio>
#include <exception>

#include "limites.h"
#include "metafile.h"

namespace {

// Room for Qt, its fonts and the largest picture allowed.
constexpr rlim_t kMemoriaMaxima = rlim_t(1) << 30;
constexpr rlim_t kSegundosDeProcessador = 8;

void Limitar(int recurso, rlim_t valor) {
  rlimit limite{valor, valor};
  setrlimit(recurso, &limite);
}

bool LerTudo(QByteArray& dados) {
  char pedaco[64 * 1024];
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, pedaco, sizeof pedaco);
    if (n < 0) return false;
    if (n == 0) return true;
    if (dados.size() + n > kBytesMaximosArquivo) return false;
    dados.append(pedaco, n);
  }
}

bool EscreverTudo(const QByteArray& dados) {
  qsizetype feito = 0;
  while (feito < dados.size()) {
    const ssize_t n = write(STDOUT_FILENO, dados.constData() + feito, size_t(dados.size() - feito));
    if (n <= 0) return false;
    feito += n;
  }
  return true;
}

int Erro(const char* mensagem) {
  std::fprintf(stderr, "%s\n", mensagem);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Limitar(RLIMIT_AS, kMemoriaMaxima);
  Limitar(RLIMIT_CPU, kSegundosDeProcessador);
  Limitar(RLIMIT_CORE, 0);

  const QByteArray tipo = argc == 2 ? QByteArray(argv[1]) : QByteArray();
  if (tipo != "emf" && tipo != "wmf") return Erro("uso: varzeno-metafile emf|wmf");

  // Text in a metafile needs Qt's fonts, and so a GUI application, but
  // never a window.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacao(argc, argv);
  QImageReader::setAllocationLimit(kMegabytesAlocacao);

  QByteArray entrada;
  if (!LerTudo(entrada)) return Erro("metafile grande demais ou ilegível");
  try {
    QByteArray png;
    if (tipo == "wmf") {
      png = metafile::WmfParaPng(entrada);
    } else {
      const QImage imagem = metafile::DecodificarEmf(entrada);
      QBuffer saida(&png);
      saida.open(QIODevice::WriteOnly);
      if (!imagem.save(&saida, "PNG")) return Erro("não foi possível gerar o PNG");
    }
    if (!EscreverTudo(png)) return Erro("não foi possível escrever o PNG");
    return 0;
  } catch (const std::exception& e) {
    return Erro(e.what());
  }
}

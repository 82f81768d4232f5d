// Qt's readers of bmp, ico, jpg and png behind the size cap. The first byte
// picks the format, the rest is the file.
#include <QCoreApplication>
#include <cstdlib>
#include <stdexcept>

#include "figuras.h"
#include "resultado.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication aplicacao(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (tamanho < 1) return 0;
  static const char* const formatos[] = {"bmp", "ico", "jpg", "png"};
  const char* formato = formatos[dados[0] % 4];
  const QByteArray bytes(reinterpret_cast<const char*>(dados + 1), qsizetype(tamanho - 1));
  try {
    const QImage imagem = DecodificarFiguraQt(bytes, formato);
    if (!CabeNoLimite(imagem.size())) std::abort();
    MarcarResultado(dados[0] % 4, Classe(imagem.width()) * 64 + Classe(imagem.height()) + 1000 * imagem.format());
  } catch (const std::runtime_error& e) {
    MarcarResultado(10 + dados[0] % 4, Hash(e.what()));
  }
  return 0;
}

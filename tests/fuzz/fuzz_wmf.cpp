// The Windows metafile path of the helper: libwmf's gd renderer to PNG.
// Drawn small to keep the runs fast.
#include <cstdlib>
#include <stdexcept>

#include "metafile.h"
#include "resultado.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  try {
    const QByteArray png = metafile::WmfParaPng(bytes, 128);
    MarcarResultado(1, Classe(png.size()) * 64 + Classe(bytes.size()));
  } catch (const std::runtime_error& e) {
    MarcarResultado(2, Hash(e.what()));
  }
  return 0;
}

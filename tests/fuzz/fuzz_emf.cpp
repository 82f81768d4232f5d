// The enhanced metafile path of the helper: record chain check, libemf2svg
// on the padded copy, Qt's SVG renderer. Drawn small to keep the runs fast;
// the size rules have tests of their own.
#include <QGuiApplication>
#include <QImageReader>
#include <cstdlib>
#include <stdexcept>

#include "metafile.h"
#include "resultado.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication aplicacao(*argc, *argv);
  QImageReader::setAllocationLimit(kMegabytesAlocacao);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  // The steps of DecodificarEmf one by one, to tell how far each input got.
  try {
    const QSize tamanho = metafile::TamanhoEmf(bytes, 128);
    if (tamanho.width() > 128 || tamanho.height() > 128) std::abort();
    const QByteArray svg = metafile::EmfParaSvg(bytes, tamanho);
    MarcarResultado(1, Classe(svg.size()) * 64 + Classe(svg.count('<')));
    const QImage imagem = metafile::DesenharSvg(svg, tamanho);
    if (imagem.size() != tamanho) std::abort();
    MarcarResultado(2, Classe(bytes.size()));
  } catch (const std::runtime_error& e) {
    MarcarResultado(3, Hash(e.what()));
  }
  return 0;
}

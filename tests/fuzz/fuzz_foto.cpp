// The candidates' photo path: bmp, ico, jpg and png decoded straight to the
// slot's size (JPEG reduced by libjpeg with its EXIF turn, or from its
// blocks' means when large and progressive; PNG row by row
// through libpng). The first byte picks the format, the rest is the file,
// written where the loader reads it from: a path with the extension.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <stdexcept>

#include "figuras.h"
#include "resultado.h"

namespace {
QString g_pasta;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication aplicacao(*argc, *argv);
  g_pasta = QDir::tempPath() + QStringLiteral("/varzeno-fuzz-foto-%1").arg(QCoreApplication::applicationPid());
  QDir().mkpath(g_pasta);
  // libFuzzer ends by exit(): the folder goes with it.
  std::atexit([] { QDir(g_pasta).removeRecursively(); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (tamanho < 1) return 0;
  static const char* const formatos[] = {"bmp", "ico", "jpg", "png"};
  const int f = dados[0] % 4;
  const QString caminho = g_pasta + QStringLiteral("/foto.") + QLatin1String(formatos[f]);
  {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    arquivo.write(reinterpret_cast<const char*>(dados + 1), qint64(tamanho - 1));
  }
  try {
    const QImage imagem = CarregarFigura(caminho, kLadoFoto);
    // A photo never comes larger than its slot asks, whatever the file says.
    if (imagem.isNull() || imagem.width() > kLadoFoto || imagem.height() > kLadoFoto) std::abort();
    MarcarResultado(f, Classe(imagem.width()) * 64 + Classe(imagem.height()) + 1000 * imagem.format());
  } catch (const std::runtime_error& e) {
    MarcarResultado(10 + f, Hash(e.what()));
  }
  return 0;
}

// Peak memory of loading one 50-megapixel photo into a candidate's slot,
// above what the process held before: the target is 64 MiB for a JPEG,
// baseline as cameras write it or progressive as editors and the web do.
// 8- and 16-bit PNG of the same size are reported alongside. Each photo is written, then loaded
// in a process of its own, so that one measure cannot lift another's peak.
// Exit status 0 when the target is met, 3 when not, 1 on a failure.
#include <png.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include "figuras.h"

namespace {

constexpr int kLargura = 8660, kAltura = 5774;  // 50.0 megapixels, 3:2
constexpr long kAlvoKib = 64 * 1024;

long CampoKib(const char* nome) {
  QFile f("/proc/self/status");
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& linha : f.readAll().split('\n'))
    if (linha.startsWith(nome)) return linha.mid(int(qstrlen(nome))).trimmed().split(' ').value(0).toLong();
  return -1;
}

// A photo-like picture: smooth gradients with fine detail over them.
QImage Cena() {
  QImage imagem(kLargura, kAltura, QImage::Format_RGB32);
  QPainter p(&imagem);
  QLinearGradient g(0, 0, kLargura, kAltura);
  g.setColorAt(0, QColor(30, 90, 160));
  g.setColorAt(0.5, QColor(220, 180, 90));
  g.setColorAt(1, QColor(40, 120, 50));
  p.fillRect(imagem.rect(), g);
  p.setPen(QColor(255, 255, 255, 60));
  for (int x = 0; x < kLargura; x += 7) p.drawLine(x, 0, kLargura - x, kAltura);
  return imagem;
}

bool GravarJpeg(const QString& caminho, bool progressivo) {
  QImageWriter escritor(caminho, "jpg");
  escritor.setQuality(90);
  escritor.setProgressiveScanWrite(progressivo);
  return escritor.write(Cena());
}

// PNG rows straight from libpng, so the writer never holds the picture.
bool GravarPng(const QString& caminho, int bits) {
  FILE* arquivo = std::fopen(QFile::encodeName(caminho).constData(), "wb");
  if (!arquivo) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> linha(size_t(kLargura) * 3 * size_t(bits / 8));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(arquivo);
    return false;
  }
  png_init_io(png, arquivo);
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, kLargura, kAltura, bits, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < kAltura; ++y) {
    for (int x = 0; x < kLargura; ++x) {
      const unsigned v[3] = {unsigned(x * 65535 / kLargura), unsigned(y * 65535 / kAltura), unsigned((x ^ y) * 97)};
      for (int c = 0; c < 3; ++c) {
        const size_t i = (size_t(x) * 3 + size_t(c)) * size_t(bits / 8);
        if (bits == 16) {
          linha[i] = png_byte(v[c] >> 8);
          linha[i + 1] = png_byte(v[c]);
        } else {
          linha[i] = png_byte(v[c] >> 8);
        }
      }
    }
    png_write_row(png, linha.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(arquivo) == 0;
}

// In the measuring process: Qt and its JPEG plugin loaded as in the game,
// then the one load. Prints "<KiB above the start> <ms>".
int Medir(int argc, char** argv, const QString& caminho) {
  QGuiApplication app(argc, argv);
  // A small photo of each kind first, so the plugins and libraries are in.
  for (const char* tipo : {"jpg", "png"}) {
    const QString pequena = caminho + QStringLiteral(".pequena.") + QLatin1String(tipo);
    QImage(64, 48, QImage::Format_RGB32).save(pequena, tipo);
    try {
      CarregarFigura(pequena, kLadoFoto);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    }
    QFile::remove(pequena);
  }
  const long antes = CampoKib("VmRSS:");
  QElapsedTimer relogio;
  relogio.start();
  QImage foto;
  try {
    foto = CarregarFigura(caminho, kLadoFoto);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  const qint64 ms = relogio.elapsed();
  const long pico = CampoKib("VmHWM:");
  if (foto.width() != kLadoFoto) return 1;
  std::printf("%ld %lld\n", pico - antes, (long long)ms);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && qstrcmp(argv[1], "--medir") == 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return Medir(argc, argv, QString::fromLocal8Bit(argv[2]));
  }
  if (argc == 4 && qstrcmp(argv[1], "--gravar") == 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QByteArray tipo = argv[2];
    const QString caminho = QString::fromLocal8Bit(argv[3]);
    const bool ok = tipo == "jpg"      ? GravarJpeg(caminho, false)
                    : tipo == "jpg-p"  ? GravarJpeg(caminho, true)
                    : tipo == "png"    ? GravarPng(caminho, 8)
                    : tipo == "png-16" ? GravarPng(caminho, 16)
                                       : false;
    return ok ? 0 : 1;
  }

  QCoreApplication app(argc, argv);
  QTemporaryDir pasta;
  const QString eu = QCoreApplication::applicationFilePath();
  struct TCaso {
    const char* tipo;
    const char* nome;
    bool alvo;
  } casos[] = {{"jpg", "JPEG baseline", true},
               {"jpg-p", "JPEG progressive", true},
               {"png", "PNG, 8 bits", false},
               {"png-16", "PNG, 16 bits", false}};
  std::printf("loading one %d x %d photo (%.1f megapixels) into a slot, peak memory above the process's start\n",
              kLargura, kAltura, kLargura * double(kAltura) / 1e6);
  bool passou = true;
  for (const TCaso& caso : casos) {
    const QString caminho = pasta.filePath(QString::fromLatin1(caso.tipo) + (caso.tipo[0] == 'j' ? ".jpg" : ".png"));
    if (QProcess::execute(eu, {"--gravar", caso.tipo, caminho}) != 0) {
      std::fprintf(stderr, "could not write the %s photo\n", caso.nome);
      return 1;
    }
    QProcess medida;
    medida.start(eu, {"--medir", caminho});
    if (!medida.waitForFinished(120000) || medida.exitCode() != 0) {
      std::fprintf(stderr, "the %s photo did not load: %s\n", caso.nome, medida.readAllStandardError().constData());
      return 1;
    }
    const QList<QByteArray> campos = medida.readAllStandardOutput().trimmed().split(' ');
    const long kib = campos.value(0).toLong();
    const bool ok = !caso.alvo || kib <= kAlvoKib;
    passou = passou && ok;
    std::printf("  %-17s %6.1f MiB  %5lld ms  %s\n", caso.nome, kib / 1024.0, campos.value(1).toLongLong(),
                caso.alvo ? (ok ? "PASS (limit 64 MiB)" : "FAIL (limit 64 MiB)") : "");
    QFile::remove(caminho);
  }
  return passou ? 0 : 3;
}

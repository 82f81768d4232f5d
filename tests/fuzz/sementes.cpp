// Writes the seed corpora of the fuzzers into the folder given:
// ini/, qt/ (a format byte, then the file), emf/ and wmf/.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

#include "amostras.h"
#include "bytes_figuras.h"
#include "configuracao.h"

namespace {
using bytes_figuras::Salvar;

bool Gravar(const QString& pasta, const QString& nome, const QByteArray& bytes) {
  QDir().mkpath(pasta);
  QFile f(pasta + QLatin1Char('/') + nome);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: fuzz_sementes PASTA\n");
    return 2;
  }
  const QString raiz = QString::fromLocal8Bit(argv[1]);
  bool ok = true;

  TSlotsCandidatos s;
  for (int k = 1; k <= 6; ++k)
    s[k - 1] = {QStringLiteral("C:\\Fotos\\c%1.bmp").arg(k), QStringLiteral(u"Candidato %1").arg(k * 10 + 5),
                QStringLiteral(u"Candidato do partido %1. O programa é \u0081 ação!").arg(k)};
  const QByteArray ini = MontarConfiguracao(s);
  ok &= Gravar(raiz + "/ini", "crlf.ini", ini);
  ok &= Gravar(raiz + "/ini", "lf.ini", QByteArray(ini).replace("\r\n", "\n"));
  ok &= Gravar(raiz + "/ini", "cr.ini", QByteArray(ini).replace("\r\n", "\r"));
  ok &= Gravar(raiz + "/ini", "curto.ini", ini.left(ini.size() / 3));

  QImage imagem(16, 12, QImage::Format_RGB32);
  imagem.fill(Qt::blue);
  QPainter(&imagem).fillRect(0, 0, 8, 12, Qt::red);
  const char* formatos[] = {"bmp", "ico", "jpg", "png"};
  for (int i = 0; i < 4; ++i) {
    ok &= Gravar(raiz + "/qt", QString::fromLatin1(formatos[i]), char(i) + Salvar(imagem, formatos[i]));
    ok &= Gravar(raiz + "/qt", QString::fromLatin1(formatos[i]) + "-8bits",
                 char(i) + Salvar(imagem.convertToFormat(QImage::Format_Indexed8), formatos[i]));
  }

  // What phones and cameras write: 16 bits a channel, interlaced and
  // progressive files (small, and large), and a portrait JPEG turned by its
  // EXIF.
  ok &= Gravar(raiz + "/qt", "png-16bits", char(3) + Salvar(imagem.convertToFormat(QImage::Format_RGBA64), "png"));
  {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "jpg");
    escritor.setProgressiveScanWrite(true);
    escritor.setTransformation(QImageIOHandler::TransformationRotate90);
    ok &= escritor.write(imagem) && Gravar(raiz + "/qt", "jpg-progressivo-girado", char(2) + bytes);
  }
  {
    // Large enough to be read from its blocks' means, plain enough to stay
    // a few KB: the flag stretched over 1600 x 1200.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "jpg");
    escritor.setProgressiveScanWrite(true);
    escritor.setQuality(30);
    ok &= escritor.write(imagem.scaled(1600, 1200)) && bytes.size() < 65536 &&
          Gravar(raiz + "/qt", "jpg-progressivo-grande", char(2) + bytes);
  }
  {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "png");
    escritor.setProgressiveScanWrite(true);  // Adam7
    ok &= escritor.write(imagem) && Gravar(raiz + "/qt", "png-entrelacado", char(3) + bytes);
  }

  ok &= Gravar(raiz + "/emf", "amostra.emf", amostras::Emf());
  ok &= Gravar(raiz + "/emf", "pequena.emf", amostras::Emf(8, 8));
  ok &= Gravar(raiz + "/wmf", "amostra.wmf", amostras::Wmf());
  ok &= Gravar(raiz + "/wmf", "texto.wmf", amostras::Wmf(60, 30, true));
  return ok ? 0 : 1;
}

#pragma once
// Picture bytes made in the picture tests: files saved from a QImage, headers
// that declare another size than they hold, and the message a load throws.

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace bytes_figuras {

inline QByteArray Salvar(const QImage& imagem, const char* formato) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  imagem.save(&buffer, formato);
  return bytes;
}

// The left half red, the right half blue.
inline QImage Bandeira(int largura = 40, int altura = 30, QImage::Format formato = QImage::Format_RGB32) {
  QImage imagem(largura, altura, formato);
  imagem.fill(Qt::blue);
  QPainter(&imagem).fillRect(0, 0, largura / 2, altura, Qt::red);
  return imagem;
}

inline bool Perto(QRgb a, QColor b, int tolerancia) {
  return std::abs(qRed(a) - b.red()) <= tolerancia && std::abs(qGreen(a) - b.green()) <= tolerancia &&
         std::abs(qBlue(a) - b.blue()) <= tolerancia;
}

// PNG's chunk checksum.
inline quint32 Crc32(const QByteArray& dados) {
  quint32 crc = 0xFFFFFFFF;
  for (char c : dados) {
    crc ^= quint8(c);
    for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

// A PNG whose header declares the given size, checksum right, pixels for 1 x 1.
inline QByteArray PngDeclarando(quint32 largura, quint32 altura) {
  QByteArray png = Salvar(QImage(1, 1, QImage::Format_RGB32), "png");
  const qsizetype ihdr = png.indexOf("IHDR");
  qToBigEndian(largura, png.data() + ihdr + 4);
  qToBigEndian(altura, png.data() + ihdr + 8);
  qToBigEndian(Crc32(png.mid(ihdr, 17)), png.data() + ihdr + 17);
  return png;
}

// A JPEG of the flag whose frame header declares the given size.
inline QByteArray JpgDeclarando(quint16 largura, quint16 altura) {
  QByteArray jpg = Salvar(Bandeira(), "jpg");
  const qsizetype sof = jpg.indexOf("\xFF\xC0");
  qToBigEndian(altura, jpg.data() + sof + 5);
  qToBigEndian(largura, jpg.data() + sof + 7);
  return jpg;
}

// An APP1 segment with one EXIF tag, Orientation, right after the JPEG's
// start marker.
inline QByteArray ComOrientacao(QByteArray jpg, quint16 orientacao) {
  QByteArray app1("\xFF\xE1", 2);
  QByteArray corpo("Exif\0\0MM\0\x2A\0\0\0\x08", 14);  // big-endian TIFF, first IFD at 8
  corpo += QByteArray("\0\x01", 2);                    // one entry
  corpo += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8);  // Orientation, SHORT, count 1
  corpo += char(orientacao >> 8);
  corpo += char(orientacao & 0xFF);
  corpo += QByteArray(2, '\0');  // the value's padding
  corpo += QByteArray(4, '\0');  // no next IFD
  const quint16 comprimento = quint16(corpo.size() + 2);
  app1 += char(comprimento >> 8);
  app1 += char(comprimento & 0xFF);
  jpg.insert(2, app1 + corpo);
  return jpg;
}

// Writes `bytes` as the file `nome` in `pasta`; its path, or empty when it
// could not be written.
inline QString GravarEm(const QTemporaryDir& pasta, const QString& nome, const QByteArray& bytes) {
  const QString caminho = pasta.filePath(nome);
  QFile f(caminho);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) return {};
  return caminho;
}

// The message `f` throws, or empty when it does not throw.
inline QString Mensagem(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}

}  // namespace bytes_figuras

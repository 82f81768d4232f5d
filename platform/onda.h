#pragma once
// RIFF/WAVE files: their format, and their samples as 32-bit floats for the
// sound device. The game plays its waves through this rather than through
// QSoundEffect, whose channel mapping in Qt 6.8 crashes inside FFmpeg
// (swr_init on a context that failed to set up) whenever a wave's channels
// differ from the device's: a mono wave on a stereo device, that is, every
// sound the game has.

#include <QIODevice>
#include <memory>
#include <optional>

struct TFormatoOnda {
  quint16 codigo = 0;  // 1 integer PCM, 3 IEEE float
  quint16 canais = 0;
  quint32 taxa = 0;     // frames per second
  quint16 bits = 0;     // per sample
  qint64 inicio = 0;    // where the samples start in the file
  qint64 tamanho = 0;   // bytes of samples, whole frames only

  int BytesPorQuadro() const { return canais * (bits / 8); }
};

// The format of a PCM or float wave whose data chunk lies wholly inside the
// file (integers of 8 to 32 bits and more, floats of 32 or 64), read from a
// device open for reading; nothing for anything else.
std::optional<TFormatoOnda> LerFormatoOnda(QIODevice& arquivo);

// A wave's samples as interleaved 32-bit floats in `canaisSaida` channels,
// read from the file as the device asks for them, so a long wave costs no
// memory and no wait. A mono wave goes to every output channel; a wave with
// more channels than the output is mixed down to mono or keeps its first
// ones. Ends at the end of the samples, or early on a read error.
class TOndaEmFloat : public QIODevice {
 public:
  TOndaEmFloat(std::unique_ptr<QIODevice> arquivo, const TFormatoOnda& formato, int canaisSaida);
  ~TOndaEmFloat() override;

  bool isSequential() const override { return true; }
  // A sound does not rewind: a sink that closes asks, and is told no.
  bool reset() override { return false; }
  qint64 bytesAvailable() const override;

 protected:
  qint64 readData(char* dados, qint64 maximo) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  float Amostra(const char* p) const;
  // Reads and converts up to `quadros` frames into `dados`; returns the bytes made.
  qint64 Converter(char* dados, qint64 quadros);

  std::unique_ptr<QIODevice> arquivo_;
  TFormatoOnda formato_;
  int canaisSaida_;
  qint64 quadrosRestantes_;
  QByteArray entrada_;   // one read's worth of the file
  QByteArray pendente_;  // the rest of a frame a short read split
};

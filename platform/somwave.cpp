#include "somwave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "dados.h"
#include "som.h"

namespace {

quint32 Le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 Le16(const char* p) { return qFromLittleEndian<quint16>(p); }

}  // namespace

bool WaveValido(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const qint64 tamanho = f.size();
  char cab[12];
  if (f.read(cab, 12) != 12 || memcmp(cab, "RIFF", 4) != 0 || memcmp(cab + 8, "WAVE", 4) != 0) return false;

  bool formatoBom = false;
  qint64 pos = 12;
  while (pos + 8 <= tamanho) {
    char chunk[8];
    if (!f.seek(pos) || f.read(chunk, 8) != 8) return false;
    const qint64 corpo = Le32(chunk + 4);
    if (memcmp(chunk, "fmt ", 4) == 0) {
      char fmt[16];
      if (corpo < 16 || f.read(fmt, 16) != 16) return false;
      const quint16 codigo = Le16(fmt), canais = Le16(fmt + 2), bits = Le16(fmt + 14);
      const quint32 taxa = Le32(fmt + 4);
      formatoBom = (codigo == 1 || codigo == 3) && canais > 0 && taxa > 0 && bits > 0 && bits % 8 == 0;
      if (!formatoBom) return false;
    } else if (memcmp(chunk, "data", 4) == 0) {
      return formatoBom && corpo > 0 && pos + 8 + corpo <= tamanho;
    }
    pos += 8 + corpo + (corpo & 1);  // chunks are padded to even sizes
  }
  return false;
}

QString LocalizarWave(const QString& nome) {
  if (nome.isEmpty()) return {};
  if (QFileInfo(nome).isFile()) return QFileInfo(nome).absoluteFilePath();
  return LocalizarNoJogo(nome);
}

TSomWave::TSomWave(QObject* parent) : QObject(parent) {}

// The effect stops itself as it goes.
TSomWave::~TSomWave() = default;

IEfeitoSonoro* TSomWave::Efeito() {
  if (!efeito_)
    if (IFabricaDeSom* fabrica = FabricaDeSom()) efeito_ = fabrica->CriarEfeito();
  return efeito_.get();
}

void TSomWave::Tocar(const QString& nome) {
  const QString caminho = LocalizarWave(nome);
  const QUrl fonte = !caminho.isEmpty() && WaveValido(caminho) ? QUrl::fromLocalFile(caminho) : kSomPadrao;
  if (IEfeitoSonoro* efeito = Efeito()) efeito->Tocar(fonte);
}

void TSomWave::Parar() {
  if (efeito_) efeito_->Parar();
  emit Parou();
}

QUrl TSomWave::Fonte() const { return efeito_ ? efeito_->Fonte() : QUrl(); }

bool TSomWave::Tocando() const { return efeito_ && efeito_->Tocando(); }

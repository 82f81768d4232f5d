#include "onda.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

quint32 Le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 Le16(const char* p) { return qFromLittleEndian<quint16>(p); }

bool FormatoTocavel(quint16 codigo, quint16 canais, quint32 taxa, quint16 bits) {
  if (canais == 0 || taxa == 0 || bits == 0 || bits % 8 != 0) return false;
  if (codigo == 1) return true;
  return codigo == 3 && (bits == 32 || bits == 64);
}

// Frames read from the file at a time.
constexpr qint64 kQuadrosPorLeitura = 4096;

}  // namespace

std::optional<TFormatoOnda> LerFormatoOnda(QIODevice& f) {
  const qint64 tamanho = f.size();
  char cab[12];
  if (!f.seek(0) || f.read(cab, 12) != 12 || memcmp(cab, "RIFF", 4) != 0 || memcmp(cab + 8, "WAVE", 4) != 0)
    return std::nullopt;

  std::optional<TFormatoOnda> formato;
  qint64 pos = 12;
  while (pos + 8 <= tamanho) {
    char chunk[8];
    if (!f.seek(pos) || f.read(chunk, 8) != 8) return std::nullopt;
    const qint64 corpo = Le32(chunk + 4);
    if (memcmp(chunk, "fmt ", 4) == 0) {
      char fmt[16];
      if (corpo < 16 || f.read(fmt, 16) != 16) return std::nullopt;
      TFormatoOnda lido;
      lido.codigo = Le16(fmt);
      lido.canais = Le16(fmt + 2);
      lido.taxa = Le32(fmt + 4);
      lido.bits = Le16(fmt + 14);
      if (!FormatoTocavel(lido.codigo, lido.canais, lido.taxa, lido.bits)) return std::nullopt;
      formato = lido;
    } else if (memcmp(chunk, "data", 4) == 0) {
      if (!formato || corpo <= 0 || pos + 8 + corpo > tamanho) return std::nullopt;
      formato->inicio = pos + 8;
      formato->tamanho = corpo - corpo % formato->BytesPorQuadro();
      return formato;
    }
    pos += 8 + corpo + (corpo & 1);  // chunks are padded to even sizes
  }
  return std::nullopt;
}

TOndaEmFloat::TOndaEmFloat(std::unique_ptr<QIODevice> arquivo, const TFormatoOnda& formato, int canaisSaida)
    : arquivo_(std::move(arquivo)),
      formato_(formato),
      canaisSaida_(std::max(1, canaisSaida)),
      quadrosRestantes_(formato.tamanho / formato.BytesPorQuadro()) {
  if (!arquivo_->seek(formato_.inicio)) quadrosRestantes_ = 0;
  open(QIODevice::ReadOnly);
}

TOndaEmFloat::~TOndaEmFloat() = default;

qint64 TOndaEmFloat::bytesAvailable() const {
  return quadrosRestantes_ * canaisSaida_ * qint64(sizeof(float)) + pendente_.size() + QIODevice::bytesAvailable();
}

float TOndaEmFloat::Amostra(const char* p) const {
  const int bytes = formato_.bits / 8;
  if (formato_.codigo == 3) {
    if (bytes == 8) return float(qFromLittleEndian<double>(p));
    return qFromLittleEndian<float>(p);
  }
  if (bytes == 1) return (quint8(p[0]) - 128) / 128.0f;  // 8-bit waves are unsigned
  // The top four bytes at most carry all a float can hold.
  const int usados = std::min(bytes, 4);
  qint32 v = 0;
  for (int i = 0; i < usados; ++i) v |= qint32(quint8(p[bytes - usados + i])) << (8 * (4 - usados + i));
  return float(v) / 2147483648.0f;
}

qint64 TOndaEmFloat::Converter(char* dados, qint64 quadros) {
  const int porQuadro = formato_.BytesPorQuadro();
  entrada_.resize(quadros * porQuadro);
  const qint64 lido = arquivo_->read(entrada_.data(), entrada_.size());
  const qint64 inteiros = lido > 0 ? lido / porQuadro : 0;
  // A read error or a file cut short since it was checked ends the sound.
  quadrosRestantes_ = inteiros < quadros ? 0 : quadrosRestantes_ - quadros;

  const int bytesAmostra = formato_.bits / 8;
  const int canais = formato_.canais;
  float* saida = reinterpret_cast<float*>(dados);
  for (qint64 q = 0; q < inteiros; ++q) {
    const char* quadro = entrada_.constData() + q * porQuadro;
    if (canais == 1) {
      std::fill_n(saida, canaisSaida_, Amostra(quadro));
    } else if (canaisSaida_ == 1) {
      float soma = 0;
      for (int c = 0; c < canais; ++c) soma += Amostra(quadro + c * bytesAmostra);
      saida[0] = soma / canais;
    } else {
      for (int c = 0; c < canaisSaida_; ++c) saida[c] = c < canais ? Amostra(quadro + c * bytesAmostra) : 0.0f;
    }
    saida += canaisSaida_;
  }
  return inteiros * canaisSaida_ * qint64(sizeof(float));
}

qint64 TOndaEmFloat::readData(char* dados, qint64 maximo) {
  const qint64 porQuadroSaida = canaisSaida_ * qint64(sizeof(float));
  qint64 dado = 0;
  // What is left of a frame a smaller read cut in two goes first.
  if (!pendente_.isEmpty()) {
    dado = std::min<qint64>(maximo, pendente_.size());
    memcpy(dados, pendente_.constData(), dado);
    pendente_.remove(0, dado);
  }
  const qint64 quadros = std::min({(maximo - dado) / porQuadroSaida, quadrosRestantes_, kQuadrosPorLeitura});
  if (quadros > 0) dado += Converter(dados + dado, quadros);
  if (dado < maximo && dado % porQuadroSaida == 0 && quadrosRestantes_ > 0 && maximo - dado < porQuadroSaida) {
    pendente_.resize(porQuadroSaida);
    pendente_.resize(Converter(pendente_.data(), 1));
    const qint64 parte = std::min<qint64>(maximo - dado, pendente_.size());
    memcpy(dados + dado, pendente_.constData(), parte);
    pendente_.remove(0, parte);
    dado += parte;
  }
  return dado;
}

#pragma once
// Wave files made on the spot for the sound tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

// A wave with the given header fields around raw sample bytes.
inline QByteArray Onda(quint16 codigo, quint16 canais, quint16 bits, const QByteArray& amostras,
                       quint32 taxa = 8000) {
  QByteArray b;
  auto u32 = [&](quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
  };
  auto u16 = [&](quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
  };
  b.append("RIFF");
  u32(36 + amostras.size());
  b.append("WAVE");
  b.append("fmt ");
  u32(16);
  u16(codigo);
  u16(canais);
  u32(taxa);
  u32(taxa * canais * bits / 8);
  u16(canais * bits / 8);
  u16(bits);
  b.append("data");
  u32(amostras.size());
  b.append(amostras);
  return b;
}

// A mono 8 kHz wave of `amostras` 16-bit samples; `codigo` 1 is PCM, 3 float.
inline QByteArray OndaPcm(int amostras, quint16 codigo = 1) {
  const quint16 bits = codigo == 3 ? 32 : 16;
  QByteArray dados;
  for (int i = 0; i < amostras * (bits / 8); ++i) dados.append(char((i * 37) & 0x3F));
  return Onda(codigo, 1, bits, dados);
}

inline void Gravar(const QString& caminho, const QByteArray& conteudo) {
  QFile f(caminho);
  if (f.open(QIODevice::WriteOnly)) f.write(conteudo);
}

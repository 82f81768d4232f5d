#pragma once
// Wave files made on the spot for the sound tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

// A mono 8 kHz wave of `amostras` 16-bit samples; `codigo` 1 is PCM, 3 float.
inline QByteArray OndaPcm(int amostras, quint16 codigo = 1) {
  const quint16 bits = codigo == 3 ? 32 : 16;
  const quint32 dados = amostras * (bits / 8);
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
  u32(36 + dados);
  b.append("WAVE");
  b.append("fmt ");
  u32(16);
  u16(codigo);
  u16(1);
  u32(8000);
  u32(8000 * bits / 8);
  u16(bits / 8);
  u16(bits);
  b.append("data");
  u32(dados);
  for (quint32 i = 0; i < dados; ++i) b.append(char((i * 37) & 0x3F));
  return b;
}

inline void Gravar(const QString& caminho, const QByteArray& conteudo) {
  QFile f(caminho);
  if (f.open(QIODevice::WriteOnly)) f.write(conteudo);
}

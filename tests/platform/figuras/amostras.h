#pragma once
// Small metafiles written record by record, for the tests and as seeds for
// the fuzzers: a filled rectangle and a line on a white page.

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace amostras {

// Little-endian writer.
class TBytes {
 public:
  TBytes& u16(uint16_t v) { return Acrescentar(v); }
  TBytes& u32(uint32_t v) { return Acrescentar(v); }
  TBytes& i16(int16_t v) { return Acrescentar(v); }
  TBytes& i32(int32_t v) { return Acrescentar(v); }
  TBytes& bytes(const QByteArray& b) {
    dados += b;
    return *this;
  }
  QByteArray dados;

 private:
  template <class T>
  TBytes& Acrescentar(T v) {
    const T le = qToLittleEndian(v);
    dados.append(reinterpret_cast<const char*>(&le), sizeof le);
    return *this;
  }
};

// COLORREF: 0x00BBGGRR.
constexpr uint32_t Cor(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// ---- Enhanced metafile -----------------------------------------------------

enum : uint32_t {
  EMR_HEADER = 1,
  EMR_EOF = 14,
  EMR_MOVETOEX = 27,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_RECTANGLE = 43,
  EMR_LINETO = 54
};

inline QByteArray RegistroEmf(uint32_t tipo, std::initializer_list<int32_t> campos) {
  TBytes r;
  r.u32(tipo).u32(uint32_t(8 + 4 * campos.size()));
  for (int32_t c : campos) r.i32(c);
  return r.dados;
}

// An EMF of largura x altura pixels at 96 dpi (the device is 960 x 480
// pixels on 254 x 127 mm): a red rectangle with a black border from
// (10%, 10%) to (60%, 60%) and a blue line from the top left to the bottom
// right corner.
inline QByteArray Emf(int largura = 100, int altura = 50) {
  QByteArray corpo;
  corpo += RegistroEmf(EMR_CREATEBRUSHINDIRECT, {1, 0 /*BS_SOLID*/, int32_t(Cor(255, 0, 0)), 0});
  corpo += RegistroEmf(EMR_SELECTOBJECT, {1});
  corpo += RegistroEmf(EMR_CREATEPEN, {2, 0 /*PS_SOLID*/, 1, 0, int32_t(Cor(0, 0, 0))});
  corpo += RegistroEmf(EMR_SELECTOBJECT, {2});
  corpo += RegistroEmf(EMR_RECTANGLE, {largura / 10, altura / 10, largura * 6 / 10, altura * 6 / 10});
  corpo += RegistroEmf(EMR_CREATEPEN, {3, 0, 3, 0, int32_t(Cor(0, 0, 255))});
  corpo += RegistroEmf(EMR_SELECTOBJECT, {3});
  corpo += RegistroEmf(EMR_MOVETOEX, {0, 0});
  corpo += RegistroEmf(EMR_LINETO, {largura - 1, altura - 1});
  const QByteArray fim = RegistroEmf(EMR_EOF, {0, 16, 20});

  const int registros = 1 + 9 + 1;
  const int tamanhoCabecalho = 88;
  const uint32_t total = uint32_t(tamanhoCabecalho + corpo.size() + fim.size());
  // Frame in hundredths of a millimetre: 2540 of them make 96 pixels.
  auto centesimos = [](int px) { return int32_t((px * 2540 + 48) / 96); };
  TBytes h;
  h.u32(EMR_HEADER).u32(tamanhoCabecalho);
  h.i32(0).i32(0).i32(largura - 1).i32(altura - 1);                  // bounds, pixels
  h.i32(0).i32(0).i32(centesimos(largura)).i32(centesimos(altura));  // frame
  h.u32(0x464D4520).u32(0x10000).u32(total).u32(registros);
  h.u16(4).u16(0);         // handles, reserved
  h.u32(0).u32(0).u32(0);  // description, its offset, palette entries
  h.i32(960).i32(480);     // device, pixels
  h.i32(254).i32(127);     // device, millimetres
  return h.dados + corpo + fim;
}

// ---- Windows metafile --------------------------------------------------------

inline QByteArray RegistroWmf(uint16_t funcao, std::initializer_list<int16_t> campos) {
  TBytes r;
  r.u32(uint32_t(3 + campos.size())).u16(funcao);
  for (int16_t c : campos) r.i16(c);
  return r.dados;
}

inline int16_t Baixo(uint32_t v) { return int16_t(v & 0xFFFF); }
inline int16_t Alto(uint32_t v) { return int16_t(v >> 16); }

// A placeable WMF of largura x altura pixels at 96 dpi with the same drawing
// as Emf(), plus a word of text when comTexto.
inline QByteArray Wmf(int largura = 100, int altura = 50, bool comTexto = false) {
  const int16_t w = int16_t(largura), h = int16_t(altura);
  const uint32_t vermelho = Cor(255, 0, 0), preto = Cor(0, 0, 0), azul = Cor(0, 0, 255);
  QByteArray corpo;
  corpo += RegistroWmf(0x020B, {0, 0});                                   // SETWINDOWORG y, x
  corpo += RegistroWmf(0x020C, {h, w});                                   // SETWINDOWEXT y, x
  corpo += RegistroWmf(0x02FC, {0, Baixo(vermelho), Alto(vermelho), 0});  // CREATEBRUSHINDIRECT
  corpo += RegistroWmf(0x012D, {0});                                      // SELECTOBJECT
  corpo += RegistroWmf(0x02FA, {0, 1, 0, Baixo(preto), Alto(preto)});     // CREATEPENINDIRECT
  corpo += RegistroWmf(0x012D, {1});
  corpo += RegistroWmf(
      0x041B, {int16_t(h * 6 / 10), int16_t(w * 6 / 10), int16_t(h / 10), int16_t(w / 10)});  // RECTANGLE b r t l
  corpo += RegistroWmf(0x02FA, {0, 3, 0, Baixo(azul), Alto(azul)});
  corpo += RegistroWmf(0x012D, {2});
  corpo += RegistroWmf(0x0214, {0, 0});                            // MOVETO y, x
  corpo += RegistroWmf(0x0213, {int16_t(h - 1), int16_t(w - 1)});  // LINETO y, x
  int objetos = 3;
  if (comTexto) {
    // CREATEFONTINDIRECT: height, width, escapement, orientation, weight,
    // italic/underline, strike-out/charset, precisions, quality/pitch, face.
    TBytes f;
    f.i16(int16_t(-h / 3)).i16(0).i16(0).i16(0).i16(700).i16(0).i16(0).i16(0).i16(0);
    f.bytes(QByteArray("Times New Roman").leftJustified(32, '\0'));
    TBytes r;
    r.u32(uint32_t(3 + f.dados.size() / 2)).u16(0x02FB).bytes(f.dados);
    corpo += r.dados;
    corpo += RegistroWmf(0x012D, {3});
    ++objetos;
    // TEXTOUT: length, string (padded to a word), y, x.
    TBytes t;
    t.u32(3 + 1 + 2 + 2).u16(0x0521).i16(4).bytes("Voto").i16(int16_t(h * 7 / 10)).i16(int16_t(w / 10));
    corpo += t.dados;
  }
  corpo += RegistroWmf(0x0000, {});  // EOF

  // The header gives the longest record, in words.
  uint32_t maior = 0;
  for (qsizetype i = 0; i + 4 <= corpo.size();) {
    const uint32_t palavras = qFromLittleEndian<uint32_t>(corpo.constData() + i);
    maior = std::max(maior, palavras);
    i += qsizetype(palavras) * 2;
  }
  TBytes cab;
  const uint32_t palavras = uint32_t(9 + corpo.size() / 2);
  cab.u16(1).u16(9).u16(0x0300).u32(palavras).u16(uint16_t(objetos)).u32(maior).u16(0);

  TBytes p;
  p.u32(0x9AC6CDD7).u16(0).i16(0).i16(0).i16(w).i16(h).u16(96).u32(0);
  uint16_t soma = 0;
  for (int i = 0; i < 10; ++i) soma ^= qFromLittleEndian<uint16_t>(p.dados.constData() + 2 * i);
  p.u16(soma);
  return p.dados + cab.dados + corpo;
}

}  // namespace amostras

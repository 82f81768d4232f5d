// The performance chart as geometry: which names, in which colours, and the
// line segments in the order they are drawn. Free of Qt, so the chart's
// shape can be checked without painting it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "partida.h"

namespace varzeno {

// Colour of each first-round ranking position, as 0xRRGGBB.
inline constexpr std::array<uint32_t, kMaxRanking> CoresGrafico = {0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                                                   0xFF00FF, 0xFF8000, 0xC0C0C0};

struct TSegmento {
  int x0, y0, x1, y1;
  int cor;  // index into CoresGrafico
};

struct TPlanoGrafico {
  std::vector<std::string> nomes;  // row k is drawn in CoresGrafico[k]
  int passo = 0;                   // horizontal step w
  int divisor = 0;                 // x of the line between the two rounds
  std::vector<TSegmento> segmentos;
};

// Plans the chart of a finished game. oponentes is the number chosen for the
// game (2..5); largura is the chart's width in pixels. A share v is drawn at
// y = 100 - v.
TPlanoGrafico PlanejarGrafico(const TPartida& partida, int oponentes, int largura);

}  // namespace varzeno

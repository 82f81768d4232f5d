#include "grafico_plano.h"

#include <algorithm>

namespace varzeno {

namespace {
int Y(int32_t v) { return 100 - v; }
}  // namespace

TPlanoGrafico PlanejarGrafico(const TPartida& partida, int oponentes, int largura) {
  TPlanoGrafico g;
  const int linhas = std::clamp(oponentes + 2, 0, kMaxRanking);
  g.passo = largura / 21;
  g.divisor = 18 * g.passo;
  const int w = g.passo;

  for (int k = 0; k < linhas; ++k) g.nomes.push_back(partida.NomesTurno1[static_cast<size_t>(k)]);

  // First round: history entries 19 down to 1, one row after the other.
  g.segmentos.reserve(static_cast<size_t>(linhas * 18 + 9));
  for (int k = 0; k < linhas; ++k) {
    const THistorico& h = partida.HistoricoTurno1[static_cast<size_t>(k)];
    int x = 0, y = Y(h[19]);
    for (int j = 1; j <= 18; ++j) {
      const int nx = j * w, ny = Y(h[static_cast<size_t>(19 - j)]);
      g.segmentos.push_back({x, y, nx, ny, k});
      x = nx;
      y = ny;
    }
  }

  // Run-off: each finalist (and the blank votes) carries on from where its
  // first-round line ended, in its first-round colour.
  const TEngVarzeno* m = partida.Motor.get();
  if (m && m->SegundoTurno) {
    for (const TOponente* e : m->Ranking) {
      int k = 0;
      while (k < linhas && partida.NomesTurno1[static_cast<size_t>(k)] != e->Nome) ++k;
      if (k == linhas) continue;  // not in the first round: nothing to continue from
      int x = g.divisor, y = Y(partida.HistoricoTurno1[static_cast<size_t>(k)][1]);
      for (int j = 3; j >= 1; --j) {
        const int nx = x + w, ny = Y(e->Historico[static_cast<size_t>(j)]);
        g.segmentos.push_back({x, y, nx, ny, k});
        x = nx;
        y = ny;
      }
    }
  }
  return g;
}

}  // namespace varzeno

#include "grafico_plano.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace varzeno;

namespace {
// A first round whose row k held share 10k + s in the week with s left.
void PreencherPrimeiroTurno(TPartida& p, int linhas) {
  for (int k = 0; k < linhas; ++k) {
    p.NomesTurno1[static_cast<size_t>(k)] = "C" + std::to_string(k);
    for (int s = 0; s <= 20; ++s) p.HistoricoTurno1[static_cast<size_t>(k)][static_cast<size_t>(s)] = 10 * k + s;
  }
}
}  // namespace

TEST(GraficoPlano, FirstRoundOnlyStaysLeftOfTheDivider) {
  TPartida p;
  PreencherPrimeiroTurno(p, 4);
  TPlanoGrafico g = PlanejarGrafico(p, 2, 336);
  EXPECT_EQ(g.passo, 16);
  EXPECT_EQ(g.divisor, 288);
  EXPECT_EQ(g.nomes, (std::vector<std::string>{"C0", "C1", "C2", "C3"}));
  ASSERT_EQ(g.segmentos.size(), 72u);
  for (const TSegmento& s : g.segmentos) EXPECT_LE(s.x1, 288);
  // Row 1 starts at entry 19 and ends at entry 1, 18 steps later.
  const TSegmento& primeiro = g.segmentos[18];
  EXPECT_EQ(primeiro.cor, 1);
  EXPECT_EQ(primeiro.x0, 0);
  EXPECT_EQ(primeiro.y0, 100 - 29);
  EXPECT_EQ(primeiro.y1, 100 - 28);
  const TSegmento& ultimo = g.segmentos[35];
  EXPECT_EQ(ultimo.x1, 288);
  EXPECT_EQ(ultimo.y1, 100 - 11);
}

TEST(GraficoPlano, RunOffContinuesEachFinalistInItsFirstRoundColour) {
  TPartida p;
  PreencherPrimeiroTurno(p, 7);
  p.Motor = std::make_unique<TEngVarzeno>();
  TEngVarzeno& m = *p.Motor;
  m.Iniciar(0, 40, 100, 1, 4, true);
  m.NomeJogador = "C6";
  m.Candidatos[1]->Nome = "C2";
  m.Candidatos[0]->Nome = "C0";  // the blank entry keeps its first-round row too
  m.CalcularPesquisa();
  for (TOponente* e : m.Ranking) e->Historico = {0, 51, 52, 53};

  TPlanoGrafico g = PlanejarGrafico(p, 5, 336);
  ASSERT_EQ(g.segmentos.size(), 135u);
  std::vector<int> cores;
  for (size_t i = 126; i < g.segmentos.size(); i += 3) {
    const TSegmento& a = g.segmentos[i];
    const int k = a.cor;
    cores.push_back(k);
    EXPECT_EQ(a.x0, 288);
    EXPECT_EQ(a.y0, 100 - (10 * k + 1)) << "starts where the first-round line ended";
    EXPECT_EQ(a.y1, 100 - 53);
    EXPECT_EQ(g.segmentos[i + 2].x1, 336);
    EXPECT_EQ(g.segmentos[i + 2].y1, 100 - 51);
  }
  std::sort(cores.begin(), cores.end());
  EXPECT_EQ(cores, (std::vector<int>{0, 2, 6}));
}

TEST(GraficoPlano, AnEntryMissingFromTheFirstRoundIsSkipped) {
  TPartida p;
  PreencherPrimeiroTurno(p, 4);
  p.Motor = std::make_unique<TEngVarzeno>();
  p.Motor->Iniciar(0, 40, 100, 1, 4, true);
  p.Motor->NomeJogador = "C3";
  p.Motor->Candidatos[1]->Nome = "outro";
  p.Motor->CalcularPesquisa();
  TPlanoGrafico g = PlanejarGrafico(p, 2, 336);
  EXPECT_EQ(g.segmentos.size(), 72u + 3u) << "only the player's row carries on";
}

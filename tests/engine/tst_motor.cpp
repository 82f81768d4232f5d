#include <gtest/gtest.h>

#include "engVarzeno.h"
#include "roteiro.h"

using namespace varzeno;
using varzeno::teste::TComRoteiro;

namespace {
// Catalogue rows are numbered from 1 as in the design table.
TAcao* Linha(TEngVarzeno& m, int linha) { return m.Acoes[linha - 1]; }

void NovaRodada(TEngVarzeno& m, int oponentes = 2) {
  TComRoteiro r;
  m.Iniciar(10000, 1, 100, oponentes, 20, false);
  m.NomeJogador = "Eu";
}

std::vector<std::string> Nomes(const TAcaoList& l) {
  std::vector<std::string> v;
  for (const TAcao* a : l) v.push_back(a->Nome);
  return v;
}
}  // namespace

TEST(Motor, NewEngineDefaults) {
  TEngVarzeno m;
  EXPECT_EQ(m.Acoes.Count(), 0);
  ASSERT_EQ(m.Candidatos.Count(), 1);
  EXPECT_EQ(m.Candidatos[0]->Nome, kNomeVotosBrancos);
  EXPECT_EQ(m.Honestidade, 100);
  EXPECT_EQ(m.Semanas, 0);
  EXPECT_FALSE(m.PrimeiraSemana);
  EXPECT_EQ(m.Ranking.Count(), 0);
}

TEST(Motor, FirstWeekOfANewGame) {
  TEngVarzeno m;
  NovaRodada(m, 3);
  EXPECT_EQ(m.Dinheiro, 10000);
  EXPECT_EQ(m.Popularidade, 1);
  EXPECT_EQ(m.Honestidade, 100);
  EXPECT_EQ(m.Semanas, 20);
  EXPECT_EQ(m.Candidatos.Count(), 4);
  EXPECT_EQ(m.Ranking.Count(), 5);
  EXPECT_TRUE(m.PrimeiraSemana);

  TComRoteiro r{0};
  m.Aplicar(Linha(m, 2));  // Contratar Marqueteiro
  EXPECT_EQ(m.Dinheiro, 4000);
  EXPECT_EQ(m.Popularidade, 6);
  EXPECT_EQ(m.Semanas, 19);
  EXPECT_EQ(m.Historico[20], 6);
  EXPECT_EQ(m.Historico[19], 6);
  for (const TOponente* c : m.Candidatos) EXPECT_EQ(c->Historico[20], c->Percentual);
  EXPECT_EQ(r.Pedidos(), std::vector<int32_t>{3}) << "honest campaigns draw only for the poll";
}

TEST(Motor, DishonestyPenaltyBounds) {
  struct Caso {
    int32_t honestidadeDepois, popularidadeDepois;
    std::initializer_list<uint64_t> sorteios;
    std::vector<int32_t> pedidos;
    int32_t esperado;
  } casos[] = {
      {40, 5, {0}, {3}, 5},                    // 40 is honest enough: no draw
      {39, 5, {3, 0}, {5, 3}, 2},              // 39 pays 0..4
      {39, 0, {0}, {3}, 0},                    // nothing to lose: no draw
      {39, 2, {4, 3, 1, 0}, {5, 5, 5, 3}, 1},  // draws again until it fits
  };
  for (const Caso& c : casos) {
    TEngVarzeno m;
    NovaRodada(m);
    TAcao* coleta = Linha(m, 30);  // Coleta de recursos: +1000 only
    m.Honestidade = c.honestidadeDepois;
    m.Popularidade = c.popularidadeDepois;
    TComRoteiro r(c.sorteios);
    m.Aplicar(coleta);
    EXPECT_EQ(m.Popularidade, c.esperado) << "honesty " << c.honestidadeDepois;
    EXPECT_EQ(r.Pedidos(), c.pedidos) << "honesty " << c.honestidadeDepois;
  }
}

TEST(Motor, DirtyMoneyTakesThePenaltyInTheSameWeek) {
  TEngVarzeno m;
  NovaRodada(m);
  m.Honestidade = 50;
  m.Popularidade = 10;
  TComRoteiro r{4, 0};
  m.Aplicar(Linha(m, 24));  // Ajuda financeira de traficantes: honesty -15
  EXPECT_EQ(m.Honestidade, 35);
  EXPECT_EQ(m.Dinheiro, 15000);
  EXPECT_EQ(m.Popularidade, 6);
  EXPECT_EQ(m.Historico[20], 6);
}

TEST(Motor, EventsChangeStatisticsButNotTheWeek) {
  TEngVarzeno m;
  NovaRodada(m);
  m.Honestidade = 10;  // no penalty for events, however dishonest
  const auto historico = m.Historico;
  TComRoteiro r{0};
  m.Aplicar(Linha(m, 37));  // Investigação de jornal local
  EXPECT_EQ(m.Dinheiro, 8000);
  EXPECT_EQ(m.Popularidade, 0);
  EXPECT_EQ(m.Semanas, 20);
  EXPECT_EQ(m.Historico, historico);
  EXPECT_EQ(r.Pedidos(), std::vector<int32_t>{3});
}

TEST(Motor, NothingHappensOnceTheRoundIsOver) {
  TEngVarzeno m;
  NovaRodada(m);
  m.Semanas = 0;
  const int32_t d = m.Dinheiro, p = m.Popularidade;
  TComRoteiro r;
  m.Aplicar(Linha(m, 2));
  m.Aplicar(Linha(m, 37));
  m.Aplicar(nullptr);
  m.Aplicar(Linha(m, 51));
  EXPECT_EQ(m.Dinheiro, d);
  EXPECT_EQ(m.Popularidade, p);
  EXPECT_EQ(m.Semanas, 0);
  EXPECT_FALSE(Linha(m, 38)->Disponivel);
  EXPECT_TRUE(r.Pedidos().empty());
}

TEST(Motor, ConsequencesOpenEventsForTheRestOfTheRoundOnly) {
  TEngVarzeno m;
  NovaRodada(m);
  m.Aplicar(Linha(m, 51));  // Criar caixa 2 de campanha
  EXPECT_TRUE(Linha(m, 38)->Disponivel);
  TComRoteiro r;
  m.Iniciar(m.Dinheiro, m.Popularidade, m.Honestidade, 1, 4, true);
  EXPECT_FALSE(Linha(m, 38)->Disponivel) << "the run-off starts from a fresh catalogue";
}

TEST(Motor, StartOfRoundCapsWeeksAndLiftsATrailingFinalist) {
  TComRoteiro r;
  TEngVarzeno m;
  m.Iniciar(0, 30, 100, 2, 35, false);
  EXPECT_EQ(m.Semanas, 28);
  EXPECT_EQ(m.Popularidade, 30) << "no bonus in a first round";
  m.Iniciar(0, 30, 100, 2, -3, false);
  EXPECT_EQ(m.Semanas, -3);
  m.Iniciar(0, 30, 100, 0, 0, false);
  EXPECT_EQ(m.Candidatos.Count(), 1);

  const std::pair<int32_t, int32_t> bonus[] = {{30, 47}, {49, 61}, {0, 25}, {50, 50}, {70, 70}};
  for (auto [antes, depois] : bonus) {
    m.Iniciar(0, antes, 100, 1, 4, true);
    EXPECT_EQ(m.Popularidade, depois) << "run-off from " << antes;
    EXPECT_EQ(m.Candidatos.Count(), 2);
    EXPECT_EQ(m.Ranking.Count(), 3);
  }
}

TEST(Motor, DrawOrderWithoutAnEvent) {
  TEngVarzeno m;
  NovaRodada(m);
  // First week: r = 0 would be an event, but never in the first week.
  // Then: 0 (action), 0 again (already drawn), 35 (event), 37 (event,
  // unavailable), 1, 2.
  TComRoteiro r{0, 0, 0, 35, 37, 1, 2};
  auto l = m.SortearOpcoes();
  EXPECT_EQ(Nomes(*l),
            (std::vector<std::string>{"Comprar ternos novos", "Contratar Marqueteiro", "Horário eleitoral"}));
  EXPECT_EQ(r.Pedidos(), (std::vector<int32_t>{100, 53, 53, 53, 53, 53, 53}));
  EXPECT_FALSE(l->Possui());
  EXPECT_FALSE(m.PrimeiraSemana);
}

TEST(Motor, NoQualifyingEventMeansNoExtraDraw) {
  TEngVarzeno m;
  NovaRodada(m);
  {
    TComRoteiro r{99, 0, 1, 2};
    m.SortearOpcoes();
  }
  m.Popularidade = 0;  // every event lowers popularity
  TComRoteiro r{0, 3, 4, 5};
  auto l = m.SortearOpcoes();
  EXPECT_EQ(l->Count(), 3);
  EXPECT_EQ(r.Pedidos(), (std::vector<int32_t>{100, 53, 53, 53}));
}

TEST(Motor, EventDrawnAmongThoseTheCampaignCanAfford) {
  TEngVarzeno m;
  NovaRodada(m);
  {
    TComRoteiro r{99, 0, 1, 2};
    m.SortearOpcoes();
  }
  // Broke with popularity 1: only rows 36, 40 and 44 qualify.
  m.Dinheiro = 0;
  m.Popularidade = 1;
  for (uint64_t k = 0; k < 3; ++k) {
    TComRoteiro r{26, k, 0, 1, 2};
    auto l = m.SortearOpcoes();
    ASSERT_EQ(l->Count(), 4);
    const int linhas[] = {36, 40, 44};
    EXPECT_EQ((*l)[0], Linha(m, linhas[k]));
    EXPECT_EQ(r.Pedidos(), (std::vector<int32_t>{100, 3, 53, 53, 53}));
  }
  // r = 27 is not an event week.
  TComRoteiro r{27, 0, 1, 2};
  EXPECT_EQ(m.SortearOpcoes()->Count(), 3);
}

TEST(Motor, HistoriesAfterAFullRound) {
  TEngVarzeno m;
  NovaRodada(m, 2);
  for (int semana = 1; semana <= 20; ++semana) {
    m.Popularidade = 2 * semana;
    m.Aplicar(nullptr);
    EXPECT_EQ(m.Candidatos[1]->Historico[21 - semana], m.Candidatos[1]->Percentual);
  }
  EXPECT_EQ(m.Semanas, 0);
  EXPECT_EQ(m.Historico[20], 2);
  for (int k = 1; k <= 20; ++k) EXPECT_EQ(m.Historico[k], 2 * (21 - k)) << "index " << k;
  EXPECT_EQ(m.Historico[0], m.Historico[1]);
  EXPECT_EQ(m.Historico[21], 0);
  // The player's ranking entry copies the history as it stood before the
  // last week's writes.
  for (const TOponente* e : m.Ranking)
    if (e->Nome == "Eu") {
      EXPECT_EQ(e->Historico[0], 0);
      EXPECT_EQ(e->Historico[1], 38);
      EXPECT_EQ(m.Historico[1], 40);
    }
}

TEST(Motor, LongestRoundStaysInsideTheHistories) {
  TEngVarzeno m;
  TComRoteiro r;
  m.Iniciar(10000, 1, 100, 5, 28, false);
  m.Popularidade = 9;
  m.Aplicar(nullptr);  // week 28 has no slot; it must not write past the end
  EXPECT_EQ(m.Semanas, 27);
  EXPECT_EQ(m.Historico[27], 9);
  while (m.Semanas > 0) m.Aplicar(nullptr);
  EXPECT_EQ(m.Historico[0], m.Historico[1]);
}

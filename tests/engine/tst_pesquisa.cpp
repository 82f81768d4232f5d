#include <gtest/gtest.h>

#include "engVarzeno.h"
#include "roteiro.h"

using namespace varzeno;
using varzeno::teste::TComRoteiro;

namespace {
// A round with named opponents "A", "B", ... and the player "Eu".
void Preparar(TEngVarzeno& m, int oponentes, int32_t popularidade) {
  TComRoteiro r{0};
  m.Iniciar(10000, popularidade, 100, oponentes, 20, false);
  m.NomeJogador = "Eu";
  for (int i = 1; i <= oponentes; ++i) m.Candidatos[i]->Nome = std::string(1, static_cast<char>('A' + i - 1));
}

// Runs one poll with the blank draw b (1..3).
void Pesquisa(TEngVarzeno& m, int b) {
  TComRoteiro r{static_cast<uint64_t>(b - 1)};
  m.CalcularPesquisa();
  EXPECT_EQ(r.Pedidos(), std::vector<int32_t>{3}) << "a poll makes exactly one draw, random(3)";
}

std::vector<int32_t> Partes(const TEngVarzeno& m) {
  std::vector<int32_t> v;
  for (const TOponente* c : m.Candidatos) v.push_back(c->Percentual);
  return v;
}

std::vector<std::string> Ordem(const TEngVarzeno& m) {
  std::vector<std::string> v;
  for (const TOponente* e : m.Ranking) v.push_back(e->Nome);
  return v;
}

int Total(const TEngVarzeno& m) {
  int t = m.Popularidade;
  for (const TOponente* c : m.Candidatos) t += c->Percentual;
  return t;
}
}  // namespace

TEST(Pesquisa, SharesFollowTheWeightsAndAddUpToAHundred) {
  struct Caso {
    int oponentes, popularidade, brancos;
    std::vector<int32_t> partes;  // blank entry first
  } casos[] = {
      {2, 1, 2, {3, 67, 29}},    {5, 1, 2, {4, 29, 24, 19, 14, 9}},
      {2, 87, 3, {4, 6, 3}},    // 10 x 0.7f is a hair under 7
      {2, 30, 1, {2, 48, 20}},  // 70 x 0.7f gives 48, not 49
      {3, 1, 1, {3, 58, 29, 9}}, {4, 11, 2, {4, 43, 21, 13, 8}},
      {1, 30, 3, {3, 67}},  // run-off: the blank entry keeps its draw
      {1, 60, 1, {1, 39}},
  };
  for (const Caso& c : casos) {
    TEngVarzeno m;
    Preparar(m, c.oponentes, c.popularidade);
    Pesquisa(m, c.brancos);
    EXPECT_EQ(Partes(m), c.partes) << c.oponentes << " opponents, popularity " << c.popularidade;
    EXPECT_EQ(Total(m), 100);
  }
}

TEST(Pesquisa, SevenTenthsOfAMultipleOfTenFallsOneShort) {
  for (int resto = 10; resto <= 90; resto += 10) {
    TEngVarzeno m;
    Preparar(m, 2, 100 - resto - 1);  // blank draw 1 leaves exactly resto
    Pesquisa(m, 1);
    EXPECT_EQ(m.Candidatos[1]->Percentual, resto * 7 / 10 - 1) << "rest " << resto;
  }
}

TEST(Pesquisa, PopularityAboveTheRestGivesNegativeSharesButTotalsAHundred) {
  TEngVarzeno m;
  Preparar(m, 2, 120);
  Pesquisa(m, 3);
  EXPECT_EQ(Partes(m), (std::vector<int32_t>{2, -16, -6}));  // rest -23 truncates toward zero
  EXPECT_EQ(Total(m), 100);
}

TEST(Pesquisa, RankingSortsByShareAndBreaksTiesInCandidateOrderPlayerLast) {
  TEngVarzeno m;
  Preparar(m, 2, 1);
  Pesquisa(m, 2);
  EXPECT_EQ(Ordem(m), (std::vector<std::string>{"A", "B", kNomeVotosBrancos, "Eu"}));

  // Player 40 ties the leading opponent (40) and stands behind him.
  m.Popularidade = 40;
  Pesquisa(m, 2);
  EXPECT_EQ(Partes(m), (std::vector<int32_t>{3, 40, 17}));
  EXPECT_EQ(Ordem(m), (std::vector<std::string>{"A", "Eu", "B", kNomeVotosBrancos}));

  // Blank entry ties an opponent: blank stands first.
  m.Popularidade = 90;  // rest 9 with blank 1: 6 and 2, blank 1+1 = 2 ties B
  Pesquisa(m, 1);
  EXPECT_EQ(Partes(m), (std::vector<int32_t>{2, 6, 2}));
  EXPECT_EQ(Ordem(m), (std::vector<std::string>{"Eu", "A", kNomeVotosBrancos, "B"}));
}

TEST(Pesquisa, PlayerEntryIsACopyWithTheHistoryOfThePoll) {
  TEngVarzeno m;
  Preparar(m, 3, 1);
  m.Historico[20] = 7;
  m.Historico[5] = 9;
  Pesquisa(m, 1);
  ASSERT_EQ(m.Ranking.Count(), 5);
  int jogadores = 0;
  for (const TOponente* e : m.Ranking) {
    if (e->Nome != "Eu") {
      EXPECT_GE(m.Candidatos.IndiceDe(e), 0) << "non-player entries are the candidates themselves";
      continue;
    }
    ++jogadores;
    EXPECT_EQ(m.Candidatos.IndiceDe(e), -1);
    EXPECT_EQ(e->Percentual, 1);
    EXPECT_EQ(e->Historico, m.Historico);
  }
  EXPECT_EQ(jogadores, 1);
  EXPECT_EQ(m.Candidatos.Count(), 4) << "the stand-in entry must not stay in the candidates";
}

TEST(Pesquisa, UnnamedOpponentsPassForThePlayerUntilNamed) {
  TEngVarzeno m;
  TComRoteiro r{1};
  m.Iniciar(10000, 1, 100, 2, 20, false);  // names are all empty here
  ASSERT_EQ(m.Ranking.Count(), 4);
  int copias = 0;
  for (const TOponente* e : m.Ranking)
    if (e->Nome.empty()) {
      ++copias;
      EXPECT_EQ(e->Percentual, 1);
      EXPECT_EQ(m.Candidatos.IndiceDe(e), -1);
    }
  EXPECT_EQ(copias, 3) << "both opponents and the player show as player copies";
  EXPECT_EQ(m.Ranking[2]->Nome, kNomeVotosBrancos);
}

TEST(Pesquisa, RepeatedPollsChangeSharesOnlyThroughTheBlankDraw) {
  TEngVarzeno m;
  Preparar(m, 4, 20);
  Pesquisa(m, 2);
  const auto antes = Partes(m);
  Pesquisa(m, 2);
  EXPECT_EQ(Partes(m), antes);
  Pesquisa(m, 3);
  EXPECT_NE(Partes(m), antes);
  EXPECT_EQ(Total(m), 100);
}

#include <gtest/gtest.h>

#include "argumentos.h"
#include "estrategia.h"
#include "json.h"

using namespace varzeno;
using namespace varzeno::sim;

TEST(SimArgumentos, AcceptsEveryOptionAndRejectsBadValues) {
  std::string erro;
  auto a = LerArgumentos({"--jogos", "5", "--semente", "9", "--oponentes", "5", "--nome", "Biro", "--estrategia",
                          "popular", "--sorteios", "f.txt", "--rastro"},
                         erro);
  ASSERT_TRUE(a) << erro;
  EXPECT_EQ(a->jogos, 5);
  EXPECT_EQ(a->semente, 9u);
  EXPECT_EQ(a->oponentes, 5);
  EXPECT_EQ(a->nome, "Biro");
  EXPECT_EQ(a->estrategia, TEstrategia::Popular);
  EXPECT_EQ(a->sorteios, "f.txt");
  EXPECT_TRUE(a->rastro);

  const std::vector<std::vector<std::string>> ruins = {
      {"--oponentes", "1"}, {"--oponentes", "6"},        {"--oponentes", "3x"},      {"--jogos", "-1"},
      {"--jogos"},          {"--semente", "4294967296"}, {"--estrategia", "melhor"}, {"--xyz"},
  };
  for (const auto& r : ruins) {
    erro.clear();
    EXPECT_FALSE(LerArgumentos(r, erro)) << r[0];
    EXPECT_FALSE(erro.empty()) << r[0];
  }
}

TEST(SimEstrategia, PopularTakesTheLargestChangeAndTheLowestSlotOnATie) {
  TPartida p;
  p.NovoJogo("Eu", 2);
  auto acao = [&](const char* n) { return BuscarAcao(p.Motor->Acoes, n); };
  p.Opcoes = {nullptr, acao("Asfaltar ruas"), acao("Contratar Marqueteiro"), acao("Compra de votos")};
  EXPECT_EQ(Escolher(TEstrategia::Popular, p), 2);  // +3, +5, +5
  p.Opcoes = {nullptr, acao("Acordo com a elite local"), acao("Pedir empréstimo"),
              acao("Ganhar confiança dos empresários locais")};
  EXPECT_EQ(Escolher(TEstrategia::Popular, p), 2);  // -2, -1, -1
  EXPECT_EQ(Escolher(TEstrategia::Primeira, p), 1);
  EXPECT_EQ(Escolher(TEstrategia::Nada, p), 0);
}

TEST(SimEstrategia, WithoutRefusalTakesTheBestGainTheCampaignCanAfford) {
  TPartida p;
  p.NovoJogo("Eu", 2);
  auto acao = [&](const char* n) { return BuscarAcao(p.Motor->Acoes, n); };
  p.Opcoes = {nullptr, acao("Asfaltar ruas"), acao("Recuperar sistema de esgotos da cidade"),
              acao("Coleta de recursos")};
  EXPECT_EQ(EscolherSemRecusa(p), 2);  // +9 for 10000
  p.Motor->Dinheiro = 9999;
  EXPECT_EQ(EscolherSemRecusa(p), 1);  // +9 is refused now; +3 for 3000
  p.Motor->Dinheiro = 0;
  EXPECT_EQ(EscolherSemRecusa(p), 0);  // nothing affordable gains: do nothing
}

TEST(SimEstrategia, ScriptedGameIsReproducibleAndCountsItsWeeks) {
  auto jogar = [] {
    RandSeed(99);
    TPartida p;
    std::vector<std::string> passos;
    TObservador obs;
    obs.aoEscolher = [&](int e, const std::string& recusa) { passos.push_back(std::to_string(e) + recusa); };
    TResultadoJogo r = JogarPartida(p, "Eu", 3, TEstrategia::Popular, &obs);
    return std::make_pair(r.semanas, passos);
  };
  auto [semanas, passos] = jogar();
  EXPECT_TRUE(semanas == 20 || semanas == 24);
  EXPECT_EQ(jogar().second, passos);
}

TEST(SimJson, EscapesWhatJsonForbids) {
  EXPECT_EQ(JsonTexto("Luis Lelé"), "\"Luis Lelé\"");
  EXPECT_EQ(JsonTexto("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
}

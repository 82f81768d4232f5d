#include <gtest/gtest.h>

#include "painel.h"

using namespace varzeno;
using namespace varzeno::jogo;

namespace {
// A game with scripted draws 0, 1, 2, …: blank 0, opponents 1 and 2.
TPartida NovaPartida(int oponentes, const std::string& nome = "Eu") {
  std::vector<uint64_t> seq(2000);
  for (size_t i = 0; i < seq.size(); ++i) seq[i] = i;
  TGeradorTemporario g(std::make_unique<TGeradorRoteiro>(seq));
  TPartida p;
  p.NovoJogo(nome, oponentes);
  return p;
}
}  // namespace

TEST(Painel, OptionLine) {
  TAcao a;
  a.Nome = "Asfaltar ruas";
  a.Dinheiro = -500;
  a.Popularidade = 3;
  a.Honestidade = 0;
  EXPECT_EQ(TextoOpcao(a), "Asfaltar ruas Din: -500   Pop: 3   hon: 0");
}

TEST(Painel, ComposesTheNewGame) {
  TPartida p = NovaPartida(2);
  const TPainel t = ComporPainel(p);
  EXPECT_EQ(t.dinheiro, std::to_string(p.Motor->Dinheiro));
  EXPECT_EQ(t.popularidade, std::to_string(p.Motor->Popularidade) + "%");
  EXPECT_EQ(t.semanas, "Semanas até 1o turno: 20");
  // Blank votes, two opponents and the player: four rows.
  EXPECT_EQ(t.linhas, 4);
  for (int r = 0; r < t.linhas; ++r) {
    EXPECT_EQ(t.nomes[size_t(r)], p.Motor->Ranking[r]->Nome + ".....................");
    EXPECT_EQ(t.partes[size_t(r)], std::to_string(p.Motor->Ranking[r]->Percentual) + "%");
  }
  EXPECT_EQ(t.opcoes[0], TextoOpcao(*p.Opcoes[1]));
  EXPECT_EQ(t.opcoes[2], TextoOpcao(*p.Opcoes[3]));
}

TEST(Painel, FiveOpponentsFillEveryRow) {
  TPartida p = NovaPartida(5);
  EXPECT_EQ(ComporPainel(p).linhas, 7);
}

TEST(Painel, TheRunOffSaysSo) {
  TPartida p = NovaPartida(2);
  p.Motor->SegundoTurno = true;
  p.Motor->Semanas = 4;
  EXPECT_EQ(ComporPainel(p).semanas, "Semanas até 2o turno: 4");
}

TEST(Painel, BlankPanel) {
  const TPainel t = PainelVazio();
  EXPECT_EQ(t.linhas, kMaxRanking);
  EXPECT_EQ(t.nomes[6], ".......................");
  EXPECT_EQ(t.partes[0], "00%");
  EXPECT_EQ(t.dinheiro, "0");
  EXPECT_TRUE(t.semanas.empty());
  EXPECT_TRUE(t.opcoes[0].empty());
}

TEST(Painel, RowsReadWithoutTheirDots) {
  EXPECT_EQ(SemPontos("Biro....................."), "Biro");
  EXPECT_EQ(SemPontos("......................."), "");
  EXPECT_EQ(SemPontos("Sr. J."), "Sr. J");
}

TEST(Painel, FinalPollInWords) {
  TPartida vazia;
  EXPECT_EQ(DescreverPesquisaFinal(vazia), "");
  TPartida p = NovaPartida(2);
  const std::string t = DescreverPesquisaFinal(p);
  const auto& r = p.Motor->Ranking;
  EXPECT_EQ(t.rfind("Pesquisa final. " + r[0]->Nome + ": " + std::to_string(r[0]->Percentual) + "%; ", 0), 0u) << t;
  EXPECT_EQ(t.back(), '.');
}

// A name is said as the player wrote it, a percent sign and digits too.
TEST(Painel, FinalPollKeepsTheNameAsWritten) {
  TPartida p = NovaPartida(2, "Zé %1");
  const std::string t = DescreverPesquisaFinal(p);
  int32_t percentual = -1;
  for (int r = 0; r < p.Motor->Ranking.Count(); ++r)
    if (p.Motor->Ranking[r]->Nome == "Zé %1") percentual = p.Motor->Ranking[r]->Percentual;
  ASSERT_GE(percentual, 0) << t;
  EXPECT_NE(t.find("Zé %1: " + std::to_string(percentual) + "%"), std::string::npos) << t;
}

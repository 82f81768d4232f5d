#include <gtest/gtest.h>

#include "preparacao.h"
#include "textos.h"

using namespace varzeno::jogo;

TEST(Preparacao, LeavingTheCandidatesNeedsAChosenCandidate) {
  EXPECT_EQ(VerificarCandidatoEscolhido("Seu Nome"), "Selecione seu candidato!");
  EXPECT_EQ(VerificarCandidatoEscolhido("Candidato 15"), "");
  // Only the exact caption stops: a candidate named almost alike goes on.
  EXPECT_EQ(VerificarCandidatoEscolhido("Seu nome"), "");
  EXPECT_EQ(VerificarCandidatoEscolhido(""), "");
}

TEST(Preparacao, TheSpinnerStopsAtTwoAndFive) {
  EXPECT_EQ(PassoOponentes(2, -1), 2);
  EXPECT_EQ(PassoOponentes(2, +1), 3);
  EXPECT_EQ(PassoOponentes(5, +1), 5);
  EXPECT_EQ(PassoOponentes(4, +1), 5);
}

TEST(Preparacao, SeedsFromTheAddressOrTheEnvironment) {
  EXPECT_EQ(LerSemente("0"), 0u);
  EXPECT_EQ(LerSemente("1500"), 1500u);
  EXPECT_EQ(LerSemente("4294967295"), 4294967295u);
  EXPECT_EQ(LerSemente("4294967296"), std::nullopt);
  EXPECT_EQ(LerSemente("99999999999"), std::nullopt);
  EXPECT_EQ(LerSemente(""), std::nullopt);
  EXPECT_EQ(LerSemente("-1"), std::nullopt);
  EXPECT_EQ(LerSemente("12a"), std::nullopt);
  EXPECT_EQ(LerSemente(" 12"), std::nullopt);
}

TEST(Textos, SlotsAndRules) {
  EXPECT_EQ(NomeInicialCandidato(1), "Candidato 15");
  EXPECT_EQ(NomeInicialCandidato(6), "Candidato 65");
  EXPECT_EQ(std::string(kRegras.front().texto), "Cenário:");
  EXPECT_EQ(std::string(kRegras.back().nome), "Label16");
  // Top to bottom, so a page lays them out in this order.
  for (size_t i = 1; i < kRegras.size(); ++i) EXPECT_LT(kRegras[i - 1].topo, kRegras[i].topo) << i;
  EXPECT_EQ(kPaginas.size(), 6u);
}

#include "resultado_compartilhado.h"

#include <gtest/gtest.h>

#include <regex>

using namespace varzeno;
using namespace varzeno::jogo;

namespace {
struct TFim {
  TPartida p;
  TDecisao decisao = TDecisao::Nenhuma;
};

// A campaign to its end, doing nothing, or the best popularity affordable
// (and, when `recusas`, now and then an option the game refuses).
void Jogar(TFim& f, uint32_t semente, bool esforco, bool recusas = false, int oponentes = 3) {
  RandSeed(semente);
  TResposta r = f.p.NovoJogo("Candidato 25", oponentes);
  for (size_t passo = 0; !r.FimDeJogo(); ++passo) {
    int escolha = 0, melhor = 0;
    if (esforco && f.p.Motor->Semanas > 0)
      for (int k = 1; k <= 3; ++k) {
        const TAcao& o = *f.p.Opcoes[size_t(k)];
        const bool recusada = !VerificarOpcao(*f.p.Motor, o).empty();
        if (recusas && recusada && passo % 5 == 2) {
          escolha = k;
          break;
        }
        if (!recusada && o.Popularidade > melhor) escolha = k, melhor = o.Popularidade;
      }
    r = f.p.ConfirmarAcao(escolha);
  }
  f.decisao = r.Decisao;
}
}  // namespace

TEST(ResultadoCompartilhado, NothingBeforeAGame) { EXPECT_EQ(LinhaDoResultado(TPartida{}, true), ""); }

TEST(ResultadoCompartilhado, EveryKindOfEnd) {
  int vitorias[2] = {0, 0}, derrotas[2] = {0, 0};
  for (uint32_t semente = 1; semente <= 120; ++semente)
    for (const bool esforco : {false, true}) {
      TFim f;
      Jogar(f, semente, esforco);
      const TEngVarzeno& m = *f.p.Motor;
      const bool venceu = f.decisao == TDecisao::Vitoria;
      const std::string linha = LinhaDoResultado(f.p, venceu);
      const std::string turno = m.SegundoTurno ? "segundo" : "primeiro";
      const std::string meu = std::to_string(m.Popularidade) + "%";
      if (venceu) {
        ++vitorias[m.SegundoTurno];
        EXPECT_EQ(linha, "Ganhei a eleição para prefeito no " + turno + " turno, com " + meu + " na pesquisa final!");
      } else {
        ++derrotas[m.SegundoTurno];
        // The opponent named is the best placed one, with their share of the final poll.
        const TOponente* lider = nullptr;
        for (const TOponente* e : m.Ranking)
          if (!lider && e != m.Candidatos[0] && e->Nome != m.NomeJogador) lider = e;
        ASSERT_NE(lider, nullptr);
        EXPECT_GE(lider->Percentual, m.Popularidade);
        EXPECT_EQ(linha, "Perdi a eleição para prefeito no " + turno + " turno: tive " + meu +
                             " na pesquisa final, e " + lider->Nome + " ficou com " +
                             std::to_string(lider->Percentual) + "%.");
      }
    }
  EXPECT_GT(derrotas[0], 0);
}

// Wins are rare: the end is set by hand, the poll drawn again.
TEST(ResultadoCompartilhado, AWin) {
  TFim f;
  RandSeed(5);
  f.p.NovoJogo("Ana", 2);
  f.p.Motor->Popularidade = 58;
  f.p.Motor->CalcularPesquisa();
  EXPECT_EQ(LinhaDoResultado(f.p, true),
            "Ganhei a eleição para prefeito no primeiro turno, com 58% na pesquisa final!");
  f.p.Motor->SegundoTurno = true;
  EXPECT_EQ(LinhaDoResultado(f.p, true), "Ganhei a eleição para prefeito no segundo turno, com 58% na pesquisa final!");
}

TEST(ResultadoCompartilhado, ARunOffLost) {
  // A seed whose campaign, so played, loses a run-off.
  TFim f;
  Jogar(f, 78436, true, true, 2);
  const TEngVarzeno& m = *f.p.Motor;
  ASSERT_TRUE(m.SegundoTurno);
  ASSERT_EQ(f.decisao, TDecisao::Derrota);
  // In the run-off the one opponent is the leader.
  EXPECT_EQ(LinhaDoResultado(f.p, false), "Perdi a eleição para prefeito no segundo turno: tive " +
                                              std::to_string(m.Popularidade) + "% na pesquisa final, e " +
                                              m.Candidatos[1]->Nome + " ficou com " +
                                              std::to_string(m.Candidatos[1]->Percentual) + "%.");
}

#include "partida.h"

#include <gtest/gtest.h>

#include <set>

#include "roteiro.h"

using namespace varzeno;
using varzeno::teste::TComRoteiro;

namespace {
TAcao* Buscar(TPartida& p, const char* nome) { return BuscarAcao(p.Motor->Acoes, nome); }

// A game against two opponents whose first round is over, with the given
// popularity and blank draw (1..3) for the last poll.
void FimDoPrimeiroTurno(TPartida& p, int32_t popularidade, int brancos, int oponentes = 2) {
  {
    TComRoteiro r;
    p.NovoJogo("Eu", oponentes);
  }
  p.Motor->Semanas = 0;
  p.Motor->Popularidade = popularidade;
  TComRoteiro r{static_cast<uint64_t>(brancos - 1)};
  p.Motor->CalcularPesquisa();
}

std::vector<int32_t> Partes(const TEngVarzeno& m) {
  std::vector<int32_t> v;
  for (const TOponente* c : m.Candidatos) v.push_back(c->Percentual);
  return v;
}
}  // namespace

TEST(Partida, NewGameStartsTheCampaignAndNamesOpponents) {
  TPartida p;
  // Iniciar's poll, five names (3 = "Biro" is the player's and is drawn
  // again), the named poll, then the first week's draw.
  TComRoteiro r{0, 3, 3, 0, 1, 2, 4, 5, 0, 0, 0, 1, 2};
  TResposta resp = p.NovoJogo("Biro", 5);
  TEngVarzeno& m = *p.Motor;
  std::vector<std::string> nomes;
  for (int i = 1; i <= 5; ++i) nomes.push_back(m.Candidatos[i]->Nome);
  EXPECT_EQ(nomes, (std::vector<std::string>{"Luis Lelé", "João Montanha", "Menininho", "Rosângela", "Toméias"}));
  EXPECT_EQ(r.Pedidos(), (std::vector<int32_t>{3, 6, 6, 6, 6, 6, 6, 6, 3, 100, 53, 53, 53}));
  EXPECT_EQ(m.Dinheiro, 10000);
  EXPECT_EQ(m.Semanas, 20);
  EXPECT_TRUE(resp.LimparPainel);
  EXPECT_TRUE(resp.NovasOpcoes);
  EXPECT_EQ(resp.Evento, nullptr) << "the first week never opens with an event";
  EXPECT_EQ(p.Opcoes[1]->Nome, "Comprar ternos novos");
  EXPECT_EQ(p.Opcoes[3]->Nome, "Horário eleitoral");
  ASSERT_EQ(m.Ranking.Count(), 7);
  int jogador = 0;
  for (const TOponente* e : m.Ranking) jogador += e->Nome == "Biro";
  EXPECT_EQ(jogador, 1);
}

TEST(Partida, NameComparisonIsCaseSensitive) {
  TPartida p;
  TComRoteiro r{0, 3};
  p.NovoJogo("biro", 2);
  EXPECT_EQ(p.Motor->Candidatos[1]->Nome, "Biro");
}

TEST(Partida, OpponentNamesAreDistinctAndNeverThePlayers) {
  RandSeed(7);
  TPartida p;
  for (int jogo = 0; jogo < 200; ++jogo) {
    const int n = 2 + jogo % 4;
    p.NovoJogo(NomesPadrao[static_cast<size_t>(jogo % 6)], n);
    std::set<std::string> vistos;
    for (int i = 1; i <= n; ++i) {
      const std::string& nome = p.Motor->Candidatos[i]->Nome;
      EXPECT_NE(nome, NomesPadrao[static_cast<size_t>(jogo % 6)]);
      EXPECT_TRUE(vistos.insert(nome).second) << nome;
    }
  }
}

TEST(Partida, RefusedChoicesChangeNothing) {
  TPartida p;
  {
    TComRoteiro r;
    p.NovoJogo("Eu", 2);
  }
  TEngVarzeno& m = *p.Motor;
  TAcao* ternos = Buscar(p, "Comprar ternos novos");
  p.Opcoes[1] = ternos;
  p.Opcoes[2] = Buscar(p, "Compra de votos");                          // -2000, honesty -12
  p.Opcoes[3] = Buscar(p, "Ganhar confiança dos empresários locais");  // popularity -1

  m.Dinheiro = 900;
  TComRoteiro r;
  TResposta resp = p.ConfirmarAcao(1);
  EXPECT_EQ(resp.Recusa, kSemDinheiro);
  EXPECT_EQ(resp.Mensagem(), "Sem dinheiro Suficiente");
  EXPECT_FALSE(resp.SemanaJogada);
  EXPECT_FALSE(resp.NovasOpcoes);
  EXPECT_EQ(m.Semanas, 20);
  EXPECT_EQ(m.Dinheiro, 900);
  EXPECT_EQ(p.Opcoes[1], ternos);
  EXPECT_TRUE(r.Pedidos().empty());

  // Money and honesty both fail: the money message comes first.
  m.Honestidade = 5;
  EXPECT_EQ(p.ConfirmarAcao(2).Recusa, "Sem dinheiro Suficiente");
  m.Dinheiro = 5000;
  EXPECT_EQ(p.ConfirmarAcao(2).Recusa, "Você não pode ser tão descarado assim!");
  m.Popularidade = 0;
  EXPECT_EQ(p.ConfirmarAcao(3).Recusa, "Você não pode ir tão mal nas pesquisas");
  EXPECT_TRUE(r.Pedidos().empty());

  // Exactly zero passes.
  m.Dinheiro = 1000;
  TResposta ok = p.ConfirmarAcao(1);
  EXPECT_TRUE(ok.Recusa.empty());
  EXPECT_TRUE(ok.SemanaJogada);
  EXPECT_EQ(m.Dinheiro, 0);
  EXPECT_EQ(m.Semanas, 19);
}

TEST(Partida, DoingNothingPlaysTheWeekWithoutChecks) {
  TPartida p;
  {
    TComRoteiro r;
    p.NovoJogo("Eu", 3);
  }
  p.Motor->Dinheiro = -5;  // would fail every money check
  TResposta resp = p.ConfirmarAcao(0);
  EXPECT_TRUE(resp.SemanaJogada);
  EXPECT_EQ(p.Motor->Dinheiro, -5);
  EXPECT_EQ(p.Motor->Semanas, 19);
}

TEST(Partida, AWeekMayOpenWithAnEventAlreadyApplied) {
  TPartida p;
  {
    TComRoteiro r;
    p.NovoJogo("Eu", 2);
  }
  p.Motor->Dinheiro = 0;
  // Poll of the week, then the draw: r = 0, event 1 of 3 (row 40), actions.
  TComRoteiro r{0, 0, 1, 0, 1, 2, 0};
  TResposta resp = p.ConfirmarAcao(0);
  ASSERT_NE(resp.Evento, nullptr);
  EXPECT_EQ(resp.Mensagem(), "Ataque dos adversários");
  EXPECT_EQ(p.Motor->Popularidade, 0) << "the event is applied before it is announced";
  EXPECT_EQ(p.Opcoes[1]->Nome, "Comprar ternos novos");
  EXPECT_FALSE(p.Opcoes[1]->Evento);
}

TEST(Partida, AnEventAfterTheLastWeekIsNotAnnounced) {
  TPartida p;
  {
    TComRoteiro r;
    p.NovoJogo("Eu", 2);
  }
  p.Motor->Semanas = 1;
  p.Motor->Popularidade = 30;
  TComRoteiro r{0, 0, 0, 0, 1, 2};
  TResposta resp = p.ConfirmarAcao(0);
  EXPECT_EQ(p.Motor->Semanas, 0);
  EXPECT_EQ(resp.Evento, nullptr);
  EXPECT_TRUE(resp.Mensagem().empty());
  EXPECT_EQ(p.Motor->Popularidade, 30) << "it has no effect either";
  EXPECT_EQ(r.Pedidos(), (std::vector<int32_t>{3, 100, 6, 53, 53, 53}));
}

TEST(Partida, FirstRoundDecisions) {
  struct Caso {
    int32_t popularidade;
    int brancos;
    std::vector<int32_t> partes;
    TDecisao decisao;
  } casos[] = {
      {50, 1, {2, 34, 14}, TDecisao::Vitoria},
      {49, 3, {4, 33, 14}, TDecisao::Vitoria},  // 49 + blank 4 > 51
      {30, 1, {2, 48, 20}, TDecisao::SegundoTurno},
      {40, 2, {3, 40, 17}, TDecisao::SegundoTurno},  // a tie does not count
      {10, 2, {3, 61, 26}, TDecisao::Derrota},
  };
  for (const Caso& c : casos) {
    TPartida p;
    FimDoPrimeiroTurno(p, c.popularidade, c.brancos);
    EXPECT_EQ(Partes(*p.Motor), c.partes) << "popularity " << c.popularidade;
    TComRoteiro r;
    TResposta resp = p.ConfirmarAcao(2);
    EXPECT_EQ(resp.Decisao, c.decisao) << "popularity " << c.popularidade;
    EXPECT_EQ(resp.Turno, 1);
  }
}

TEST(Partida, WinAndLossTellTheWindowWhatToPlayAndShow) {
  TPartida p;
  FimDoPrimeiroTurno(p, 50, 1);
  TResposta v = p.ConfirmarAcao(0);
  EXPECT_TRUE(v.FimDeJogo());
  EXPECT_STREQ(v.Som(), "Ganhou.wav");
  EXPECT_EQ(v.Mensagem(), "Você ganhou!");

  FimDoPrimeiroTurno(p, 10, 2);
  TResposta d = p.ConfirmarAcao(0);
  EXPECT_STREQ(d.Som(), "Perdeu.wav");
  EXPECT_EQ(d.Mensagem(), "Você perdeu!");
}

TEST(Partida, FirstRoundIsRecordedForTheChart) {
  TPartida p;
  FimDoPrimeiroTurno(p, 30, 1, 3);
  TEngVarzeno& m = *p.Motor;
  m.Candidatos[1]->Historico[20] = 33;
  m.Candidatos[1]->Historico[21] = 99;
  const std::string primeiro = m.Ranking[0]->Nome;
  p.ConfirmarAcao(0);
  EXPECT_EQ(p.NomesTurno1[0], primeiro);
  EXPECT_EQ(p.HistoricoTurno1[0][20], 33);
  EXPECT_EQ(p.HistoricoTurno1[0][21], 0) << "only weeks 0..20 are kept";
  EXPECT_TRUE(p.NomesTurno1[5].empty());

  p.NovoJogo("Eu", 2);
  for (const std::string& n : p.NomesTurno1) EXPECT_TRUE(n.empty());
  EXPECT_EQ(p.HistoricoTurno1[0][20], 33) << "a new game leaves the old shares";
}

TEST(Partida, RunOffStartsAgainstTheBestPlacedOther) {
  TPartida p;
  FimDoPrimeiroTurno(p, 30, 1);
  const std::string lider = p.Motor->Candidatos[1]->Nome;
  TResposta resp = p.ConfirmarAcao(0);
  ASSERT_EQ(resp.Decisao, TDecisao::SegundoTurno);
  TEngVarzeno& m = *p.Motor;
  EXPECT_TRUE(m.SegundoTurno);
  EXPECT_EQ(m.Semanas, 4);
  EXPECT_EQ(m.Popularidade, 47);
  ASSERT_EQ(m.Candidatos.Count(), 2);
  EXPECT_EQ(m.Candidatos[1]->Nome, lider);
  EXPECT_TRUE(resp.LimparPainel);
  EXPECT_TRUE(resp.NovasOpcoes);
  EXPECT_EQ(resp.Evento, nullptr);
  EXPECT_FALSE(resp.FimDeJogo());
  EXPECT_TRUE(resp.Mensagem().empty());
}

TEST(Partida, LeadingPlayerMeetsTheRunnerUp) {
  TPartida p;
  // Three opponents, popularity 45, blank 3: 31, 15, 5 and blank 4; 45 is not above 47.
  FimDoPrimeiroTurno(p, 45, 3, 3);
  ASSERT_EQ(p.Motor->Ranking[0]->Nome, "Eu");
  const std::string segundo = p.Motor->Ranking[1]->Nome;
  EXPECT_EQ(p.ConfirmarAcao(0).Decisao, TDecisao::SegundoTurno);
  EXPECT_EQ(p.Motor->Candidatos[1]->Nome, segundo);
}

TEST(Partida, TieWithTheFinalistStillMeetsHim) {
  TPartida p;
  FimDoPrimeiroTurno(p, 40, 2);
  const std::string adversario = p.Motor->Candidatos[1]->Nome;
  ASSERT_EQ(p.Motor->Ranking[0]->Nome, adversario);
  p.ConfirmarAcao(0);
  EXPECT_EQ(p.Motor->Candidatos[1]->Nome, adversario);
}

TEST(Partida, RunOffDecision) {
  struct Caso {
    int32_t popularidade, adversario, brancos;
    TDecisao decisao;
  } casos[] = {
      {50, 48, 2, TDecisao::Vitoria},
      {49, 49, 2, TDecisao::Vitoria},  // a tie wins
      {40, 58, 2, TDecisao::Derrota},
      {3, 1, 96, TDecisao::Derrota},  // the blank entry counts too
  };
  for (const Caso& c : casos) {
    TPartida p;
    FimDoPrimeiroTurno(p, 30, 1);
    p.ConfirmarAcao(0);
    TEngVarzeno& m = *p.Motor;
    m.Semanas = 0;
    m.Popularidade = c.popularidade;
    m.Candidatos[0]->Percentual = c.brancos;
    m.Candidatos[1]->Percentual = c.adversario;
    TComRoteiro r;
    TResposta resp = p.ConfirmarAcao(1);
    EXPECT_EQ(resp.Decisao, c.decisao) << c.popularidade << " vs " << c.adversario;
    EXPECT_EQ(resp.Turno, 2);
    EXPECT_TRUE(r.Pedidos().empty()) << "deciding draws nothing";
  }
}

TEST(Partida, WholeGamesAlwaysEndAndKeepThePollConsistent) {
  RandSeed(2024);
  TPartida p;
  int vitorias = 0, derrotas = 0, segundos = 0;
  for (int jogo = 0; jogo < 300; ++jogo) {
    p.NovoJogo("Candidato 15", 2 + jogo % 4);
    int passos = 0;
    for (;;) {
      ASSERT_LT(++passos, 60) << "a game must end";
      // A sensible player: the best affordable gain in popularity, or
      // else the best fund-raiser.
      int escolha = 0, melhor = 0, caixa = 0;
      for (int k = 1; k <= 3; ++k) {
        const TAcao* o = p.Opcoes[static_cast<size_t>(k)];
        if (!VerificarOpcao(*p.Motor, *o).empty()) continue;
        if (o->Popularidade > melhor) {
          melhor = o->Popularidade;
          escolha = k;
        } else if (melhor == 0 && o->Dinheiro > caixa) {
          caixa = o->Dinheiro;
          escolha = k;
        }
      }
      TResposta r = p.ConfirmarAcao(escolha);
      ASSERT_TRUE(r.Recusa.empty());
      const TEngVarzeno& m = *p.Motor;
      int total = m.Popularidade;
      for (const TOponente* c : m.Candidatos) total += c->Percentual;
      ASSERT_EQ(total, 100);
      ASSERT_EQ(m.Ranking.Count(), m.Candidatos.Count() + 1);
      ASSERT_GE(m.Dinheiro, 0);
      ASSERT_GE(m.Honestidade, 0);
      if (r.Decisao == TDecisao::SegundoTurno) ++segundos;
      if (r.Decisao == TDecisao::Vitoria) {
        ++vitorias;
        break;
      }
      if (r.Decisao == TDecisao::Derrota) {
        ++derrotas;
        break;
      }
    }
  }
  EXPECT_EQ(vitorias + derrotas, 300);
  EXPECT_GT(vitorias, 0);
  EXPECT_GT(segundos, 0);
}

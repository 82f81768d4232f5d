// The list of what to show, against scripted draws: the order both editions
// carry out, step by step.
#include "passos.h"

#include <gtest/gtest.h>

#include <set>

#include "roteiro.h"

using namespace varzeno;
using namespace varzeno::jogo;
using varzeno::teste::TComRoteiro;

namespace varzeno::jogo {
// Failures name the steps.
void PrintTo(const TPassoMostrar& p, std::ostream* os) { *os << NomeDoPasso(p.passo) << "(\"" << p.texto << "\")"; }
}  // namespace varzeno::jogo

namespace {
using P = TPasso;

std::vector<TPasso> Tipos(const std::vector<TPassoMostrar>& v) {
  std::vector<TPasso> t;
  for (const TPassoMostrar& p : v) t.push_back(p.passo);
  return t;
}

TPartida Iniciada(int oponentes = 2) {
  TPartida p;
  TComRoteiro r;
  p.NovoJogo("Eu", oponentes);
  return p;
}

// The first round played out, its last poll drawn with this popularity.
void FimDoPrimeiroTurno(TPartida& p, int32_t popularidade, int brancos) {
  p = Iniciada();
  p.Motor->Semanas = 0;
  p.Motor->Popularidade = popularidade;
  TComRoteiro r{static_cast<uint64_t>(brancos - 1)};
  p.Motor->CalcularPesquisa();
}
}  // namespace

TEST(Passos, ANewGameBlanksThenWritesThePanel) {
  TPartida p;
  TComRoteiro r;
  const auto v = PassosDe(p.NovoJogo("Eu", 2));
  EXPECT_EQ(Tipos(v), (std::vector{P::LimparPainel, P::EscreverPainel}));
}

TEST(Passos, ARefusalIsItsMessageAlone) {
  TPartida p = Iniciada();
  p.Opcoes[1] = BuscarAcao(p.Motor->Acoes, "Comprar ternos novos");
  p.Motor->Dinheiro = 900;
  const auto v = PassosDe(p.ConfirmarAcao(1));
  EXPECT_EQ(v, (std::vector<TPassoMostrar>{{P::Recusa, kSemDinheiro}}));
}

TEST(Passos, AQuietWeekWritesThePanelThenAnnouncesIt) {
  TPartida p = Iniciada();
  TComRoteiro r{0, 50, 0, 1, 2};  // the poll, then a draw with no event (50 of 100) and three actions
  const auto v = PassosDe(p.ConfirmarAcao(0));
  EXPECT_EQ(v, (std::vector<TPassoMostrar>{{P::EscreverPainel, ""}, {P::AnunciarSemana, ""}}));
}

TEST(Passos, AnEventIsAnnouncedAfterThePanelAndShownLast) {
  TPartida p = Iniciada();
  p.Motor->Dinheiro = 0;
  TComRoteiro r{0, 0, 1, 0, 1, 2, 0};  // the poll, then event 1 of 3 at the draw's head
  const auto v = PassosDe(p.ConfirmarAcao(0));
  EXPECT_EQ(v, (std::vector<TPassoMostrar>{{P::EscreverPainel, ""},
                                           {P::AnunciarSemana, "Ataque dos adversários"},
                                           {P::MensagemEvento, "Ataque dos adversários"}}));
}

TEST(Passos, TheRunOffStartsLikeANewGame) {
  TPartida p;
  FimDoPrimeiroTurno(p, 30, 1);
  TResposta r = p.ConfirmarAcao(0);
  ASSERT_EQ(r.Decisao, TDecisao::SegundoTurno);
  EXPECT_EQ(Tipos(PassosDe(r)), (std::vector{P::LimparPainel, P::EscreverPainel, P::AnunciarSemana}));
}

TEST(Passos, TheEndPlaysItsSoundThenShowsItsMessageThenTheChart) {
  struct Caso {
    int32_t popularidade;
    int brancos;
    const char *som, *mensagem;
  } casos[] = {{50, 1, "Ganhou.wav", "Você ganhou!"}, {10, 2, "Perdeu.wav", "Você perdeu!"}};
  for (const Caso& c : casos) {
    TPartida p;
    FimDoPrimeiroTurno(p, c.popularidade, c.brancos);
    EXPECT_EQ(PassosDe(p.ConfirmarAcao(0)),
              (std::vector<TPassoMostrar>{{P::Som, c.som}, {P::MensagemFim, c.mensagem}, {P::Grafico, ""}}))
        << c.mensagem;
  }
}

TEST(Passos, NothingBeforeAGame) {
  TPartida p;
  EXPECT_TRUE(PassosDe(p.ConfirmarAcao(0)).empty());
}

TEST(Passos, EveryStepHasItsOwnName) {
  std::set<std::string> nomes;
  for (TPasso p : {P::Recusa, P::LimparPainel, P::EscreverPainel, P::AnunciarSemana, P::MensagemEvento, P::Som,
                   P::MensagemFim, P::Grafico})
    nomes.insert(NomeDoPasso(p));
  EXPECT_EQ(nomes.size(), 8u);
  EXPECT_EQ(nomes.count(""), 0u);
}

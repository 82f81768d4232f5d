#include <gtest/gtest.h>

#include <set>

#include "acao.h"

using namespace varzeno;

namespace {
// Catalogue rows are numbered from 1 as in the design table.
TAcao* Linha(const TAcaoList& l, int linha) { return l[linha - 1]; }
}  // namespace

TEST(Catalogo, HoldsFortyOneActionsThenTwelveEventsInOrder) {
  TAcaoList l(true);
  CarregarAcoes(l);
  ASSERT_EQ(l.Count(), 53);
  int acoes = 0, eventos = 0;
  long dinheiro = 0, popularidade = 0, honestidade = 0;
  for (int i = 1; i <= 53; ++i) {
    const TAcao* a = Linha(l, i);
    const bool evento = i >= 36 && i <= 47;
    EXPECT_EQ(a->Evento, evento) << "row " << i;
    (evento ? eventos : acoes)++;
    dinheiro += a->Dinheiro;
    popularidade += a->Popularidade;
    honestidade += a->Honestidade;
    if (evento) {
      EXPECT_EQ(a->Honestidade, 0) << a->Nome;
      EXPECT_LE(a->Dinheiro, 0) << a->Nome;
      EXPECT_LT(a->Popularidade, 0) << a->Nome;
    }
  }
  EXPECT_EQ(acoes, 41);
  EXPECT_EQ(eventos, 12);
  // Totals of the design table: a mistyped effect anywhere changes one of them.
  EXPECT_EQ(dinheiro, -33000);
  EXPECT_EQ(popularidade, 47);
  EXPECT_EQ(honestidade, -130);

  EXPECT_EQ(Linha(l, 1)->Nome, "Comprar ternos novos");
  EXPECT_EQ(Linha(l, 18)->Nome, "Recuperar sistema de esgotos da cidade");
  EXPECT_EQ(Linha(l, 18)->Dinheiro, -10000);
  EXPECT_EQ(Linha(l, 24)->Nome, "Ajuda financeira de traficantes");
  EXPECT_EQ(Linha(l, 36)->Nome, "Instabilidade política");
  EXPECT_EQ(Linha(l, 45)->Nome, "Capacidade de dirigir o município em dúvida");
  EXPECT_EQ(Linha(l, 53)->Nome, "Fazer denúncia falsa contra adversário");

  std::set<std::string> nomes;
  for (TAcao* a : l) nomes.insert(a->Nome);
  EXPECT_EQ(nomes.size(), 53u) << "names are lookup keys and must be unique";
}

TEST(Catalogo, SixEventsWaitForTheActionThatCausesThem) {
  TAcaoList l(true);
  CarregarAcoes(l);
  const std::set<int> fechados = {38, 39, 41, 42, 46, 47};
  for (int i = 1; i <= 53; ++i) EXPECT_EQ(Linha(l, i)->Disponivel, !fechados.count(i)) << "row " << i;

  // Row of the action -> row of the event it makes possible.
  const std::pair<int, int> elos[] = {{48, 41}, {49, 42}, {50, 39}, {51, 38}, {52, 46}, {53, 47}};
  for (auto [acao, evento] : elos) {
    const TAcao* a = Linha(l, acao);
    ASSERT_EQ(a->Consequencias.Count(), 1) << a->Nome;
    EXPECT_EQ(a->Consequencias[0], Linha(l, evento)) << a->Nome << " must link the catalogue's own entry";
  }
  for (int i = 1; i <= 47; ++i) EXPECT_EQ(Linha(l, i)->Consequencias.Count(), 0) << "row " << i;
}

TEST(Catalogo, ReloadReplacesEveryEntry) {
  TAcaoList l(true);
  CarregarAcoes(l);
  Linha(l, 38)->Disponivel = true;
  std::set<TAcao*> antigos(l.begin(), l.end());
  CarregarAcoes(l);
  ASSERT_EQ(l.Count(), 53);
  EXPECT_FALSE(Linha(l, 38)->Disponivel);
  EXPECT_EQ(Linha(l, 1)->Nome, "Comprar ternos novos");
  // Old entries are gone; new ones may reuse an address, but the events
  // linked from the actions must be the new catalogue's.
  EXPECT_EQ(Linha(l, 51)->Consequencias[0], Linha(l, 38));
}

TEST(Catalogo, LookupIsExactAndSeesOnlyEarlierEntries) {
  TAcaoList vazia(true);
  EXPECT_EQ(BuscarAcao(vazia, "Descobriram Caixa 2"), nullptr);

  TAcaoList l(true);
  CarregarAcoes(l);
  EXPECT_EQ(BuscarAcao(l, "Descobriram Caixa 2"), Linha(l, 38));
  EXPECT_EQ(BuscarAcao(l, "Descobriram caixa 2"), nullptr);
  EXPECT_EQ(BuscarAcao(l, "Descobriram Caixa 2 "), nullptr);
  EXPECT_EQ(BuscarAcao(l, "Instabilidade politica"), nullptr);

  // An action whose consequence is not in the list yet gets no link.
  TAcaoList parcial(true);
  TAcao* a = AdicionarAcao(parcial, "Criar caixa 2 de campanha", 5000, 0, -7, true, {"Descobriram Caixa 2"});
  EXPECT_EQ(a->Consequencias.Count(), 0);
  TAcao* e = AdicionarEvento(parcial, "Descobriram Caixa 2", -1000, -5, 0, false);
  TAcao* b = AdicionarAcao(parcial, "outra", 0, 0, 0, true, {"inexistente", "Descobriram Caixa 2"});
  ASSERT_EQ(b->Consequencias.Count(), 1);
  EXPECT_EQ(b->Consequencias[0], e);
  EXPECT_TRUE(e->Evento);
  EXPECT_FALSE(a->Evento);
}

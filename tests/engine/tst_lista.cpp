#include "lista.h"

#include <gtest/gtest.h>

using varzeno::TLista;

namespace {
// Counts live objects and their destructions to catch double frees and leaks.
struct Contado {
  static inline int vivos = 0;
  static inline int destruidos = 0;
  int id;
  explicit Contado(int i = 0) : id(i) { ++vivos; }
  ~Contado() {
    --vivos;
    ++destruidos;
  }
};

class ListaTest : public ::testing::Test {
 protected:
  void SetUp() override { Contado::vivos = Contado::destruidos = 0; }
};
}  // namespace

TEST_F(ListaTest, OwningListDestroysEachEntryOnceWhateverRemovesIt) {
  {
    TLista<Contado> l(true);
    for (int i = 0; i < 5; ++i) l.Criar(i);
    l.Excluir(1);  // 1 destroyed, the rest move down
    EXPECT_EQ(Contado::destruidos, 1);
    EXPECT_EQ(l[1]->id, 2);
    l.Substituir(0, new Contado(9));  // replacing destroys the old entry
    EXPECT_EQ(Contado::destruidos, 2);
    l.Limpar();
    EXPECT_EQ(Contado::destruidos, 6);
    l.Criar(7);
  }
  EXPECT_EQ(Contado::vivos, 0);
  EXPECT_EQ(Contado::destruidos, 7);
}

TEST_F(ListaTest, ReferringListNeverDestroysWhatItHolds) {
  TLista<Contado> dono(true);
  Contado* a = dono.Criar(1);
  Contado* b = dono.Criar(2);
  {
    TLista<Contado> refs(false);
    refs.Adicionar(a);
    refs.Adicionar(b);
    refs.Inserir(0, b);
    refs.Substituir(1, nullptr);
    refs.Excluir(0);
    refs.Limpar();
    refs.Adicionar(a);
  }
  EXPECT_EQ(Contado::destruidos, 0);
  EXPECT_EQ(dono[0], a);
}

TEST_F(ListaTest, InsertShiftsUpAndReadsOutsideBoundsThrow) {
  TLista<Contado> l(true);
  EXPECT_THROW(l[0], std::out_of_range);
  l.Criar(1);
  l.Criar(3);
  l.Inserir(1, new Contado(2));
  l.Inserir(3, new Contado(4));  // inserting at Count() appends
  ASSERT_EQ(l.Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(l[i]->id, i + 1);
  EXPECT_THROW(l[4], std::out_of_range);
  EXPECT_THROW(l[-1], std::out_of_range);
  EXPECT_THROW(l.Excluir(4), std::out_of_range);
  EXPECT_THROW(l.Substituir(-1, nullptr), std::out_of_range);
  EXPECT_THROW(l.Inserir(6, nullptr), std::out_of_range);
  EXPECT_EQ(l.Count(), 4);
}

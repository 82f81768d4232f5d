#include <gtest/gtest.h>

#include "decisao.h"

using namespace varzeno;
using namespace varzeno::jogo;

// The simulator's trace and the page read these names; a renamed one would
// break both without a word.
TEST(Decisao, Names) {
  EXPECT_EQ(NomeDecisao(TDecisao::Vitoria), "vitoria");
  EXPECT_EQ(NomeDecisao(TDecisao::Derrota), "derrota");
  EXPECT_EQ(NomeDecisao(TDecisao::SegundoTurno), "segundo_turno");
  EXPECT_EQ(NomeDecisao(TDecisao::Nenhuma), "");
}

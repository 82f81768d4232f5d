#include <gtest/gtest.h>

#include "foto.h"

using namespace varzeno::jogo;

TEST(Foto, TheDesktopsBounds) {
  EXPECT_EQ(VerificarFoto("a.jpg", 1000, 0, 0), "");
  EXPECT_EQ(VerificarFoto("a.jpg", 1000, 8192, 8192), "");  // exactly 64 Mi pixels
  EXPECT_EQ(VerificarFoto("a.jpg", 1000, 65535, 1), "");
  EXPECT_EQ(VerificarFoto("a.jpg", 1000, 65536, 1),
            "A figura \"a.jpg\" é grande demais (65536 x 1 pixels): o jogo abre fotos de até 67.108.864 pixels "
            "(cerca de 67 megapixels), com até 65.535 pixels de cada lado");
  EXPECT_NE(VerificarFoto("a.jpg", 1000, 8193, 8192), "");
  EXPECT_EQ(VerificarFoto("b.png", kBytesMaximosFoto + 1, 0, 0),
            "O arquivo de figura \"b.png\" é grande demais (536870913 bytes; o máximo é 536870912)");
  EXPECT_EQ(NumeroBrasileiro(999), "999");
  EXPECT_EQ(NumeroBrasileiro(1000), "1.000");
}

// The desktop's decoders ask the bounds by themselves, before decoding.
TEST(Foto, WithinTheBounds) {
  EXPECT_TRUE(FotoDentroDoLimite(8192, 8192));
  EXPECT_FALSE(FotoDentroDoLimite(8192, 8193));
  EXPECT_TRUE(FotoDentroDoLimite(65535, 1));
  EXPECT_FALSE(FotoDentroDoLimite(65536, 1));
  EXPECT_FALSE(FotoDentroDoLimite(1, 65536));
  EXPECT_FALSE(FotoDentroDoLimite(65535, 65535));  // each side fits, the whole does not
  EXPECT_EQ(MensagemArquivoDeFotoGrande("c.bmp", 600000000),
            "O arquivo de figura \"c.bmp\" é grande demais (600000000 bytes; o máximo é 536870912)");
}

#include <gtest/gtest.h>

#include "jogo_ini.h"

using namespace varzeno::jogo;

namespace {
TCandidatosIni Exemplo() {
  TCandidatosIni c;
  for (int k = 0; k < 6; ++k)
    c[size_t(k)] = {k == 2 ? "C:\\Fotos\\joão.jpg" : "", "Candidato " + std::to_string(10 * k + 15),
                    "Descrição com acentos: ção, é, €, “aspas” e — travessão"};
  return c;
}
}  // namespace

TEST(JogoIni, NineteenLinesInWindows1252WithCrLf) {
  const std::string b = MontarJogoIni(Exemplo());
  int linhas = 0;
  for (size_t i = 0; i + 1 < b.size(); ++i)
    if (b[i] == '\r' && b[i + 1] == '\n') ++linhas;
  EXPECT_EQ(linhas, 19);
  EXPECT_EQ(b.substr(0, 3), "0\r\n");
  EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
  // ã is one byte, 0xE3; € is 0x80; the curly quotes 0x93 and 0x94.
  EXPECT_NE(b.find("jo\xE3o.jpg"), std::string::npos);
  EXPECT_NE(b.find("\x80, \x93" "aspas\x94 e \x97 travess\xE3o"), std::string::npos);
}

TEST(JogoIni, ReadsBackWhatItWrites) {
  EXPECT_EQ(InterpretarJogoIni(MontarJogoIni(Exemplo())), Exemplo());
}

TEST(JogoIni, ReadsLikeTheDesktop) {
  // LF and lone CR end lines too; missing lines are empty; later ones ignored.
  const TCandidatosIni c = InterpretarJogoIni("0\nfoto1\rNome 1\r\ndesc 1\n");
  EXPECT_EQ(c[0].foto, "foto1");
  EXPECT_EQ(c[0].nome, "Nome 1");
  EXPECT_EQ(c[0].descricao, "desc 1");
  EXPECT_EQ(c[5].nome, "");
  // The five undefined bytes come back as the C1 controls of their number.
  EXPECT_EQ(InterpretarJogoIni("0\r\n\r\n\x81\r\n")[0].nome, "\xC2\x81");
  EXPECT_TRUE(CabeNoJogoIni("\xC2\x81"));
  // A line keeps its first 4096 characters.
  EXPECT_EQ(InterpretarJogoIni("0\r\n\r\n" + std::string(5000, 'x'))[0].nome.size(), 4096u);
}

TEST(JogoIni, RefusesWhatItCannotStore) {
  TCandidatosIni c = Exemplo();
  c[3].nome = "Nome com emoji \xF0\x9F\x98\x80";
  EXPECT_THROW(MontarJogoIni(c), TValorIni);
  c[3].nome = "duas\nlinhas";
  EXPECT_THROW(MontarJogoIni(c), TValorIni);
  EXPECT_FALSE(CabeNoJogoIni("\xE3"));  // not UTF-8 at all
  EXPECT_FALSE(CabeNoJogoIni(std::string(4097, 'a')));
  EXPECT_TRUE(CabeNoJogoIni(std::string(4096, 'a')));
}

TEST(JogoIni, TellsWhatIsNotAJogoIni) {
  EXPECT_EQ(VerificarJogoIni(MontarJogoIni(Exemplo())), "");
  EXPECT_NE(VerificarJogoIni("").find("vazio"), std::string::npos);
  EXPECT_NE(VerificarJogoIni(std::string(kTamanhoMaximoIni + 1, 'a')).find("grande demais"), std::string::npos);
  EXPECT_NE(VerificarJogoIni(std::string("\x89PNG\r\n\x1a\n\0\0", 10)).find("não é de texto"), std::string::npos);
  EXPECT_NE(VerificarJogoIni("\xFF\xFE" "0\0").find("UTF-16"), std::string::npos);
  std::string utf8 = "0\r\n";
  for (int i = 0; i < 18; ++i) utf8 += "Descrição\r\n";
  EXPECT_NE(VerificarJogoIni(utf8).find("UTF-8"), std::string::npos);
  EXPECT_NE(VerificarJogoIni("[secao]\nchave=valor\n").find("não é um jogo.ini"), std::string::npos);
  // The desktop's file with every value empty is one.
  std::string vazio = "0\r\n";
  for (int i = 0; i < 18; ++i) vazio += "\r\n";
  EXPECT_EQ(VerificarJogoIni(vazio), "");
}

// Fed in pieces, cut anywhere (between a CR and its LF too), the reader
// reads what it reads from the whole.
TEST(JogoIni, ReadsTheSameInPieces) {
  std::string bytes = "0\r\n";
  const char* fins[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
  for (int i = 0; i < 22; ++i) bytes += "Linha \xE3 " + std::to_string(i) + fins[i % 5];
  const TCandidatosIni inteiro = InterpretarJogoIni(bytes);
  for (size_t corte = 0; corte <= bytes.size(); ++corte) {
    TLeitorJogoIni leitor;
    leitor.Acrescentar(std::string_view(bytes).substr(0, corte));
    leitor.Acrescentar(std::string_view(bytes).substr(corte));
    EXPECT_EQ(leitor.Candidatos(), inteiro) << corte;
  }
  // One byte at a time, and complete once the 19th line has ended.
  TLeitorJogoIni leitor;
  for (const char b : bytes) leitor.Acrescentar(std::string_view(&b, 1));
  EXPECT_EQ(leitor.Candidatos(), inteiro);
  EXPECT_TRUE(leitor.Completo());
  TLeitorJogoIni curto;
  curto.Acrescentar("0\r\nfoto\r\n");
  EXPECT_FALSE(curto.Completo());
}

TEST(JogoIni, Windows1252WithoutTheLengthBound) {
  EXPECT_TRUE(CabeEmWindows1252(std::string(5000, 'a')));
  EXPECT_FALSE(CabeNoJogoIni(std::string(5000, 'a')));
  EXPECT_TRUE(CabeEmWindows1252("São João € \xC2\x81"));
  EXPECT_FALSE(CabeEmWindows1252("a\rb"));
  EXPECT_FALSE(CabeEmWindows1252("\xC2\x80"));  // U+0080: 1252 puts € at its byte
  EXPECT_FALSE(CabeEmWindows1252("\xE3"));
}

// The words of a refusal, which the desktop shows as they are.
TEST(JogoIni, RefusalNamesTheValue) {
  TCandidatosIni c = Exemplo();
  c[4].descricao = "duas\nlinhas";
  try {
    MontarJogoIni(c);
    FAIL() << "stored a line break";
  } catch (const TValorIni& e) {
    EXPECT_STREQ(e.what(),
                 "Não é possível gravar a descrição do candidato 5 em jogo.ini: \"duas\nlinhas\" tem quebra de linha, "
                 "caracteres fora de Windows-1252 ou mais de 4096 caracteres");
  }
  EXPECT_STREQ(ValorQueNaoCabe(1, 0, "x").what(),
               "Não é possível gravar o caminho da foto do candidato 1 em jogo.ini: \"x\" tem quebra de linha, "
               "caracteres fora de Windows-1252 ou mais de 4096 caracteres");
}

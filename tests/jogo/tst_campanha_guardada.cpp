#include "campanha_guardada.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "painel.h"
#include "textos.h"

using namespace varzeno;
using namespace varzeno::jogo;

namespace {

// What the page shows after a step: the panel, the message, the poll.
std::string Quadro(const TPartida& p, const TResposta& r) {
  const TPainel t = ComporPainel(p);
  std::string s = t.dinheiro + "|" + t.popularidade + "|" + t.honestidade + "|" + t.semanas + "|" + r.Mensagem();
  for (const auto& o : t.opcoes) s += "|" + o;
  for (int i = 0; i < t.linhas; ++i) s += "|" + t.nomes[size_t(i)] + t.partes[size_t(i)];
  return s + "|" + DescreverPesquisaFinal(p);
}

// A choice for every press of the confirm button: the best popularity the
// player can afford, and now and then an option the game refuses.
int Escolha(const TPartida& p, size_t passo) {
  int escolha = 0, melhor = 0;
  for (int k = 1; k <= 3; ++k) {
    const TAcao& o = *p.Opcoes[size_t(k)];
    const bool recusada = !VerificarOpcao(*p.Motor, o).empty();
    if (recusada && passo % 5 == 2) return k;
    if (!recusada && o.Popularidade > melhor) escolha = k, melhor = o.Popularidade;
  }
  return escolha;
}

// Played as above against two opponents, this seed's campaign comes to a
// run-off (a few in a hundred thousand do).
constexpr uint32_t kSementeComSegundoTurno = 78436;

struct TJogo {
  std::vector<int> escolhas;         // every press
  std::vector<std::string> quadros;  // after novoJogo, then after each press
  std::vector<std::string> guardadas;
  int recusas = 0;
  std::string final;
  bool segundoTurno = false;
};

// A whole campaign on a seed, kept after every step as the page keeps it.
TJogo Jogar(uint32_t semente, const std::string& nome, int oponentes) {
  TJogo j;
  TPartida p;
  RandSeed(semente);
  TCampanhaGuardada c;
  c.id = 1765300000000;
  c.semente = semente;
  c.nome = nome;
  c.oponentes = oponentes;
  TResposta r = p.NovoJogo(nome, oponentes);
  j.quadros.push_back(Quadro(p, r));
  j.guardadas.push_back(GravarCampanha(c));
  for (size_t passo = 0; !r.FimDeJogo(); ++passo) {
    if (passo > 200) throw std::runtime_error("no end");
    const int e = p.Motor->Semanas > 0 ? Escolha(p, passo) : 0;
    r = p.ConfirmarAcao(e);
    c.Registrar(e, r);
    j.recusas += !r.Recusa.empty();
    j.segundoTurno |= r.Decisao == TDecisao::SegundoTurno;
    j.escolhas.push_back(e);
    j.quadros.push_back(Quadro(p, r));
    j.guardadas.push_back(GravarCampanha(c));
  }
  j.final = DescreverPesquisaFinal(p);
  return j;
}

std::string Motivo(const std::string& texto) {
  try {
    TPartida p;
    RetomarCampanha(p, LerCampanha(texto));
  } catch (const TCampanhaInvalida& e) {
    return e.what();
  }
  return "usada";
}

// The record's checksum, computed here apart from the code under test.
std::string ComSoma(const std::string& corpo) {
  uint32_t h = 2166136261u;
  for (const unsigned char ch : corpo) h = (h ^ ch) * 16777619u;
  char b[9];
  std::snprintf(b, sizeof b, "%08x", h);
  return corpo + "soma=" + b + "\n";
}

// A valid record with one line replaced, its checksum made right again: a
// hand edit by someone who knows the format.
std::string Editado(const std::string& guardado, const std::string& de, const std::string& para) {
  const size_t soma = guardado.rfind("soma=");
  std::string corpo = guardado.substr(0, soma);
  const size_t i = corpo.find(de);
  EXPECT_NE(i, std::string::npos) << de;
  corpo.replace(i, de.size(), para);
  return ComSoma(corpo);
}

}  // namespace

TEST(CampanhaGuardada, ResumedAtAnyStepItEndsAsTheUnbrokenGame) {
  int comRecusas = 0, comSegundoTurno = 0;
  for (const uint32_t semente : {1u, 7u, 42u, 4294967295u, kSementeComSegundoTurno}) {
    const TJogo j = Jogar(semente, "Candidato 25", semente < 100 ? 2 + static_cast<int>(semente % 4) : 2);
    comRecusas += j.recusas > 0;
    comSegundoTurno += j.segundoTurno;
    for (size_t k = 0; k < j.guardadas.size(); ++k) {
      TPartida p;
      TResposta r = RetomarCampanha(p, LerCampanha(j.guardadas[k]));
      ASSERT_EQ(Quadro(p, r), j.quadros[k]) << "seed " << semente << " step " << k;
      // The draws to come are the same: the rest of the game is too.
      for (size_t n = k; n < j.escolhas.size(); ++n) {
        r = p.ConfirmarAcao(j.escolhas[n]);
        ASSERT_EQ(Quadro(p, r), j.quadros[n + 1]) << "seed " << semente << " from " << k << " step " << n;
      }
      EXPECT_TRUE(r.FimDeJogo());
      EXPECT_EQ(DescreverPesquisaFinal(p), j.final);
    }
  }
  // The seeds cover refused choices and a run-off.
  EXPECT_GT(comRecusas, 0);
  EXPECT_GT(comSegundoTurno, 0);
}

TEST(CampanhaGuardada, RoundTrip) {
  TCampanhaGuardada c;
  c.id = 9007199254740991.0;
  c.semente = 4294967295u;
  // Any name a candidate can have: separators, quotes, a line end, the record's own words.
  c.nome = "Zé \"Povão\"; da Silva\nsoma=00000000\n";
  c.oponentes = 5;
  c.jogadas = {0, 1, 2, 3, 0};
  c.recusa = 2;
  c.marca = 3;
  c.mensagemAberta = true;
  const TCampanhaGuardada l = LerCampanha(GravarCampanha(c));
  EXPECT_EQ(l.id, c.id);
  EXPECT_EQ(l.semente, c.semente);
  EXPECT_EQ(l.nome, c.nome);
  EXPECT_EQ(l.oponentes, c.oponentes);
  EXPECT_EQ(l.jogadas, c.jogadas);
  EXPECT_EQ(l.recusa, c.recusa);
  EXPECT_EQ(l.marca, c.marca);
  EXPECT_EQ(l.mensagemAberta, c.mensagemAberta);
  EXPECT_EQ(GravarCampanha(l), GravarCampanha(c));
}

TEST(CampanhaGuardada, RegistersOnlyAcceptedStepsAndTheLastRefusal) {
  TCampanhaGuardada c;
  TResposta aceita, recusada, comEvento;
  recusada.Recusa = kSemDinheiro;
  TAcao evento;
  evento.Nome = "Escândalo";
  comEvento.Evento = &evento;
  c.Registrar(2, recusada);
  EXPECT_TRUE(c.jogadas.empty());
  EXPECT_EQ(c.recusa, 2);
  EXPECT_TRUE(c.mensagemAberta);
  c.Registrar(0, aceita);
  EXPECT_EQ(c.jogadas, std::vector<int>{0});
  EXPECT_EQ(c.recusa, 0);
  EXPECT_FALSE(c.mensagemAberta);
  c.Registrar(3, comEvento);
  EXPECT_EQ(c.jogadas, (std::vector<int>{0, 3}));
  EXPECT_EQ(c.marca, 3);
  EXPECT_TRUE(c.mensagemAberta);
}

TEST(CampanhaGuardada, GarbageIsDamaged) {
  for (const std::string& t :
       {std::string("xyz"), std::string("{\"versao\":1}"), std::string("\n\n\n"), std::string("\xff\xfe\x00\x01", 4),
        std::string(100000, 'a'), std::string("varzeno campanha 1\nversao=") + kVersao + "\nid=1\n\n"})
    EXPECT_EQ(Motivo(t), kCampanhaDanificada) << t;
}

TEST(CampanhaGuardada, EveryCutIsIncomplete) {
  const TJogo j = Jogar(42, "Ana \"Bê\"; Cê", 3);
  const std::string& t = j.guardadas[5];
  for (size_t n = 0; n < t.size(); ++n) EXPECT_EQ(Motivo(t.substr(0, n)), kCampanhaIncompleta) << n;
  EXPECT_EQ(Motivo(t), "usada");
}

TEST(CampanhaGuardada, AnotherReleasesIsNotReplayed) {
  const std::string t = Jogar(7, "Candidato 15", 2).guardadas[3];
  EXPECT_EQ(Motivo(Editado(t, std::string("versao=") + kVersao, "versao=versão: 1.3")), kCampanhaDeOutraVersao);
  // A newer format, whatever follows it.
  std::string outra = t;
  outra.replace(0, std::string("varzeno campanha 1").size(), "varzeno campanha 2");
  EXPECT_EQ(Motivo(outra), kCampanhaDeOutraVersao);
  EXPECT_EQ(Motivo("varzeno campanha 2\nqualquer coisa"), kCampanhaDeOutraVersao);
}

TEST(CampanhaGuardada, AChangedByteBreaksTheSum) {
  const std::string t = Jogar(7, "Candidato 15", 2).guardadas[6];
  const size_t i = t.find("jogadas=") + 8;
  std::string mudado = t;
  mudado[i] = mudado[i] == '0' ? '1' : '0';
  EXPECT_EQ(Motivo(mudado), kCampanhaDanificada);
  EXPECT_EQ(Motivo(t + "a"), kCampanhaDanificada);
}

TEST(CampanhaGuardada, HandEditedValuesOutOfRange) {
  const TJogo j = Jogar(7, "Candidato 15", 2);
  const std::string t = j.guardadas[4];
  const std::string jogadas = t.substr(t.find("jogadas="), t.find('\n', t.find("jogadas=")) - t.find("jogadas="));
  for (const auto& [de, para] : std::vector<std::pair<std::string, std::string>>{
           {"oponentes=2", "oponentes=6"},
           {"oponentes=2", "oponentes=1"},
           {"oponentes=2", "oponentes=-2"},
           {"oponentes=2", "oponentes=02"},
           {"semente=7", "semente=4294967296"},
           {"semente=7", "semente=x"},
           {"id=1765300000000", "id=9007199254740992"},
           {"nome=12:Candidato 15", "nome=8:Seu Nome"},
           {"nome=12:Candidato 15", "nome=99999:Candidato 15"},
           {"nome=12:Candidato 15", "nome=11:Candidato 15"},
           {jogadas, "jogadas=0104"},
           {jogadas, "jogadas=" + std::string(kMaxJogadas + 1, '0')},
           {"recusa=", "recusa=4\nrecusa="},
           {"marca=", "marca=9\nmarca="},
           {"mensagem=", "mensagem=2\nmensagem="},
       }) {
    std::string editado = Editado(t, de, para);
    // The lines doubled above leave the bad value in the first one.
    for (const char* chave : {"recusa=", "marca=", "mensagem="}) {
      const size_t a = editado.find(chave), b = editado.find(chave, a + 1);
      if (b != std::string::npos)
        editado =
            ComSoma(editado.substr(0, editado.find('\n', a) + 1) +
                    editado.substr(editado.find('\n', b) + 1, editado.rfind("soma=") - editado.find('\n', b) - 1));
    }
    EXPECT_EQ(Motivo(editado), kCampanhaDanificada) << para;
  }
}

TEST(CampanhaGuardada, StepsNoGameCouldHaveTaken) {
  const TJogo j = Jogar(7, "Candidato 15", 2);
  const std::string& fim = j.guardadas.back();
  // A step past the end.
  const size_t a = fim.find("jogadas=");
  const std::string jogadas = fim.substr(a, fim.find('\n', a) - a);
  ASSERT_LT(jogadas.size() - 8, kMaxJogadas);
  EXPECT_EQ(Motivo(Editado(fim, jogadas, jogadas + "0")), kCampanhaDanificada);
  // A refusal after the end, and one of a choice the game accepts ("do nothing" never is refused).
  EXPECT_EQ(Motivo(Editado(fim, "recusa=0", "recusa=1")), kCampanhaDanificada);
  const std::string& inicio = j.guardadas[0];
  TPartida p;
  RandSeed(7);
  p.NovoJogo("Candidato 15", 2);
  int aceita = 0;
  for (int k = 1; k <= 3 && !aceita; ++k)
    if (VerificarOpcao(*p.Motor, *p.Opcoes[size_t(k)]).empty()) aceita = k;
  ASSERT_NE(aceita, 0);
  EXPECT_EQ(Motivo(Editado(inicio, "recusa=0", "recusa=" + std::to_string(aceita))), kCampanhaDanificada);
  // A message said to be up where the step showed none.
  EXPECT_EQ(Motivo(Editado(inicio, "mensagem=0", "mensagem=1")), kCampanhaDanificada);
  // And a record of steps the game refused: an accepted step that is not one.
  TCampanhaGuardada c = LerCampanha(inicio);
  for (int k = 1; k <= 3; ++k)
    if (!VerificarOpcao(*p.Motor, *p.Opcoes[size_t(k)]).empty()) {
      c.jogadas = {k};
      EXPECT_EQ(Motivo(GravarCampanha(c)), kCampanhaDanificada);
    }
}

TEST(CampanhaGuardada, AFailedResumeLeavesTheGameAsItWas) {
  TPartida p;
  RandSeed(3);
  p.NovoJogo("Candidato 35", 4);
  const std::string antes = Quadro(p, {});
  TCampanhaGuardada c = LerCampanha(Jogar(7, "Candidato 15", 2).guardadas.back());
  c.jogadas.push_back(0);
  ASSERT_LE(c.jogadas.size(), kMaxJogadas);
  EXPECT_THROW(RetomarCampanha(p, c), TCampanhaInvalida);
  EXPECT_EQ(Quadro(p, {}), antes);
}

TEST(CampanhaGuardada, TheMessageNamesWhy) {
  EXPECT_EQ(MensagemCampanhaDescartada(kCampanhaIncompleta),
            "A campanha que estava guardada neste navegador não pôde ser retomada (está incompleta) e foi "
            "descartada. Os candidatos continuam guardados.");
}

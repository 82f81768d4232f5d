// The status panel's texts: what each label of the panel reads after a
// step of the game, and the poll in words for those who cannot see it.
#pragma once

#include <array>
#include <string>

#include "partida.h"

namespace varzeno::jogo {

inline constexpr const char* kPontosVazios = ".......................";  // an empty poll row
inline constexpr const char* kPontosDoNome = ".....................";    // after a name
inline constexpr const char* kPorcentoVazio = "00%";
inline constexpr const char* kDinheiro = "Dinheiro:";
inline constexpr const char* kPopularidade = "Popularidade:";
inline constexpr const char* kHonestidade = "Honestidade:";

struct TPainel {
  std::string dinheiro, popularidade, honestidade;
  std::array<std::string, 3> opcoes;  // slots 1..3 at 0..2
  // Poll rows 0..linhas-1 are written; the rows after them keep what they
  // showed before.
  int linhas = 0;
  std::array<std::string, kMaxRanking> nomes, partes;
  std::string semanas;  // empty: the label keeps its text
};

// The panel for the game in progress (the partida has an engine).
TPainel ComporPainel(const TPartida& partida);
// The panel blanked at the start of a round: every row and value.
TPainel PainelVazio();

// "Name Din: d   Pop: p   hon: h"
std::string TextoOpcao(const TAcao& o);
// "Semanas até 1o turno: n" or, in the run-off, "Semanas até 2o turno: n".
std::string TextoSemanas(const TEngVarzeno& m);
// A poll row's name without the dots that fill it ("" for an empty row).
std::string SemPontos(const std::string& s);
// "Pesquisa final. Biro: 40%; Eu: 35%; …." or empty before any game.
std::string DescreverPesquisaFinal(const TPartida& partida);

}  // namespace varzeno::jogo

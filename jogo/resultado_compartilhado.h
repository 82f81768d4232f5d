// The line a player shares with a finished campaign's link: the result in
// the player's own words, from the final poll.
#pragma once

#include <string>

#include "partida.h"

namespace varzeno::jogo {

// "Ganhei a eleição para prefeito no primeiro turno, com 58% na pesquisa
// final!" or "Perdi a eleição para prefeito no segundo turno: tive 45% na
// pesquisa final, e Biro ficou com 52%."; empty before any game.
std::string LinhaDoResultado(const TPartida& partida, bool venceu);

}  // namespace varzeno::jogo

// The name a decided round goes by outside the game: in the simulator's
// trace and in what the page is handed.
#pragma once

#include <string_view>

#include "partida.h"

namespace varzeno::jogo {

// "vitoria", "derrota" or "segundo_turno"; empty when nothing was decided.
std::string_view NomeDecisao(TDecisao d);

}  // namespace varzeno::jogo

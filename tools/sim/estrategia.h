// Ways of playing a game without a window, for the simulator and benchmarks.
#pragma once

#include <optional>
#include <string_view>

#include "partida.h"

namespace varzeno::sim {

enum class TEstrategia {
  Nada,      // always do nothing
  Primeira,  // always mark slot 1
  Popular,   // the slot with the largest popularity change, lowest on a tie
};

std::optional<TEstrategia> LerEstrategia(std::string_view nome);

// The choice (0..3) the strategy marks for this week's options.
int Escolher(TEstrategia e, const TPartida& p);

// A careful player's choice: the slot with the largest popularity gain among
// those that would not be refused, or 0 (do nothing) when none gains. The
// window's tests, benchmarks and screenshots play this way.
int EscolherSemRecusa(const TPartida& p);

// What a game came to.
struct TResultadoJogo {
  bool vitoria = false;
  int turno = 1;  // the round that decided it
  bool segundoTurno = false;
  int semanas = 0;  // weeks applied
  int32_t popularidade = 0;
};

// Observer of every step of a game; each hook may be left empty.
struct TObservador {
  std::function<void(const TResposta&)> aoSortear;          // a new draw is on offer
  std::function<void(int, const std::string&)> aoEscolher;  // a confirmed choice, refusal or ""
  std::function<void(const TEngVarzeno&)> aoJogarSemana;    // state after an applied week
  std::function<void(const TResposta&)> aoDecidir;          // a round was decided
  std::function<void(const TResposta&)> aoResponder;        // every step's response, in order
};

// Plays a whole game: a refused choice is followed by "do nothing".
TResultadoJogo JogarPartida(TPartida& p, const std::string& nome, int oponentes, TEstrategia e,
                            const TObservador* obs = nullptr);

}  // namespace varzeno::sim

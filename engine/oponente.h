// An entry of the poll: the blank/null votes, an opponent, or the player.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lista.h"

namespace varzeno {

// Weekly histories are indexed by the weeks left at the start of the week.
inline constexpr int kSemanasHistorico = 28;
using THistorico = std::array<int32_t, kSemanasHistorico>;

class TOponente {
 public:
  int32_t Percentual = 0;
  std::string Nome;
  THistorico Historico{};
};

using TOponenteList = TLista<TOponente>;

}  // namespace varzeno

// The order in which a step of the game reaches the player: one list that
// the window and the page each carry out, so both show the same things in
// the same order.
#pragma once

#include <string>
#include <vector>

#include "partida.h"

namespace varzeno::jogo {

enum class TPasso {
  Recusa,          // the refusal's message (texto); nothing else follows
  LimparPainel,    // a round starts: blank the panel
  EscreverPainel,  // the new week's panel
  AnunciarSemana,  // a week has passed; texto is the event that opened the next (read by its message), or empty
  MensagemEvento,  // the adverse event's message (texto)
  Som,             // the end's sound (texto, a wave file's name)
  MensagemFim,     // the win or loss message (texto)
  Grafico,         // the chart, once the message above is closed
};

struct TPassoMostrar {
  TPasso passo;
  std::string texto;
  bool operator==(const TPassoMostrar&) const = default;
};

// What to show for r, in order.
std::vector<TPassoMostrar> PassosDe(const TResposta& r);

// The step's name as the page's script knows it ("recusa", "limparPainel", …).
const char* NomeDoPasso(TPasso p);

}  // namespace varzeno::jogo

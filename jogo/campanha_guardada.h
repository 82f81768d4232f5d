// A campaign in progress as the browser keeps it: enough to play it again,
// draw for draw, after a reload or a discarded tab. A campaign is its seed
// (the generator is seeded at its start), its candidate, its opponents and
// the choices the confirm button accepted; replaying them through TPartida
// gives the same game. A refused choice changes nothing and draws nothing,
// so only the last one is kept, for its message.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "partida.h"
#include "preparacao.h"

namespace varzeno::jogo {

// The format's own number; a record of another format or another release of
// the game is not replayed (the draws may differ).
inline constexpr int kFormatoCampanha = 1;
// Every accepted step of the longest campaign: 20 weeks, the first round's
// decision, 4 weeks of run-off and its decision.
inline constexpr size_t kMaxJogadas = 26;
inline constexpr size_t kMaxNomeGuardado = 4096;  // bytes

// Why a record was not used, as the player is told.
inline constexpr const char* kCampanhaDeOutraVersao = "é de outra versão do jogo";
inline constexpr const char* kCampanhaIncompleta = "está incompleta";
inline constexpr const char* kCampanhaDanificada = "está danificada";

// Why a kept campaign cannot be used; what() is the player's message.
struct TCampanhaInvalida : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct TCampanhaGuardada {
  double id = 0;  // when it started (ms), to tell two campaigns of the same seed apart
  uint32_t semente = 0;
  std::string nome;
  int32_t oponentes = kMinOponentes;
  std::vector<int> jogadas;     // the accepted choices, 0..3, in order
  int recusa = 0;               // the last choice, if it was refused (1..3); 0 if none
  int marca = 0;                // the mark on show, 0..3
  bool mensagemAberta = false;  // the last step's message is still up

  // Records what the confirm button did with a choice.
  void Registrar(int escolha, const TResposta& r);
};

// The record as text (ASCII lines, the name as UTF-8 bytes), and back.
// Ler throws TCampanhaInvalida for anything that is not a whole record of
// this release with values a campaign can have.
std::string GravarCampanha(const TCampanhaGuardada& c);
TCampanhaGuardada LerCampanha(const std::string& texto);

// Plays the kept campaign again in `partida` (a new game; the process-wide
// generator is seeded with its seed) and returns the last step's answer.
// Throws TCampanhaInvalida when the steps are not those of a real game; then
// `partida` is left as it was. `aoPasso` hears every step of the replay, the
// new game's included, as the game's diary would have heard it.
TResposta RetomarCampanha(TPartida& partida, const TCampanhaGuardada& c,
                          const std::function<void(const TPartida&, const TResposta&)>& aoPasso = {});

// The player's message for a kept campaign that could not be used.
std::string MensagemCampanhaDescartada(const std::string& motivo);

}  // namespace varzeno::jogo

// The rules of a whole game, free of any window: a new game, the weekly
// cycle, the checks of a chosen option, the end of the first round, the
// run-off and its end. The window drives it and shows what it is told.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engVarzeno.h"

namespace varzeno {

inline constexpr int kMaxRanking = 7;  // blank votes, five opponents, the player

// The six names opponents are given, never the candidates' edited names.
inline constexpr std::array<const char*, 6> NomesPadrao = {"Luis Lelé", "João Montanha", "Menininho",
                                                           "Biro",      "Rosângela",     "Toméias"};

inline constexpr const char* kSemDinheiro = "Sem dinheiro Suficiente";
inline constexpr const char* kPesquisaNegativa = "Você não pode ir tão mal nas pesquisas";
inline constexpr const char* kDescarado = "Você não pode ser tão descarado assim!";
inline constexpr const char* kGanhou = "Você ganhou!";
inline constexpr const char* kPerdeu = "Você perdeu!";
inline constexpr const char* kSomGanhou = "Ganhou.wav";
inline constexpr const char* kSomPerdeu = "Perdeu.wav";

inline constexpr int32_t kSemanasTurno1 = 20;
inline constexpr int32_t kSemanasTurno2 = 4;

enum class TDecisao { Nenhuma, Vitoria, SegundoTurno, Derrota };

// A week just played, as it stood before the next draw (and any adverse
// event that opens the next week): what a history of the campaign keeps.
struct TSemanaJogada {
  int Turno = 0;                // 1, or 2 in the run-off
  int Semana = 0;               // the week's number in its round, from 1
  const TAcao* Acao = nullptr;  // the option taken; nullptr for doing nothing
  int32_t Penalidade = 0;       // popularity the dishonesty penalty took
  int32_t Dinheiro = 0, Popularidade = 0, Honestidade = 0;
  int Posicao = 0;  // the player's place in the poll, from 1
  std::string Lider;
  int32_t PercentualLider = 0;
};

// What a step of the game did and asks its window to show; the order of the
// showing, which both editions share, is jogo/passos.h's.
struct TResposta {
  std::string Recusa;                    // the choice was refused with this message; nothing changed
  const TAcao* Evento = nullptr;         // the adverse event that opened the new week, to announce
  bool SemanaJogada = false;             // a week was applied
  TSemanaJogada Semana;                  // that week, when SemanaJogada
  bool NovasOpcoes = false;              // a new draw is on offer: refresh the panel
  bool LimparPainel = false;             // a round has started: blank the panel first
  TDecisao Decisao = TDecisao::Nenhuma;  // a round was decided just now
  int Turno = 0;                         // the round that Decisao closes (1 or 2)

  bool FimDeJogo() const { return Decisao == TDecisao::Vitoria || Decisao == TDecisao::Derrota; }
  // The wave file to play, or nullptr.
  const char* Som() const;
  // The text for the message dialog, or empty.
  std::string Mensagem() const;
};

class TPartida {
 public:
  // The game in progress; empty before the first game, kept after its end.
  std::unique_ptr<TEngVarzeno> Motor;
  // The week's options, slots 1..3 (slot 0 unused); they refer to the
  // catalogue of Motor and are refilled by every draw.
  std::array<TAcao*, 4> Opcoes{};
  // The first round as the chart draws it: each ranking position's history.
  std::array<THistorico, kMaxRanking> HistoricoTurno1{};
  std::array<std::string, kMaxRanking> NomesTurno1{};
  // The seed this game's draws began from, when nothing was drawn between
  // the seeding and the game's start (a shared campaign's seed).
  std::optional<uint32_t> Semente;

  // Called after each applied week, before the next draw (simulator trace).
  std::function<void(const TEngVarzeno&)> AoJogarSemana;

  // Starts a game for the named candidate against 2..5 opponents and draws
  // its first week. A previous game's engine is destroyed first.
  TResposta NovoJogo(const std::string& nomeJogador, int32_t oponentes);

  // Acts on the confirm button with the marked choice: 0 = do nothing,
  // 1..3 = an option slot. Plays the week, or decides the round.
  TResposta ConfirmarAcao(int escolha);

  // Draws the next week's options, applying an adverse event at their head.
  void ProximaSemana(TResposta& r);

 private:
  void JogarSemana(int escolha, TResposta& r);
  void DecidirPrimeiroTurno(TResposta& r);
  void DecidirSegundoTurno(TResposta& r);
  void IniciarSegundoTurno(TResposta& r);
};

// The refusal message for applying o with the engine's statistics, or empty.
std::string VerificarOpcao(const TEngVarzeno& motor, const TAcao& o);

}  // namespace varzeno

// The campaign engine: the state of one campaign and its rules, free of any
// window. The game window makes one engine per game and calls it directly;
// the engine validates nothing and never calls back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "acao.h"
#include "aleatorio.h"
#include "oponente.h"

namespace varzeno {

inline constexpr const char* kNomeVotosBrancos = "Votos em b/n";

class TEngVarzeno {
 public:
  TAcaoList Acoes{true};  // the catalogue, owned
  int32_t Dinheiro = 0;
  int32_t Popularidade = 0;
  int32_t Honestidade = 100;
  TOponenteList Candidatos{true};  // [0] blank/null votes, [1..n] opponents, owned
  std::string NomeJogador;
  int32_t Semanas = 0;           // weeks left in the round, this one included
  TOponenteList Ranking{false};  // every poll entry by share, the player's included
  bool SegundoTurno = false;
  THistorico Historico{};  // the player's popularity, by weeks left
  bool PrimeiraSemana = false;

  TEngVarzeno();
  ~TEngVarzeno();
  TEngVarzeno(const TEngVarzeno&) = delete;
  TEngVarzeno& operator=(const TEngVarzeno&) = delete;

  // Starts a round (the first one, or the run-off on the same engine).
  void Iniciar(int32_t dinheiro, int32_t popularidade, int32_t honestidade, int32_t oponentes, int32_t semanas,
               bool segundoTurno);

  // This week's draw: maybe an adverse event, then three distinct actions.
  // The list refers to catalogue entries; the caller destroys only the list.
  std::unique_ptr<TAcaoList> SortearOpcoes();

  // Applies an entry, or nothing when opcao is nullptr, and closes the week
  // (events do not use up the week).
  void Aplicar(TAcao* opcao);

  // Recomputes every share and rebuilds Ranking.
  void CalcularPesquisa();

 private:
  void FecharSemana();
  void LimparRanking();

  // The player's entries of Ranking live here, so Ranking never owns
  // anything and Candidatos is never destroyed through it.
  TOponenteList jogadores_{true};
};

}  // namespace varzeno

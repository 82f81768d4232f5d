#include "resultado_compartilhado.h"

namespace varzeno::jogo {

std::string LinhaDoResultado(const TPartida& partida, bool venceu) {
  if (!partida.Motor) return {};
  const TEngVarzeno& m = *partida.Motor;
  const std::string turno = m.SegundoTurno ? "no segundo turno" : "no primeiro turno";
  const std::string meu = std::to_string(m.Popularidade) + "%";
  if (venceu) return "Ganhei a eleição para prefeito " + turno + ", com " + meu + " na pesquisa final!";
  std::string linha = "Perdi a eleição para prefeito " + turno + ": tive " + meu + " na pesquisa final";
  // The opponent who led: blank votes are no one, and the player is not an opponent.
  for (const TOponente* e : m.Ranking) {
    if (e == m.Candidatos[0] || e->Nome == m.NomeJogador) continue;
    return linha + ", e " + e->Nome + " ficou com " + std::to_string(e->Percentual) + "%.";
  }
  return linha + ".";
}

}  // namespace varzeno::jogo

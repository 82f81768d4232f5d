// The weekly poll: shares for the blank/null votes and every opponent, and
// the ranking of all entries, the player's included.
#include "engVarzeno.h"

namespace varzeno {

namespace {
// Shares of what is left after the player and the blank votes, by the number
// of entries in Candidatos. Single precision on purpose: 0.7f is a hair under
// 0.7, so rest 70 gives the leading opponent 48, not 49.
constexpr float kPesos[7][5] = {
    {0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0},
    {1.0f, 0, 0, 0, 0},
    {0.7f, 0.3f, 0, 0, 0},
    {0.6f, 0.3f, 0.1f, 0, 0},
    {0.5f, 0.25f, 0.15f, 0.1f, 0},
    {0.3f, 0.25f, 0.2f, 0.15f, 0.1f},
};

float Peso(int n, int oponente) {
  if (n < 2 || n > 6 || oponente < 1 || oponente > 5) return 0.0f;
  return kPesos[n][oponente - 1];
}
}  // namespace

void TEngVarzeno::CalcularPesquisa() {
  int32_t resto = 100 - Popularidade;
  TOponente* brancos = Candidatos[0];
  brancos->Percentual = random(3) + 1;
  resto -= brancos->Percentual;

  const int n = Candidatos.Count();
  int32_t soma = 0;
  for (int d = 1; d < n; ++d) {
    // The double product of an int and a float is exact; the cast truncates toward zero.
    const int32_t parte = static_cast<int32_t>(static_cast<double>(resto) * static_cast<double>(Peso(n, d)));
    Candidatos[d]->Percentual = parte;
    soma += parte;
  }
  brancos->Percentual += resto - soma;

  LimparRanking();

  // The player stands in the ranking through a stand-in entry, inserted last
  // so that every tie puts the others first.
  TOponente jogador;
  jogador.Nome = NomeJogador;
  jogador.Percentual = Popularidade;
  auto inserir = [this](TOponente* e) {
    int p = 0;
    while (p < Ranking.Count() && Ranking[p]->Percentual >= e->Percentual) ++p;
    Ranking.Inserir(p, e);
  };
  for (TOponente* c : Candidatos) inserir(c);
  inserir(&jogador);

  // Whatever bears the player's name (the stand-in, or an opponent not yet
  // named) becomes a player entry of its own, owned by the engine.
  for (int p = 0; p < Ranking.Count(); ++p) {
    if (Ranking[p]->Nome != NomeJogador) continue;
    TOponente* novo = jogadores_.Criar();
    novo->Nome = NomeJogador;
    novo->Percentual = Popularidade;
    novo->Historico = Historico;
    Ranking.Substituir(p, novo);
  }
}

}  // namespace varzeno

#include "engVarzeno.h"

namespace varzeno {

namespace {
constexpr int32_t kMaxSemanas = kSemanasHistorico;

// Rounds longer than the histories would write one slot past their end on
// the first week; such writes are skipped (nothing reads that week).
void Gravar(THistorico& h, int32_t semana, int32_t valor) {
  if (semana >= 0 && semana < kSemanasHistorico) h[static_cast<size_t>(semana)] = valor;
}
}  // namespace

TEngVarzeno::TEngVarzeno() { Candidatos.Criar()->Nome = kNomeVotosBrancos; }

TEngVarzeno::~TEngVarzeno() {
  // Ranking refers to entries of Candidatos and jogadores_; drop it first.
  Ranking.Limpar();
}

void TEngVarzeno::Iniciar(int32_t dinheiro, int32_t popularidade, int32_t honestidade, int32_t oponentes,
                          int32_t semanas, bool segundoTurno) {
  Semanas = semanas > kMaxSemanas ? kMaxSemanas : semanas;
  Dinheiro = dinheiro;
  // The run-off lifts a trailing player by a quarter of the way to 100.
  Popularidade = (segundoTurno && popularidade < 50) ? popularidade + static_cast<int32_t>((100 - popularidade) * 0.25)
                                                     : popularidade;
  Honestidade = honestidade;
  CarregarAcoes(Acoes);
  SegundoTurno = segundoTurno;
  LimparRanking();
  Candidatos.Limpar();
  Candidatos.Criar()->Nome = kNomeVotosBrancos;
  for (int32_t i = 0; i < oponentes; ++i) Candidatos.Criar();
  CalcularPesquisa();
  PrimeiraSemana = true;
}

std::unique_ptr<TAcaoList> TEngVarzeno::SortearOpcoes() {
  auto resultado = std::make_unique<TAcaoList>(false);
  resultado->Reservar(4);

  const int32_t r = random(100);
  if (r < 27 && !PrimeiraSemana) {
    // At most 12 events qualify; a fixed buffer keeps the draw allocation-free.
    TAcao* elegiveis[64];
    int32_t k = 0;
    for (TAcao* a : Acoes)
      if (a->Evento && a->Disponivel && a->Popularidade + Popularidade >= 0 && a->Dinheiro + Dinheiro >= 0 && k < 64)
        elegiveis[k++] = a;
    if (k >= 1) resultado->Adicionar(elegiveis[random(k)]);
  }

  int32_t acoes = 0;
  while (acoes < 3) {
    TAcao* a = Acoes[random(Acoes.Count())];
    if (!a->Disponivel || a->Evento || resultado->IndiceDe(a) >= 0) continue;
    resultado->Adicionar(a);
    ++acoes;
  }

  PrimeiraSemana = false;
  return resultado;
}

void TEngVarzeno::Aplicar(TAcao* opcao) {
  if (Semanas <= 0) return;

  if (opcao) {
    Dinheiro += opcao->Dinheiro;
    Popularidade += opcao->Popularidade;
    Honestidade += opcao->Honestidade;
    for (TAcao* c : opcao->Consequencias) c->Disponivel = true;

    if (opcao->Evento) {
      CalcularPesquisa();
      return;
    }

    // A dishonest campaign bleeds 0 to 4 points, never below zero.
    if (Honestidade < 40 && Popularidade > 0) {
      int32_t d;
      do {
        d = random(5);
      } while (Popularidade - d < 0);
      Popularidade -= d;
    }
  }

  CalcularPesquisa();
  FecharSemana();
}

void TEngVarzeno::FecharSemana() {
  const int32_t s = Semanas;
  for (TOponente* c : Candidatos) Gravar(c->Historico, s, c->Percentual);
  Gravar(Historico, s, Popularidade);
  Semanas = s - 1;
  Gravar(Historico, s - 1, Popularidade);
}

void TEngVarzeno::LimparRanking() {
  Ranking.Limpar();
  jogadores_.Limpar();
}

}  // namespace varzeno

// Whole games with the "popular" strategy on one thread: applied weeks per
// second, and whether peak memory stays flat as the number of games grows.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

#include "estrategia.h"

using namespace varzeno;

namespace {

void BM_JogosPopular(benchmark::State& state) {
  RandSeed(42);
  TPartida p;
  int64_t semanas = 0;
  for (auto _ : state) {
    sim::TResultadoJogo r =
        sim::JogarPartida(p, "Candidato 15", static_cast<int>(state.range(0)), sim::TEstrategia::Popular);
    semanas += r.semanas;
    benchmark::DoNotOptimize(r);
  }
  state.counters["semanas/s"] = benchmark::Counter(static_cast<double>(semanas), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_JogosPopular)->Arg(2)->Arg(5);

void BM_CalcularPesquisa(benchmark::State& state) {
  RandSeed(1);
  TEngVarzeno m;
  m.Iniciar(10000, 20, 100, 5, 20, false);
  m.NomeJogador = "Candidato 15";
  for (auto _ : state) m.CalcularPesquisa();
}
BENCHMARK(BM_CalcularPesquisa);

long PicoKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// Peak resident memory after 1,000 and after 100,000 games: it must not grow.
void MemoriaPlana() {
  RandSeed(7);
  TPartida p;
  long depoisDeMil = 0;
  for (int j = 1; j <= 100000; ++j) {
    sim::JogarPartida(p, "Candidato 15", 2 + j % 4, sim::TEstrategia::Popular);
    if (j == 1000) depoisDeMil = PicoKiB();
  }
  const long final = PicoKiB();
  std::printf("peak memory: %ld KiB after 1,000 games, %ld KiB after 100,000 games (%+ld KiB)\n", depoisDeMil, final,
              final - depoisDeMil);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  MemoriaPlana();
  return 0;
}

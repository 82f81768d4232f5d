// varzeno-sim: plays whole games with the campaign rules, no window, for
// balancing and for checking the rules from outside.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "argumentos.h"
#include "decisao.h"
#include "diario.h"
#include "estrategia.h"
#include "json.h"

using namespace varzeno;
using namespace varzeno::sim;

namespace {

// Only decided rounds reach the trace; an undecided one would read "nenhuma".
std::string_view NomeNoRastro(TDecisao d) {
  const std::string_view nome = jogo::NomeDecisao(d);
  return nome.empty() ? "nenhuma" : nome;
}

// One JSON object per line for every step of a game.
class TRastro {
 public:
  TRastro(std::ostream& out, TPartida& p) : out_(out), p_(p) {
    obs.aoSortear = [this](const TResposta& r) { Sorteio(r); };
    obs.aoEscolher = [this](int e, const std::string& recusa) { Escolha(e, recusa); };
    obs.aoJogarSemana = [this](const TEngVarzeno& m) { Semana(m); };
    obs.aoDecidir = [this](const TResposta& r) { Decisao(r); };
  }
  TObservador obs;
  long long jogo = 0;

  void Inicio(const TArgumentos& a) {
    out_ << "{\"tipo\":\"inicio\",\"jogo\":" << jogo << ",\"jogador\":" << JsonTexto(a.nome)
         << ",\"oponentes\":" << a.oponentes << "}\n";
  }
  void Fim(const TResultadoJogo& r) {
    out_ << "{\"tipo\":\"fim\",\"jogo\":" << jogo << ",\"resultado\":\"" << (r.vitoria ? "vitoria" : "derrota")
         << "\",\"turno\":" << r.turno << "}\n";
  }

 private:
  void Sorteio(const TResposta& r) {
    out_ << "{\"tipo\":\"sorteio\",\"jogo\":" << jogo
         << ",\"evento\":" << (r.Evento ? JsonTexto(r.Evento->Nome) : std::string("null")) << ",\"opcoes\":[";
    for (int k = 1; k <= 3; ++k) out_ << (k > 1 ? "," : "") << JsonTexto(p_.Opcoes[static_cast<size_t>(k)]->Nome);
    out_ << "]}\n";
  }
  void Escolha(int e, const std::string& recusa) {
    out_ << "{\"tipo\":\"escolha\",\"jogo\":" << jogo << ",\"escolha\":" << e
         << ",\"recusa\":" << (recusa.empty() ? std::string("null") : JsonTexto(recusa)) << "}\n";
  }
  void Semana(const TEngVarzeno& m) {
    out_ << "{\"tipo\":\"semana\",\"jogo\":" << jogo << ",\"Dinheiro\":" << m.Dinheiro
         << ",\"Popularidade\":" << m.Popularidade << ",\"Honestidade\":" << m.Honestidade
         << ",\"Semanas\":" << m.Semanas << ",\"SegundoTurno\":" << (m.SegundoTurno ? "true" : "false")
         << ",\"ranking\":[";
    for (int i = 0; i < m.Ranking.Count(); ++i)
      out_ << (i ? "," : "") << "{\"nome\":" << JsonTexto(m.Ranking[i]->Nome)
           << ",\"percentual\":" << m.Ranking[i]->Percentual << "}";
    out_ << "]}\n";
  }
  void Decisao(const TResposta& r) {
    out_ << "{\"tipo\":\"decisao\",\"jogo\":" << jogo << ",\"turno\":" << r.Turno << ",\"resultado\":\""
         << NomeNoRastro(r.Decisao) << "\"}\n";
  }

  std::ostream& out_;
  TPartida& p_;
};

long PicoMemoriaKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

int Executar(const TArgumentos& a) {
  if (a.sorteios) {
    std::string erro;
    auto numeros = LerSorteios(*a.sorteios, erro);
    if (!numeros) {
      std::cerr << "varzeno-sim: " << erro << "\n";
      return 2;
    }
    TrocarGerador(std::make_unique<TGeradorRoteiro>(std::move(*numeros)));
  } else if (a.semente) {
    RandSeed(*a.semente);
  } else {
    Randomize();
  }

  std::ios::sync_with_stdio(false);
  TPartida p;
  TRastro rastro(std::cout, p);

  if (a.diario) {
    jogo::TDiario diario;
    TObservador obs;
    obs.aoResponder = [&](const TResposta& r) { diario.Registrar(p, r); };
    JogarPartida(p, a.nome, a.oponentes, a.estrategia, &obs);
    std::cout << jogo::DiarioCsv(diario);
    return 0;
  }

  long long vitorias1 = 0, segundos = 0, vitorias2 = 0, derrotas = 0, semanas = 0;
  double somaPopularidade = 0;
  const auto inicio = std::chrono::steady_clock::now();
  for (long long j = 1; j <= a.jogos; ++j) {
    rastro.jogo = j;
    if (a.rastro) rastro.Inicio(a);
    const TResultadoJogo r = JogarPartida(p, a.nome, a.oponentes, a.estrategia, a.rastro ? &rastro.obs : nullptr);
    if (a.rastro) rastro.Fim(r);
    semanas += r.semanas;
    somaPopularidade += r.popularidade;
    if (r.segundoTurno) ++segundos;
    if (!r.vitoria)
      ++derrotas;
    else if (r.turno == 1)
      ++vitorias1;
    else
      ++vitorias2;
  }
  const double segundosGastos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();

  if (!a.rastro) {
    std::printf("jogos: %lld\n", a.jogos);
    std::printf("vitorias no 1o turno: %lld\n", vitorias1);
    std::printf("segundos turnos: %lld\n", segundos);
    std::printf("vitorias no 2o turno: %lld\n", vitorias2);
    std::printf("derrotas: %lld\n", derrotas);
    std::printf("popularidade final media: %.2f\n", a.jogos ? somaPopularidade / static_cast<double>(a.jogos) : 0.0);
    std::printf("semanas jogadas: %lld\n", semanas);
    std::printf("tempo: %.3f s (%.0f semanas/s)\n", segundosGastos,
                segundosGastos > 0 ? static_cast<double>(semanas) / segundosGastos : 0.0);
    std::printf("pico de memoria: %ld KiB\n", PicoMemoriaKiB());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string erro;
  auto a = LerArgumentos(args, erro);
  if (!a) {
    std::cerr << "varzeno-sim: " << erro << "\n" << kUso;
    return 2;
  }
  if (a->ajuda) {
    std::cout << kUso;
    return 0;
  }
  if (a->versao) {
    std::cout << "varzeno-sim " VARZENO_VERSAO "\n";
    return 0;
  }
  try {
    return Executar(*a);
  } catch (const TSorteiosEsgotados& e) {
    std::cout.flush();
    std::cerr << "varzeno-sim: the draws file ran out: " << e.what() << "\n";
    return 2;
  }
}

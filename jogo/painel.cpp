#include "painel.h"

#include <algorithm>

namespace varzeno::jogo {

namespace {
std::string Porcento(int32_t v) { return std::to_string(v) + "%"; }
}  // namespace

std::string TextoOpcao(const TAcao& o) {
  return o.Nome + " Din: " + std::to_string(o.Dinheiro) + "   Pop: " + std::to_string(o.Popularidade) +
         "   hon: " + std::to_string(o.Honestidade);
}

std::string TextoSemanas(const TEngVarzeno& m) {
  return std::string(m.SegundoTurno ? "Semanas até 2o turno: " : "Semanas até 1o turno: ") +
         std::to_string(m.Semanas);
}

TPainel ComporPainel(const TPartida& partida) {
  const TEngVarzeno& m = *partida.Motor;
  TPainel p;
  p.dinheiro = std::to_string(m.Dinheiro);
  p.popularidade = Porcento(m.Popularidade);
  p.honestidade = std::to_string(m.Honestidade);
  for (size_t k = 1; k <= 3; ++k) p.opcoes[k - 1] = TextoOpcao(*partida.Opcoes[k]);
  // The first three rows are always written; past them, as many as the poll has.
  p.linhas = std::min(kMaxRanking, std::max(3, m.Ranking.Count()));
  for (int r = 0; r < p.linhas; ++r) {
    const TOponente& e = *m.Ranking[r];
    p.nomes[static_cast<size_t>(r)] = e.Nome + kPontosDoNome;
    p.partes[static_cast<size_t>(r)] = Porcento(e.Percentual);
  }
  p.semanas = TextoSemanas(m);
  return p;
}

TPainel PainelVazio() {
  TPainel p;
  p.dinheiro = p.popularidade = p.honestidade = "0";
  p.linhas = kMaxRanking;
  p.nomes.fill(kPontosVazios);
  p.partes.fill(kPorcentoVazio);
  return p;
}

std::string SemPontos(const std::string& s) {
  size_t fim = s.size();
  while (fim > 0 && s[fim - 1] == '.') --fim;
  size_t inicio = 0;
  while (inicio < fim && s[inicio] == ' ') ++inicio;
  while (fim > inicio && s[fim - 1] == ' ') --fim;
  return s.substr(inicio, fim - inicio);
}

std::string DescreverPesquisaFinal(const TPartida& partida) {
  if (!partida.Motor) return {};
  const auto& ranking = partida.Motor->Ranking;
  std::string t = "Pesquisa final. ";
  for (int r = 0; r < ranking.Count(); ++r) {
    if (r) t += "; ";
    t += ranking[r]->Nome + ": " + Porcento(ranking[r]->Percentual);
  }
  return t + ".";
}

}  // namespace varzeno::jogo

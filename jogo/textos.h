// The fixed texts of the pages, in UTF-8, as every edition shows them.
#pragma once

#include <array>
#include <string>

namespace varzeno::jogo {

inline constexpr const char* kVersao = "versão: 1.4";
inline constexpr const char* kNumeroAdversarios = "Número de adversários:";
inline constexpr const char* kEscolhaCandidato = "Escolha seu candidato:";
inline constexpr const char* kNaoFazerNada = "Não fazer nada.";
inline constexpr const char* kGraficoDesempenho = "Gráfico de Desempenho";
inline constexpr const char* kDicaFoto = "Duplo clique para escolher";
inline constexpr const char* kDicaCamera = "Trocar a foto do candidato";

// A heading or a body of the rules page, top to bottom; altura is the
// body's box height (headings size to their text).
struct TTextoRegra {
  const char* nome;
  bool titulo;
  int topo, altura;
  const char* texto;
};
extern const std::array<TTextoRegra, 16> kRegras;
// The line under the rules and the link below it.
inline constexpr int kTopoLeiaMais = 799 + 74 + 8;
inline constexpr const char* kLeiaMais = "Leia mais sobre este jogo, na página oficial:";
inline constexpr const char* kEnderecoPagina = "varzeno/site/index.html";

// The six candidates' party descriptions, slots 1..6 at 0..5.
extern const std::array<const char*, 6> kDescricoes;
// A slot's name before the player edits it: "Candidato 15" .. "Candidato 65".
std::string NomeInicialCandidato(int slot);

}  // namespace varzeno::jogo

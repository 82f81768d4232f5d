// What a screen reader calls the game's fixed controls and pages, in every
// edition: by the control's object name in the desktop window, which the
// web page's ids repeat (pages are "pg" + the name there).
#pragma once

#include <array>
#include <string_view>

namespace varzeno::jogo {

struct TNomeAcessivel {
  const char* controle;
  const char* nome;
};

inline constexpr std::array<TNomeAcessivel, 20> kNomesAcessiveis = {{
    {"Image1", "Começar"},
    {"Fim", "Fechar"},
    {"Image9", "Música"},
    {"Image3", "Iniciar campanha"},
    {"Image4", "Passar a semana"},
    {"imgBtn", "Ok"},
    {"btn", "Ok"},
    {"UpDown1", "Número de adversários"},
    {"imgGraf", "Gráfico de Desempenho"},
    {"ScrollBox1", "Regras do jogo"},
    {"bt1", "Página anterior"},
    {"bt2", "Próxima página"},
    {"bt3", "Página anterior"},
    {"bt4", "Próxima página"},
    {"bt5", "Página anterior"},
    {"Default", "Título"},
    // Readers say a page's name as the focus comes into it: the rules page
    // says how to go on there.
    {"regras",
     "Regras. Para cima e para baixo rolam o texto; Tab vai ao endereço da página; "
     "para a direita, a escolha do candidato; para a esquerda, o título."},
    {"Candidatos", "Candidatos"},
    {"adversarios", "Adversários"},
    {"Grafico", "Gráfico"},
}};

// A candidate's name box, and the camera button before the candidate's name.
inline constexpr const char* kNomeDaCaixaDeNome = "Nome do candidato";
inline constexpr const char* kTrocarFotoDe = "Trocar foto de ";

// What both editions say aloud: the campaign's start, with the keys of the
// week and the option marked; an option's place among the four; the poll on
// request (P) before any poll exists.
inline constexpr const char* kCampanhaIniciada = "Campanha iniciada. ";
inline constexpr const char* kTeclasDaSemana =
    " 1, 2 e 3 marcam uma ação, 0 nenhuma; setas para cima e para baixo percorrem as opções; Enter passa a "
    "semana. Marcada: ";
inline constexpr const char* kDeQuatro = " de 4";
inline constexpr const char* kPesquisaDita = "Pesquisa: ";
inline constexpr const char* kSemPesquisa = "Sem pesquisa ainda.";

// The name of the control or page called `controle`; empty for none.
constexpr std::string_view NomeAcessivel(std::string_view controle) {
  for (const TNomeAcessivel& n : kNomesAcessiveis)
    if (controle == n.controle) return n.nome;
  return {};
}

}  // namespace varzeno::jogo

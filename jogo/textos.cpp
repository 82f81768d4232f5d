#include "textos.h"

namespace varzeno::jogo {

const std::array<TTextoRegra, 16> kRegras = {{
    {"Label20", true, 0, 0, "Cenário:"},
    {"Label21", false, 30, 36,
     "Mentiras, fofocas, conchavos ou coligações? É novamente época de eleições e o povo clama por um novo prefeito."},
    {"Label22", false, 75, 36,
     "Será você o salvador de nossa pátria? Poderá você defender os ideiais de justiça e igualdade em uma competição "
     "desleal?"},
    {"Label23", false, 120, 36,
     "Ou sucumbirá ao poder do lado negro do dinheiro e aniquilará os candidatos com \"acordos\" e promessas fúteis?"},
    {"Label24", false, 165, 36,
     "Descubra se você tem ou não aquilo que é preciso para se tornar o próximo prefeito de sua amada cidade."},
    {"Label25", true, 232, 0, "O jogo:"},
    {"Label26", false, 267, 53,
     "Seu primeiro passo é escolher como qual candidato irá concorrer. Tendo esse sido selecionado, você poderá "
     "escolher o número de adversários no jogo."},
    {"Label27", false, 327, 69,
     "Iniciado o jogo, você terá 20 semanas até o primeiro turno das eleições. Cada semana permite três opções de "
     "ação, juntamente com a opção de não realizar nenhuma ação. Cada ação altera o valor de suas estatísticas "
     "(dinheiro, popularidade e honestidade."},
    {"Label28", false, 402, 53,
     "Existem também alguns efeitos adversos, que podem ocorrer naturalmente em uma  campanha política, e podem "
     "literalmente destruir sua estratégia no último minuto!"},
    {"Label29", false, 462, 40,
     "Além disso, uma honestidade muito baixa pode acarretar danos à sua popularidade de forma devastadora."},
    {"Label31", true, 546, 0, "Objetivo:"},
    {"Label30", false, 582, 37,
     "Seu objetivo principal é conseguir popularidade suficiente para ganhar as eleições, seja ela em primeiro ou "
     "segundo turno."},
    {"Label32", false, 632, 72,
     "Qualquer candidado com mais de 50% dos votos no primeiro turno estará automaticamente eleito. E para a disputa "
     "do segundo turno, você precisará estar entre os dois candidatos de maior popularidade."},
    {"Label33", false, 707, 22, "Boa sorte!"},
    {"Label15", true, 763, 0, "Reconfiguração:"},
    {"Label16", false, 799, 74,
     "Para jogar você precisa selecionar uma legenda (que será você, na disputa eleitoral). As fotos e o nome do "
     "candidato podem ser alterados, para que o jogo fique mais próximo da realidade. Use imagens em formato bmp ou "
     "jpg."},
}};

const std::array<const char*, 6> kDescricoes = {
    "Candidato do partido dos atrapalhadores. O programa do partido é atrapalhar. Quanto mais, melhor...",
    "Candidato do partido gente fina. O programa do partido é quanto mais magro, melhor / gordo não tem vez.",
    "Candidato do partido dos pés frios. O programa do partido é a gente não ganha uma, mas tenta todas.",
    "Candidato do partido da inauguração. O programa do partido é um rojão a mais, um a menos, não faz diferença.",
    "Candidato do parido dos meio a meio. O programa do partido é a gente gosta de uma comi$$ão.",
    "Candidato do partido dos aposentados. O programa do partido é somos velhos sim, e daí? Vai encarar?",
};

std::string NomeInicialCandidato(int slot) { return "Candidato " + std::to_string(10 * slot + 5); }

}  // namespace varzeno::jogo

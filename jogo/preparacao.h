// The set-up before a campaign: the pages, the candidate chosen, the number
// of opponents, and the guards between them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varzeno::jogo {

// The page container's pages, in their order; "Extra" only keeps pictures.
inline constexpr std::array<const char*, 6> kPaginas = {"Default",    "Extra",       "regras",
                                                        "Candidatos", "adversarios", "Grafico"};

// The chosen candidate's caption until a candidate is chosen.
inline constexpr const char* kSeuNome = "Seu Nome";
inline constexpr const char* kSelecioneCandidato = "Selecione seu candidato!";

inline constexpr int kMinOponentes = 2;
inline constexpr int kMaxOponentes = 5;

// The message that keeps the player on the candidates page, or empty when
// the chosen candidate's caption lets them go on to the opponents.
std::string VerificarCandidatoEscolhido(const std::string& nomeJogador);

// A campaign's seed as the player or a test gives it (the web address's
// ?semente=N, the desktop's VARZENO_SEMENTE): decimal digits only, 0 to
// 4294967295; anything else is no seed.
std::optional<uint32_t> LerSemente(std::string_view texto);

// The spinner's position after a press of its up (+1) or down (-1) arrow.
int PassoOponentes(int atual, int passo);

}  // namespace varzeno::jogo

#include "preparacao.h"

#include <algorithm>
#include <charconv>

namespace varzeno::jogo {

std::string VerificarCandidatoEscolhido(const std::string& nomeJogador) {
  return nomeJogador == kSeuNome ? kSelecioneCandidato : std::string();
}

std::optional<uint32_t> LerSemente(std::string_view texto) {
  if (texto.empty() || texto.size() > 10) return std::nullopt;
  for (const char c : texto)
    if (c < '0' || c > '9') return std::nullopt;
  uint64_t v = 0;
  std::from_chars(texto.data(), texto.data() + texto.size(), v);
  if (v > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(v);
}

int PassoOponentes(int atual, int passo) { return std::clamp(atual + passo, kMinOponentes, kMaxOponentes); }

}  // namespace varzeno::jogo

#include "preparacao.h"

#include <algorithm>

namespace varzeno::jogo {

std::string VerificarCandidatoEscolhido(const std::string& nomeJogador) {
  return nomeJogador == kSeuNome ? kSelecioneCandidato : std::string();
}

int PassoOponentes(int atual, int passo) { return std::clamp(atual + passo, kMinOponentes, kMaxOponentes); }

}  // namespace varzeno::jogo

#include "foto.h"

namespace varzeno::jogo {

std::string NumeroBrasileiro(int64_t n) {
  std::string digitos = std::to_string(n < 0 ? -n : n), r;
  for (size_t i = 0; i < digitos.size(); ++i) {
    if (i && (digitos.size() - i) % 3 == 0) r += '.';
    r += digitos[i];
  }
  return n < 0 ? "-" + r : r;
}

std::string VerificarFoto(const std::string& nome, int64_t bytes, int largura, int altura) {
  if (bytes > kBytesMaximosFoto)
    return "O arquivo de figura \"" + nome + "\" é grande demais (" + std::to_string(bytes) + " bytes; o máximo é " +
           std::to_string(kBytesMaximosFoto) + ")";
  if (largura == 0 && altura == 0) return {};
  if (largura > kLadoMaximoFoto || altura > kLadoMaximoFoto || int64_t(largura) * altura > kPixelsMaximosFoto)
    return "A figura \"" + nome + "\" é grande demais (" + std::to_string(largura) + " x " + std::to_string(altura) +
           " pixels): o jogo abre fotos de até " + NumeroBrasileiro(kPixelsMaximosFoto) + " pixels (cerca de " +
           NumeroBrasileiro(kPixelsMaximosFoto / 1000000) + " megapixels), com até " +
           NumeroBrasileiro(kLadoMaximoFoto) + " pixels de cada lado";
  return {};
}

}  // namespace varzeno::jogo

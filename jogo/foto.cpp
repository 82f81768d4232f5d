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

std::string MensagemFotoGrande(const std::string& nome, int64_t largura, int64_t altura) {
  return "A figura \"" + nome + "\" é grande demais (" + std::to_string(largura) + " x " + std::to_string(altura) +
         " pixels): o jogo abre fotos de até " + NumeroBrasileiro(kPixelsMaximosFoto) + " pixels (cerca de " +
         NumeroBrasileiro(kPixelsMaximosFoto / 1000000) + " megapixels), com até " +
         NumeroBrasileiro(kLadoMaximoFoto) + " pixels de cada lado";
}

std::string MensagemArquivoDeFotoGrande(const std::string& nome, int64_t bytes) {
  return "O arquivo de figura \"" + nome + "\" é grande demais (" + std::to_string(bytes) + " bytes; o máximo é " +
         std::to_string(kBytesMaximosFoto) + ")";
}

std::string VerificarFoto(const std::string& nome, int64_t bytes, int largura, int altura) {
  if (bytes > kBytesMaximosFoto) return MensagemArquivoDeFotoGrande(nome, bytes);
  if (largura == 0 && altura == 0) return {};
  if (!FotoDentroDoLimite(largura, altura)) return MensagemFotoGrande(nome, largura, altura);
  return {};
}

}  // namespace varzeno::jogo

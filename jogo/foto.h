// How big a candidate's photo may be, whatever its file says, and the
// words of its refusal: the desktop applies them to what it decodes, the
// web edition to what the browser decodes.
#pragma once

#include <cstdint>
#include <string>

namespace varzeno::jogo {

// A photo is decoded straight to the size it is shown at, so it may be far
// larger than it is shown: up to 64 Mi pixels (about 67 megapixels, past
// any phone or camera of today), each side up to 65,535.
inline constexpr int64_t kPixelsMaximosFoto = int64_t(64) * 1024 * 1024;
inline constexpr int kLadoMaximoFoto = 65535;
// Photo files are read as they decode, never whole into memory.
inline constexpr int64_t kBytesMaximosFoto = int64_t(512) * 1024 * 1024;

// Whether a photo of these sides is within the bounds (sides not above
// zero are the caller's to refuse).
inline bool FotoDentroDoLimite(int64_t largura, int64_t altura) {
  return largura <= kLadoMaximoFoto && altura <= kLadoMaximoFoto && largura * altura <= kPixelsMaximosFoto;
}

// The refusal of a photo of these sides, naming the file and the bounds.
std::string MensagemFotoGrande(const std::string& nome, int64_t largura, int64_t altura);
// The refusal of a photo file of this many bytes.
std::string MensagemArquivoDeFotoGrande(const std::string& nome, int64_t bytes);

// The refusal for a photo file of these bytes and, once decoded, these
// sides (0 × 0: not decoded yet); empty if it fits.
std::string VerificarFoto(const std::string& nome, int64_t bytes, int largura, int altura);

// A whole number as Brazil writes it: 67.108.864.
std::string NumeroBrasileiro(int64_t n);

}  // namespace varzeno::jogo

// How big a candidate's photo may be, whatever its file says: the desktop's
// bounds, which the web edition applies to what the browser decodes.
#pragma once

#include <cstdint>
#include <string>

namespace varzeno::jogo {

inline constexpr int64_t kPixelsMaximosFoto = int64_t(64) * 1024 * 1024;  // about 67 megapixels
inline constexpr int kLadoMaximoFoto = 65535;
inline constexpr int64_t kBytesMaximosFoto = int64_t(512) * 1024 * 1024;

// The refusal for a photo file of these bytes and, once decoded, these
// sides (0 × 0: not decoded yet), in the desktop's words; empty if it fits.
std::string VerificarFoto(const std::string& nome, int64_t bytes, int largura, int altura);

// A whole number as Brazil writes it: 67.108.864.
std::string NumeroBrasileiro(int64_t n);

}  // namespace varzeno::jogo

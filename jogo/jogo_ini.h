// The desktop's settings file, jogo.ini, without Qt: a reserved line "0",
// then photo path, name and description of each of the six candidates, one
// value a line, Windows-1252, CR LF. Texts here are UTF-8.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varzeno::jogo {

struct TCandidatoIni {
  std::string foto, nome, descricao;
  bool operator==(const TCandidatoIni&) const = default;
};
using TCandidatosIni = std::array<TCandidatoIni, 6>;

inline constexpr int kLinhasIni = 19;
inline constexpr size_t kTamanhoMaximoLinhaIni = 4096;  // characters a line keeps when read
// An imported file larger than this is not a jogo.ini (19 full lines at
// most take 19 × (4096 + 2) bytes).
inline constexpr size_t kTamanhoMaximoIni = kLinhasIni * (kTamanhoMaximoLinhaIni + 2);

// Why bytes offered as a jogo.ini are refused, in Portuguese; empty when
// they are one: not empty, not too large, text and not another encoding,
// 19 lines at least, the first one "0".
std::string VerificarJogoIni(std::string_view bytes);

// Reads the file as the desktop does: missing lines empty, lines after the
// 19th ignored, CR LF, CR and LF each end a line, each line cut to 4096.
TCandidatosIni InterpretarJogoIni(std::string_view bytes);

// The file's bytes; throws TValorIni with the desktop's message when a value
// has a line break, a character outside Windows-1252 or is too long.
std::string MontarJogoIni(const TCandidatosIni& candidatos);
struct TValorIni : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Whether a UTF-8 text can be a value of the file and read back unchanged.
bool CabeNoJogoIni(std::string_view utf8);

}  // namespace varzeno::jogo

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

// Reads the file: missing lines empty, lines after the 19th ignored, CR LF,
// CR and LF each end a line, each line cut to 4096 characters.
TCandidatosIni InterpretarJogoIni(std::string_view bytes);

// The same, fed piece by piece, so a huge file is never held whole: a piece
// may end anywhere, between a CR and its LF too.
class TLeitorJogoIni {
 public:
  void Acrescentar(std::string_view bytes);
  // All 19 lines are in: what comes after them changes nothing.
  bool Completo() const { return linha_ >= kLinhasIni; }
  TCandidatosIni Candidatos() const;

 private:
  std::array<std::string, kLinhasIni> linhas_;  // UTF-8
  std::array<size_t, kLinhasIni> tamanhos_{};   // in characters
  int linha_ = 0;
  bool depoisDeCr_ = false;
};

// The file's bytes; throws TValorIni with the message below when a value
// has a line break, a character outside Windows-1252 or is too long.
std::string MontarJogoIni(const TCandidatosIni& candidatos);
struct TValorIni : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The refusal of a value that cannot be stored: `campo` 0 is the photo's
// path, 1 the name, 2 the description of candidate `candidato` (1..6).
TValorIni ValorQueNaoCabe(int candidato, int campo, std::string_view utf8);

// Whether a UTF-8 text can be a value of the file and read back unchanged:
// it fits in Windows-1252 and in a line's 4096 characters.
bool CabeNoJogoIni(std::string_view utf8);
// Whether every character of a UTF-8 text has a Windows-1252 byte that reads
// back as the same character, and the text holds no line break.
bool CabeEmWindows1252(std::string_view utf8);

}  // namespace varzeno::jogo

#include "jogo_ini.h"

#include <optional>
#include <vector>

namespace varzeno::jogo {

namespace {

// Windows-1252's bytes 0x80..0x9F; the five it leaves undefined map to the
// C1 control of the same number and back, as the desktop's codec does.
constexpr char32_t k80a9F[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                 0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

char32_t DeByte(unsigned char b) { return b >= 0x80 && b <= 0x9F ? k80a9F[b - 0x80] : b; }

std::optional<unsigned char> ParaByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (int i = 0; i < 32; ++i)
    if (k80a9F[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void PorUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code points of a UTF-8 text; nullopt if it is not valid UTF-8.
std::optional<std::u32string> DeUtf8(std::string_view s) {
  std::u32string r;
  for (size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (n < 0 || i + static_cast<size_t>(n) >= s.size() + (n == 0 ? 1 : 0)) return std::nullopt;
    char32_t c = n == 0 ? b : b & (0x3F >> n);
    for (int k = 1; k <= n; ++k) {
      const unsigned char m = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((m & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (m & 0x3F);
    }
    const char32_t minimo[4] = {0, 0x80, 0x800, 0x10000};
    if (c < minimo[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    r += c;
    i += static_cast<size_t>(n) + 1;
  }
  return r;
}

}  // namespace

void TLeitorJogoIni::Acrescentar(std::string_view bytes) {
  for (const char ch : bytes) {
    if (Completo()) return;
    const unsigned char b = static_cast<unsigned char>(ch);
    if (depoisDeCr_) {
      depoisDeCr_ = false;
      if (b == '\n') continue;  // the LF of a CR LF pair
    }
    if (b == '\r' || b == '\n') {
      depoisDeCr_ = b == '\r';
      ++linha_;
      continue;
    }
    const size_t l = static_cast<size_t>(linha_);
    if (tamanhos_[l] < kTamanhoMaximoLinhaIni) {
      PorUtf8(linhas_[l], DeByte(b));
      ++tamanhos_[l];
    }
  }
}

TCandidatosIni TLeitorJogoIni::Candidatos() const {
  TCandidatosIni c;
  for (size_t k = 1; k <= 6; ++k) c[k - 1] = {linhas_[3 * k - 2], linhas_[3 * k - 1], linhas_[3 * k]};
  return c;
}

TCandidatosIni InterpretarJogoIni(std::string_view bytes) {
  TLeitorJogoIni leitor;
  leitor.Acrescentar(bytes);
  return leitor.Candidatos();
}

namespace {
bool CabeEmWindows1252(const std::u32string& pontos) {
  for (char32_t c : pontos)
    if (c == '\r' || c == '\n' || !ParaByte(c)) return false;
  return true;
}
}  // namespace

bool CabeEmWindows1252(std::string_view utf8) {
  const auto pontos = DeUtf8(utf8);
  return pontos && CabeEmWindows1252(*pontos);
}

bool CabeNoJogoIni(std::string_view utf8) {
  const auto pontos = DeUtf8(utf8);
  return pontos && pontos->size() <= kTamanhoMaximoLinhaIni && CabeEmWindows1252(*pontos);
}

TValorIni ValorQueNaoCabe(int candidato, int campo, std::string_view utf8) {
  static constexpr const char* kCampos[] = {"o caminho da foto", "o nome", "a descrição"};
  return TValorIni("Não é possível gravar " + std::string(kCampos[campo]) + " do candidato " +
                   std::to_string(candidato) + " em jogo.ini: \"" + std::string(utf8) +
                   "\" tem quebra de linha, caracteres fora de Windows-1252 ou mais de " +
                   std::to_string(kTamanhoMaximoLinhaIni) + " caracteres");
}

std::string MontarJogoIni(const TCandidatosIni& candidatos) {
  std::string bytes = "0\r\n";
  for (size_t k = 1; k <= 6; ++k) {
    const TCandidatoIni& s = candidatos[k - 1];
    const std::string* const campos[] = {&s.foto, &s.nome, &s.descricao};
    for (int campo = 0; campo < 3; ++campo) {
      const std::string& valor = *campos[campo];
      if (!CabeNoJogoIni(valor)) throw ValorQueNaoCabe(static_cast<int>(k), campo, valor);
      const std::u32string pontos = *DeUtf8(valor);  // kept: a loop over *DeUtf8() would outlive it
      for (char32_t c : pontos) bytes += static_cast<char>(*ParaByte(c));
      bytes += "\r\n";
    }
  }
  return bytes;
}

std::string VerificarJogoIni(std::string_view bytes) {
  if (bytes.empty()) return "O arquivo está vazio: não é um jogo.ini. Nada foi mudado.";
  if (bytes.size() > kTamanhoMaximoIni)
    return "O arquivo é grande demais para ser um jogo.ini (mais de " + std::to_string(kTamanhoMaximoIni / 1024) +
           " KiB). Nada foi mudado.";
  const auto comeca = [&](std::string_view p) { return bytes.substr(0, p.size()) == p; };
  if (comeca("\xFF\xFE") || comeca("\xFE\xFF"))
    return "O arquivo está em UTF-16, não na codificação do jogo.ini (Windows-1252). Nada foi mudado.";
  for (const char ch : bytes) {
    const unsigned char b = static_cast<unsigned char>(ch);
    if (b < 0x20 && b != '\r' && b != '\n' && b != '\t')
      return "O arquivo não é de texto (tem bytes de controle): não é um jogo.ini. Nada foi mudado.";
  }
  // Text with non-ASCII letters that is all valid UTF-8 was written in
  // UTF-8: read as Windows-1252 its accents would come out garbled.
  bool alemAscii = false;
  for (const char ch : bytes) alemAscii = alemAscii || static_cast<unsigned char>(ch) >= 0x80;
  if (comeca("\xEF\xBB\xBF") || (alemAscii && DeUtf8(bytes)))
    return "O arquivo está em UTF-8, não na codificação do jogo.ini (Windows-1252). Nada foi mudado.";
  int linhas = 0;
  size_t inicio = 0;
  std::string primeira;
  bool depoisDeCr = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char b = bytes[i];
    if (depoisDeCr) {
      depoisDeCr = false;
      if (b == '\n') {
        inicio = i + 1;
        continue;
      }
    }
    if (b == '\r' || b == '\n') {
      if (linhas == 0) primeira = std::string(bytes.substr(inicio, i - inicio));
      ++linhas;
      depoisDeCr = b == '\r';
      inicio = i + 1;
    }
  }
  if (inicio < bytes.size()) {
    if (linhas == 0) primeira = std::string(bytes.substr(inicio));
    ++linhas;
  }
  if (primeira != "0" || linhas < kLinhasIni)
    return "O arquivo não é um jogo.ini: ele começa com a linha \"0\" e tem 19 linhas. Nada foi mudado.";
  return {};
}

}  // namespace varzeno::jogo

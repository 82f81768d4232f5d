#include "campanha_guardada.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "textos.h"

namespace varzeno::jogo {

namespace {

constexpr std::string_view kCabecalho = "varzeno campanha ";
constexpr double kMaxId = 9007199254740991.0;  // 2^53 - 1: a whole number in JavaScript

// FNV-1a, 32 bits: enough to tell a hand edit or a damaged copy.
uint32_t Soma(std::string_view s) {
  uint32_t h = 2166136261u;
  for (const unsigned char c : s) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

std::string Hex8(uint32_t v) {
  char b[9];
  std::snprintf(b, sizeof b, "%08x", v);
  return b;
}

// Reads the record line by line; running out of text means it was cut short.
class TLeitor {
 public:
  explicit TLeitor(std::string_view t) : t_(t) {}

  std::string_view Linha() {
    const size_t fim = t_.find('\n', pos_);
    if (fim == std::string_view::npos) throw TCampanhaInvalida(kCampanhaIncompleta);
    const std::string_view l = t_.substr(pos_, fim - pos_);
    pos_ = fim + 1;
    return l;
  }

  // "chave=valor": the value.
  std::string_view Campo(std::string_view chave) {
    const std::string_view l = Linha();
    if (l.size() < chave.size() + 1 || l.substr(0, chave.size()) != chave || l[chave.size()] != '=')
      throw TCampanhaInvalida(kCampanhaDanificada);
    return l.substr(chave.size() + 1);
  }

  // "nome=<bytes>:<text>": a name may hold any character, a line end too.
  std::string Nome() {
    constexpr std::string_view kChave = "nome=";
    const std::string_view l = t_.substr(pos_);
    if (l.size() < kChave.size()) {
      if (kChave.substr(0, l.size()) == l) throw TCampanhaInvalida(kCampanhaIncompleta);
      throw TCampanhaInvalida(kCampanhaDanificada);
    }
    if (l.substr(0, kChave.size()) != kChave) throw TCampanhaInvalida(kCampanhaDanificada);
    const size_t doisPontos = l.find(':');
    if (doisPontos == std::string_view::npos) {
      if (l.find_first_not_of("0123456789", kChave.size()) == std::string_view::npos)
        throw TCampanhaInvalida(kCampanhaIncompleta);
      throw TCampanhaInvalida(kCampanhaDanificada);
    }
    const uint64_t n = Numero(l.substr(kChave.size(), doisPontos - kChave.size()), kMaxNomeGuardado);
    if (doisPontos + 1 + n + 1 > l.size()) throw TCampanhaInvalida(kCampanhaIncompleta);
    if (l[doisPontos + 1 + n] != '\n') throw TCampanhaInvalida(kCampanhaDanificada);
    pos_ += doisPontos + 1 + n + 1;
    return std::string(l.substr(doisPontos + 1, n));
  }

  size_t Posicao() const { return pos_; }
  bool NoFim() const { return pos_ == t_.size(); }

  // A decimal number of at most `maximo`, digits only.
  static uint64_t Numero(std::string_view s, uint64_t maximo) {
    uint64_t v = 0;
    if (s.empty() || s.size() > 16 || s.find_first_not_of("0123456789") != std::string_view::npos ||
        (s.size() > 1 && s[0] == '0'))
      throw TCampanhaInvalida(kCampanhaDanificada);
    std::from_chars(s.data(), s.data() + s.size(), v);
    if (v > maximo) throw TCampanhaInvalida(kCampanhaDanificada);
    return v;
  }

 private:
  std::string_view t_;
  size_t pos_ = 0;
};

std::string Corpo(const TCampanhaGuardada& c) {
  std::string t;
  t += std::string(kCabecalho) + std::to_string(kFormatoCampanha) + "\n";
  t += std::string("versao=") + kVersao + "\n";
  t += "id=" + std::to_string(static_cast<uint64_t>(c.id)) + "\n";
  t += "semente=" + std::to_string(c.semente) + "\n";
  t += "oponentes=" + std::to_string(c.oponentes) + "\n";
  t += "nome=" + std::to_string(c.nome.size()) + ":" + c.nome + "\n";
  t += "jogadas=";
  for (const int j : c.jogadas) t += static_cast<char>('0' + j);
  t += "\n";
  t += "recusa=" + std::to_string(c.recusa) + "\n";
  t += "marca=" + std::to_string(c.marca) + "\n";
  t += std::string("mensagem=") + (c.mensagemAberta ? "1" : "0") + "\n";
  return t;
}

}  // namespace

void TCampanhaGuardada::Registrar(int escolha, const TResposta& r) {
  marca = escolha;
  mensagemAberta = !r.Mensagem().empty();
  if (!r.Recusa.empty()) {
    recusa = escolha;
    return;
  }
  recusa = 0;
  jogadas.push_back(escolha);
}

std::string GravarCampanha(const TCampanhaGuardada& c) {
  const std::string corpo = Corpo(c);
  return corpo + "soma=" + Hex8(Soma(corpo)) + "\n";
}

TCampanhaGuardada LerCampanha(const std::string& texto) {
  TLeitor l(texto);
  // The header and the release first: another release may write another format.
  const size_t fimCabecalho = texto.find('\n');
  const std::string_view primeira = std::string_view(texto).substr(0, fimCabecalho);
  if (primeira.substr(0, kCabecalho.size()) != kCabecalho) {
    if (fimCabecalho == std::string::npos && kCabecalho.substr(0, primeira.size()) == primeira)
      throw TCampanhaInvalida(kCampanhaIncompleta);
    throw TCampanhaInvalida(kCampanhaDanificada);
  }
  l.Linha();
  if (primeira.substr(kCabecalho.size()) != std::to_string(kFormatoCampanha))
    throw TCampanhaInvalida(kCampanhaDeOutraVersao);
  if (l.Campo("versao") != kVersao) throw TCampanhaInvalida(kCampanhaDeOutraVersao);

  TCampanhaGuardada c;
  c.id = static_cast<double>(TLeitor::Numero(l.Campo("id"), static_cast<uint64_t>(kMaxId)));
  const auto semente = LerSemente(l.Campo("semente"));
  if (!semente) throw TCampanhaInvalida(kCampanhaDanificada);
  c.semente = *semente;
  c.oponentes = static_cast<int32_t>(TLeitor::Numero(l.Campo("oponentes"), kMaxOponentes));
  if (c.oponentes < kMinOponentes) throw TCampanhaInvalida(kCampanhaDanificada);
  c.nome = l.Nome();
  if (!VerificarCandidatoEscolhido(c.nome).empty()) throw TCampanhaInvalida(kCampanhaDanificada);
  const std::string_view jogadas = l.Campo("jogadas");
  if (jogadas.size() > kMaxJogadas || jogadas.find_first_not_of("0123") != std::string_view::npos)
    throw TCampanhaInvalida(kCampanhaDanificada);
  for (const char j : jogadas) c.jogadas.push_back(j - '0');
  c.recusa = static_cast<int>(TLeitor::Numero(l.Campo("recusa"), 3));
  c.marca = static_cast<int>(TLeitor::Numero(l.Campo("marca"), 3));
  c.mensagemAberta = TLeitor::Numero(l.Campo("mensagem"), 1) == 1;

  const size_t fimCorpo = l.Posicao();
  const std::string_view soma = l.Campo("soma");
  if (!l.NoFim() || soma != Hex8(Soma(std::string_view(texto).substr(0, fimCorpo))))
    throw TCampanhaInvalida(kCampanhaDanificada);
  return c;
}

TResposta RetomarCampanha(TPartida& partida, const TCampanhaGuardada& c,
                          const std::function<void(const TPartida&, const TResposta&)>& aoPasso) {
  TPartida nova;
  RandSeed(c.semente);
  TResposta r = nova.NovoJogo(c.nome, c.oponentes);
  if (aoPasso) aoPasso(nova, r);
  // Every kept step must be one the game accepted, none after its end.
  for (const int j : c.jogadas) {
    if (r.FimDeJogo()) throw TCampanhaInvalida(kCampanhaDanificada);
    r = nova.ConfirmarAcao(j);
    if (!r.Recusa.empty()) throw TCampanhaInvalida(kCampanhaDanificada);
    if (aoPasso) aoPasso(nova, r);
  }
  if (c.recusa != 0) {
    if (r.FimDeJogo()) throw TCampanhaInvalida(kCampanhaDanificada);
    r = nova.ConfirmarAcao(c.recusa);
    if (r.Recusa.empty()) throw TCampanhaInvalida(kCampanhaDanificada);
  }
  if (c.mensagemAberta && r.Mensagem().empty()) throw TCampanhaInvalida(kCampanhaDanificada);
  partida = std::move(nova);
  return r;
}

std::string MensagemCampanhaDescartada(const std::string& motivo) {
  return "A campanha que estava guardada neste navegador não pôde ser retomada (" + motivo +
         ") e foi descartada. Os candidatos continuam guardados.";
}

}  // namespace varzeno::jogo

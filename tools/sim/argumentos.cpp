#include "argumentos.h"

#include <charconv>
#include <fstream>

namespace varzeno::sim {

const char* const kUso =
    "usage: varzeno-sim [--jogos N] [--semente S] [--oponentes 2..5] [--nome TEXTO]\n"
    "                   [--estrategia nada|primeira|popular] [--sorteios ARQUIVO] [--rastro]\n"
    "                   [--diario]\n"
    "       varzeno-sim --help | --version\n";

namespace {
template <class T>
bool Numero(const std::string& s, T& v, T minimo, T maximo) {
  if (s.empty()) return false;
  T x{};
  auto [fim, ec] = std::from_chars(s.data(), s.data() + s.size(), x);
  if (ec != std::errc() || fim != s.data() + s.size() || x < minimo || x > maximo) return false;
  v = x;
  return true;
}
}  // namespace

std::optional<TArgumentos> LerArgumentos(const std::vector<std::string>& args, std::string& erro) {
  TArgumentos a;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& op = args[i];
    auto valor = [&](std::string& v) {
      if (i + 1 >= args.size()) {
        erro = op + " needs a value";
        return false;
      }
      v = args[++i];
      return true;
    };
    std::string v;
    if (op == "--rastro") {
      a.rastro = true;
    } else if (op == "--diario") {
      a.diario = true;
    } else if (op == "--help" || op == "-h") {
      a.ajuda = true;
    } else if (op == "--version") {
      a.versao = true;
    } else if (op == "--jogos") {
      if (!valor(v)) return std::nullopt;
      if (!Numero<long long>(v, a.jogos, 0, 1'000'000'000'000LL)) {
        erro = "--jogos takes a whole number from 0 up, not '" + v + "'";
        return std::nullopt;
      }
    } else if (op == "--semente") {
      if (!valor(v)) return std::nullopt;
      uint32_t s = 0;
      if (!Numero<uint32_t>(v, s, 0, UINT32_MAX)) {
        erro = "--semente takes a whole number from 0 to 4294967295, not '" + v + "'";
        return std::nullopt;
      }
      a.semente = s;
    } else if (op == "--oponentes") {
      if (!valor(v)) return std::nullopt;
      if (!Numero<int>(v, a.oponentes, 2, 5)) {
        erro = "--oponentes takes 2, 3, 4 or 5, not '" + v + "'";
        return std::nullopt;
      }
    } else if (op == "--nome") {
      if (!valor(v)) return std::nullopt;
      a.nome = v;
    } else if (op == "--estrategia") {
      if (!valor(v)) return std::nullopt;
      auto e = LerEstrategia(v);
      if (!e) {
        erro = "--estrategia takes nada, primeira or popular, not '" + v + "'";
        return std::nullopt;
      }
      a.estrategia = *e;
    } else if (op == "--sorteios") {
      if (!valor(v)) return std::nullopt;
      a.sorteios = v;
    } else {
      erro = "unknown argument '" + op + "'";
      return std::nullopt;
    }
  }
  // The diary is one game's file on standard output, alone.
  if (a.diario && a.jogos != 1) {
    erro = "--diario writes the diary of one game: give --jogos 1";
    return std::nullopt;
  }
  if (a.diario && a.rastro) {
    erro = "--diario and --rastro both write to standard output: give one";
    return std::nullopt;
  }
  return a;
}

std::optional<std::vector<uint64_t>> LerSorteios(const std::string& caminho, std::string& erro) {
  std::ifstream f(caminho, std::ios::binary);
  if (!f) {
    erro = "cannot read the draws file '" + caminho + "'";
    return std::nullopt;
  }
  std::vector<uint64_t> v;
  std::string linha;
  long n = 0;
  while (std::getline(f, linha)) {
    ++n;
    while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ' || linha.back() == '\t')) linha.pop_back();
    size_t ini = linha.find_first_not_of(" \t");
    if (ini == std::string::npos) continue;
    linha.erase(0, ini);
    uint64_t x = 0;
    if (!Numero<uint64_t>(linha, x, 0, UINT64_MAX)) {
      erro = caminho + ":" + std::to_string(n) + ": not a non-negative whole number: '" + linha.substr(0, 40) + "'";
      return std::nullopt;
    }
    v.push_back(x);
  }
  return v;
}

}  // namespace varzeno::sim

// Command line of varzeno-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "estrategia.h"

namespace varzeno::sim {

struct TArgumentos {
  long long jogos = 1;
  std::optional<uint32_t> semente;
  int oponentes = 2;
  std::string nome = "Candidato 15";
  TEstrategia estrategia = TEstrategia::Nada;
  std::optional<std::string> sorteios;  // file of scripted draws
  bool rastro = false;
  bool diario = false;  // the one game's diary as CSV, and nothing else
  bool ajuda = false;
  bool versao = false;  // --version
};

// Parses argv; on a bad argument returns nullopt and sets erro.
std::optional<TArgumentos> LerArgumentos(const std::vector<std::string>& args, std::string& erro);

// Reads a file of non-negative integers, one per line (blank lines skipped).
std::optional<std::vector<uint64_t>> LerSorteios(const std::string& caminho, std::string& erro);

extern const char* const kUso;

}  // namespace varzeno::sim

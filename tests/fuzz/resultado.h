#pragma once
// Qt, libemf2svg and libwmf are not built for coverage, so libFuzzer cannot
// see how deep an input got inside them and would drop the whole pictures
// of the seeds for tiny inputs. Each outcome (which step failed and why,
// or how large the result was) marks one of these counters, which libFuzzer
// counts as coverage, so inputs that reach new outcomes are kept.
#include <QByteArray>
#include <QString>
#include <bit>
#include <cstdint>

__attribute__((section("__libfuzzer_extra_counters"))) inline uint8_t g_resultados[4096];

inline void MarcarResultado(uint32_t etapa, uint32_t detalhe) {
  const uint32_t chave = (etapa * 2654435761u) ^ (detalhe * 40503u);
  uint8_t& c = g_resultados[chave % sizeof g_resultados];
  if (c < 255) ++c;
}

inline uint32_t Hash(const QString& texto) { return uint32_t(qHash(texto)); }
inline uint32_t Hash(const char* texto) { return uint32_t(qHash(QByteArray(texto))); }
// Sizes by their power of two.
inline uint32_t Classe(uint64_t n) { return uint32_t(std::bit_width(n)); }

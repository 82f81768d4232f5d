#include "aleatorio.h"

#include <chrono>
#include <string>

namespace varzeno {

namespace {
std::unique_ptr<TGerador>& Atual() {
  static std::unique_ptr<TGerador> gerador = std::make_unique<TGeradorMT>(5489u);
  return gerador;
}
// The seed while no draw has been made since; a plain flag keeps random() cheap.
uint32_t semente_ = 0;
bool intacta_ = false;
}  // namespace

int32_t TGeradorMT::Sortear(int32_t n) {
  if (n <= 1) return 0;
  // Reject the top sliver of the 32-bit range so every value is equally likely.
  const uint64_t faixa = 1ull << 32;
  const uint64_t limite = faixa - faixa % static_cast<uint64_t>(n);
  uint64_t x;
  do {
    x = mt_();
  } while (x >= limite);
  return static_cast<int32_t>(x % static_cast<uint64_t>(n));
}

int32_t TGeradorRoteiro::Sortear(int32_t n) {
  if (proximo_ >= numeros_.size())
    throw TSorteiosEsgotados("scripted draws ran out at draw " + std::to_string(proximo_ + 1) + " (random(" +
                             std::to_string(n) + "))");
  const uint64_t v = numeros_[proximo_++];
  return n <= 1 ? 0 : static_cast<int32_t>(v % static_cast<uint64_t>(n));
}

int32_t random(int32_t n) {
  intacta_ = false;
  return Atual()->Sortear(n);
}

std::optional<uint32_t> SementeIntacta() { return intacta_ ? std::optional<uint32_t>(semente_) : std::nullopt; }

uint32_t Randomize() {
  const auto agora = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto semente = static_cast<uint32_t>(agora ^ (agora >> 32));
  RandSeed(semente);
  return semente;
}

void RandSeed(uint32_t semente) {
  Atual() = std::make_unique<TGeradorMT>(semente);
  semente_ = semente;
  intacta_ = true;
}

std::unique_ptr<TGerador> TrocarGerador(std::unique_ptr<TGerador> novo) {
  if (!novo) novo = std::make_unique<TGeradorMT>(5489u);
  std::swap(Atual(), novo);
  intacta_ = false;
  return novo;
}

}  // namespace varzeno

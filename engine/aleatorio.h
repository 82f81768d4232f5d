// The game's single source of random numbers.
//
// Every draw of the campaign goes through random(n), so a seed reproduces a
// whole game and tests can script the exact numbers a game sees.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

namespace varzeno {

// A source of draws: Sortear(n) yields a whole number in 0..n-1 (n >= 1).
class TGerador {
 public:
  virtual ~TGerador() = default;
  virtual int32_t Sortear(int32_t n) = 0;
};

// Mersenne Twister with our own range mapping (rejection sampling), so the
// same seed gives the same game with every standard library.
class TGeradorMT final : public TGerador {
 public:
  explicit TGeradorMT(uint32_t semente) : mt_(semente) {}
  int32_t Sortear(int32_t n) override;

 private:
  std::mt19937 mt_;
};

// Replays a fixed list of numbers: the k-th draw random(n) returns
// (k-th number) mod n. Running out throws TSorteiosEsgotados.
class TGeradorRoteiro final : public TGerador {
 public:
  explicit TGeradorRoteiro(std::vector<uint64_t> numeros) : numeros_(std::move(numeros)) {}
  int32_t Sortear(int32_t n) override;
  size_t Usados() const { return proximo_; }
  size_t Restantes() const { return numeros_.size() - proximo_; }

 private:
  std::vector<uint64_t> numeros_;
  size_t proximo_ = 0;
};

struct TSorteiosEsgotados : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// random(n) from the process-wide generator. n must be at least 1.
int32_t random(int32_t n);

// Seeds the process-wide generator from the clock; returns the seed used.
uint32_t Randomize();
// Seeds it with a known value (simulator, benchmarks).
void RandSeed(uint32_t semente);

// The seed of the process-wide generator while nothing has been drawn
// from it since it was seeded; empty once a draw was made or when the
// generator was replaced.
std::optional<uint32_t> SementeIntacta();

// Replaces the process-wide generator; returns the previous one.
std::unique_ptr<TGerador> TrocarGerador(std::unique_ptr<TGerador> novo);

// Puts a generator in place for the lifetime of the object (tests).
class TGeradorTemporario {
 public:
  explicit TGeradorTemporario(std::unique_ptr<TGerador> g) : anterior_(TrocarGerador(std::move(g))) {}
  ~TGeradorTemporario() { TrocarGerador(std::move(anterior_)); }
  TGeradorTemporario(const TGeradorTemporario&) = delete;
  TGeradorTemporario& operator=(const TGeradorTemporario&) = delete;

 private:
  std::unique_ptr<TGerador> anterior_;
};

}  // namespace varzeno

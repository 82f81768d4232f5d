// Scripted draws for the engine tests: each random(n) takes the next number
// of the script (mod n) and records n, so a test can assert both the values a
// game sees and the exact order and count of its draws. Past the end of the
// script the draws come from a fixed-seed generator, for the steps a test
// does not care about.
#pragma once

#include <deque>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <vector>

#include "aleatorio.h"

namespace varzeno::teste {

class TRoteiro final : public TGerador {
 public:
  std::deque<uint64_t> fila;
  std::vector<int32_t> pedidos;  // the n of every draw, in order
  TGeradorMT resto{12345u};

  int32_t Sortear(int32_t n) override {
    pedidos.push_back(n);
    if (fila.empty()) return resto.Sortear(n);
    const uint64_t v = fila.front();
    fila.pop_front();
    return static_cast<int32_t>(v % static_cast<uint64_t>(n));
  }
};

// Installs a script for the lifetime of the object.
class TComRoteiro {
 public:
  explicit TComRoteiro(std::initializer_list<uint64_t> v = {}) {
    auto r = std::make_unique<TRoteiro>();
    r->fila.assign(v.begin(), v.end());
    roteiro_ = r.get();
    guarda_ = std::make_unique<TGeradorTemporario>(std::move(r));
  }
  void Mais(std::initializer_list<uint64_t> v) { roteiro_->fila.insert(roteiro_->fila.end(), v); }
  std::vector<int32_t>& Pedidos() { return roteiro_->pedidos; }
  size_t Restantes() const { return roteiro_->fila.size(); }

 private:
  TRoteiro* roteiro_;
  std::unique_ptr<TGeradorTemporario> guarda_;
};

}  // namespace varzeno::teste

// An ordered list of object references that either owns its entries or only
// refers to them; which one is fixed when the list is made.
//
// Each slot is a unique_ptr whose deleter knows the list's ownership, so an
// owning list destroys an entry exactly once (when it is deleted, replaced,
// cleared away, or with the list) and a referring list never does.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace varzeno {

template <class T>
class TLista {
 public:
  explicit TLista(bool possui) : possui_(possui) {}
  TLista(const TLista&) = delete;
  TLista& operator=(const TLista&) = delete;
  TLista(TLista&&) noexcept = default;
  TLista& operator=(TLista&&) noexcept = default;

  bool Possui() const { return possui_; }
  int Count() const { return static_cast<int>(itens_.size()); }

  // Reading outside 0..Count()-1 is an error.
  T* operator[](int i) const { return itens_[Indice(i)].get(); }

  // Appends a reference; an owning list takes ownership of it.
  void Adicionar(T* item) { itens_.emplace_back(item, Liberador{possui_}); }
  void Adicionar(std::unique_ptr<T> item) { Adicionar(item.release()); }

  // Makes a new entry, appends it and returns it (for owning lists).
  template <class... A>
  T* Criar(A&&... args) {
    auto novo = std::make_unique<T>(std::forward<A>(args)...);
    T* ref = novo.get();
    Adicionar(std::move(novo));
    return ref;
  }

  // Inserts at i (0..Count()); the entries from i on move up by one.
  void Inserir(int i, T* item) {
    if (i < 0 || i > Count()) Fora(i);
    itens_.insert(itens_.begin() + i, Slot(item, Liberador{possui_}));
  }

  // Replaces the reference at i (an owning list destroys the old entry).
  void Substituir(int i, T* item) { itens_[Indice(i)].reset(item); }

  // Deletes the entry at i; the entries after it move down by one.
  void Excluir(int i) { itens_.erase(itens_.begin() + Indice(i)); }

  void Limpar() { itens_.clear(); }
  void Reservar(int n) { itens_.reserve(static_cast<size_t>(n)); }

  int IndiceDe(const T* item) const {
    for (int i = 0; i < Count(); ++i)
      if (itens_[i].get() == item) return i;
    return -1;
  }

  auto begin() const { return Iterador{itens_.begin()}; }
  auto end() const { return Iterador{itens_.end()}; }

 private:
  struct Liberador {
    bool possui = false;
    void operator()(T* p) const {
      if (possui) std::default_delete<T>()(p);
    }
  };
  using Slot = std::unique_ptr<T, Liberador>;

  struct Iterador {
    using iterator_category = std::forward_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T* const*;
    using reference = T*;
    typename std::vector<Slot>::const_iterator it;
    T* operator*() const { return it->get(); }
    Iterador& operator++() {
      ++it;
      return *this;
    }
    Iterador operator++(int) {
      Iterador c = *this;
      ++it;
      return c;
    }
    bool operator!=(const Iterador& o) const { return it != o.it; }
    bool operator==(const Iterador& o) const { return it == o.it; }
  };

  size_t Indice(int i) const {
    if (i < 0 || i >= Count()) Fora(i);
    return static_cast<size_t>(i);
  }
  [[noreturn]] void Fora(int i) const {
    throw std::out_of_range("list index " + std::to_string(i) + " out of bounds (count " + std::to_string(Count()) +
                            ")");
  }

  bool possui_;
  std::vector<Slot> itens_;
};

}  // namespace varzeno

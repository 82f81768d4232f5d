#include "acao.h"

namespace varzeno {

namespace {
TAcao* Adicionar(TAcaoList& lista, bool evento, std::string_view nome, int32_t dinheiro, int32_t popularidade,
                 int32_t honestidade, bool disponivel, std::initializer_list<std::string_view> consequencias) {
  TAcao* a = lista.Criar();
  a->Evento = evento;
  a->Disponivel = disponivel;
  a->Nome = nome;
  a->Dinheiro = dinheiro;
  a->Popularidade = popularidade;
  a->Honestidade = honestidade;
  for (std::string_view c : consequencias)
    if (TAcao* alvo = BuscarAcao(lista, c)) a->Consequencias.Adicionar(alvo);
  return a;
}
}  // namespace

TAcao* AdicionarAcao(TAcaoList& lista, std::string_view nome, int32_t dinheiro, int32_t popularidade,
                     int32_t honestidade, bool disponivel, std::initializer_list<std::string_view> consequencias) {
  return Adicionar(lista, false, nome, dinheiro, popularidade, honestidade, disponivel, consequencias);
}

TAcao* AdicionarEvento(TAcaoList& lista, std::string_view nome, int32_t dinheiro, int32_t popularidade,
                       int32_t honestidade, bool disponivel, std::initializer_list<std::string_view> consequencias) {
  return Adicionar(lista, true, nome, dinheiro, popularidade, honestidade, disponivel, consequencias);
}

TAcao* BuscarAcao(const TAcaoList& lista, std::string_view nome) {
  for (TAcao* a : lista)
    if (a->Nome == nome) return a;
  return nullptr;
}

}  // namespace varzeno

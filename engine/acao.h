// Campaign actions and adverse events, and the catalogue that holds them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "lista.h"

namespace varzeno {

class TAcao;
using TAcaoList = TLista<TAcao>;

// One catalogue entry: an action the player may choose, or an adverse event
// the campaign imposes. Names are UTF-8.
class TAcao {
 public:
  bool Evento = false;      // true: adverse event; false: action
  bool Disponivel = false;  // may be drawn this round
  std::string Nome;
  int32_t Dinheiro = 0;
  int32_t Popularidade = 0;
  int32_t Honestidade = 0;
  // Events that become available once this entry is applied; the entries
  // belong to the catalogue, never to this list.
  TAcaoList Consequencias{false};
};

// Clears the list (destroying its entries if it owns them) and fills it
// with the 53 entries of the campaign, in their fixed order.
void CarregarAcoes(TAcaoList& lista);

// The appending steps of CarregarAcoes: a new entry at the end of the list,
// linked to the consequences already in it (unknown names are skipped).
TAcao* AdicionarAcao(TAcaoList& lista, std::string_view nome, int32_t dinheiro, int32_t popularidade,
                     int32_t honestidade, bool disponivel, std::initializer_list<std::string_view> consequencias = {});
TAcao* AdicionarEvento(TAcaoList& lista, std::string_view nome, int32_t dinheiro, int32_t popularidade,
                       int32_t honestidade, bool disponivel,
                       std::initializer_list<std::string_view> consequencias = {});

// The first entry whose name equals nome byte for byte, or nullptr.
TAcao* BuscarAcao(const TAcaoList& lista, std::string_view nome);

}  // namespace varzeno

#include "decisao.h"

namespace varzeno::jogo {

std::string_view NomeDecisao(TDecisao d) {
  switch (d) {
    case TDecisao::Vitoria:
      return "vitoria";
    case TDecisao::Derrota:
      return "derrota";
    case TDecisao::SegundoTurno:
      return "segundo_turno";
    case TDecisao::Nenhuma:
      break;
  }
  return {};
}

}  // namespace varzeno::jogo

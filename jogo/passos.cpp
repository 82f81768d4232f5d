#include "passos.h"

namespace varzeno::jogo {

std::vector<TPassoMostrar> PassosDe(const TResposta& r) {
  if (!r.Recusa.empty()) return {{TPasso::Recusa, r.Recusa}};
  std::vector<TPassoMostrar> v;
  const std::string evento = r.Evento ? r.Evento->Nome : std::string();
  if (r.LimparPainel) v.push_back({TPasso::LimparPainel, {}});
  // The panel is written before the event's message is shown: both reach
  // the screen together, and the panel does not wait for a message to close.
  if (r.NovasOpcoes) v.push_back({TPasso::EscreverPainel, {}});
  // A week played, an event, or the run-off's first week: a reader hears
  // where the campaign stands.
  if (r.SemanaJogada || r.Evento || r.Decisao == TDecisao::SegundoTurno) v.push_back({TPasso::AnunciarSemana, evento});
  if (r.Evento) v.push_back({TPasso::MensagemEvento, evento});
  if (r.FimDeJogo()) {
    v.push_back({TPasso::Som, r.Som()});
    v.push_back({TPasso::MensagemFim, r.Mensagem()});
    v.push_back({TPasso::Grafico, {}});
  }
  return v;
}

const char* NomeDoPasso(TPasso p) {
  switch (p) {
    case TPasso::Recusa:
      return "recusa";
    case TPasso::LimparPainel:
      return "limparPainel";
    case TPasso::EscreverPainel:
      return "escreverPainel";
    case TPasso::AnunciarSemana:
      return "anunciarSemana";
    case TPasso::MensagemEvento:
      return "mensagemEvento";
    case TPasso::Som:
      return "som";
    case TPasso::MensagemFim:
      return "mensagemFim";
    case TPasso::Grafico:
      return "grafico";
  }
  return "";
}

}  // namespace varzeno::jogo

#include "estrategia.h"

namespace varzeno::sim {

std::optional<TEstrategia> LerEstrategia(std::string_view nome) {
  if (nome == "nada") return TEstrategia::Nada;
  if (nome == "primeira") return TEstrategia::Primeira;
  if (nome == "popular") return TEstrategia::Popular;
  return std::nullopt;
}

int Escolher(TEstrategia e, const TPartida& p) {
  switch (e) {
    case TEstrategia::Nada:
      return 0;
    case TEstrategia::Primeira:
      return 1;
    case TEstrategia::Popular: {
      int melhor = 1;
      for (int k = 2; k <= 3; ++k)
        if (p.Opcoes[static_cast<size_t>(k)]->Popularidade > p.Opcoes[static_cast<size_t>(melhor)]->Popularidade)
          melhor = k;
      return melhor;
    }
  }
  return 0;
}

int EscolherSemRecusa(const TPartida& p) {
  int escolha = 0, melhor = 0;
  for (int k = 1; k <= 3; ++k) {
    const TAcao& o = *p.Opcoes[static_cast<size_t>(k)];
    if (VerificarOpcao(*p.Motor, o).empty() && o.Popularidade > melhor) {
      melhor = o.Popularidade;
      escolha = k;
    }
  }
  return escolha;
}

TResultadoJogo JogarPartida(TPartida& p, const std::string& nome, int oponentes, TEstrategia e,
                            const TObservador* obs) {
  TResultadoJogo res;
  p.AoJogarSemana = [&](const TEngVarzeno& m) {
    ++res.semanas;
    if (obs && obs->aoJogarSemana) obs->aoJogarSemana(m);
  };
  const auto confirmar = [&](int escolha) {
    TResposta resposta = p.ConfirmarAcao(escolha);
    if (obs && obs->aoResponder) obs->aoResponder(resposta);
    return resposta;
  };
  TResposta r = p.NovoJogo(nome, oponentes);
  if (obs && obs->aoResponder) obs->aoResponder(r);
  if (obs && obs->aoSortear) obs->aoSortear(r);
  for (;;) {
    int escolha = Escolher(e, p);
    // The observer hears of the choice (and its refusal) before the week it plays.
    if (obs && obs->aoEscolher) {
      const bool decide = p.Motor->Semanas == 0;
      const std::string recusa =
          decide || escolha == 0 ? std::string() : VerificarOpcao(*p.Motor, *p.Opcoes[static_cast<size_t>(escolha)]);
      obs->aoEscolher(escolha, recusa);
    }
    r = confirmar(escolha);
    if (!r.Recusa.empty()) {
      escolha = 0;
      if (obs && obs->aoEscolher) obs->aoEscolher(escolha, std::string());
      r = confirmar(escolha);
    }
    if (r.Decisao != TDecisao::Nenhuma && obs && obs->aoDecidir) obs->aoDecidir(r);
    if (r.NovasOpcoes && obs && obs->aoSortear) obs->aoSortear(r);
    if (r.Decisao == TDecisao::SegundoTurno) res.segundoTurno = true;
    if (r.FimDeJogo()) {
      res.vitoria = r.Decisao == TDecisao::Vitoria;
      res.turno = r.Turno;
      res.popularidade = p.Motor->Popularidade;
      break;
    }
  }
  p.AoJogarSemana = nullptr;
  return res;
}

}  // namespace varzeno::sim

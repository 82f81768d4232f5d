#include "partida.h"

namespace varzeno {

const char* TResposta::Som() const {
  if (Decisao == TDecisao::Vitoria) return kSomGanhou;
  if (Decisao == TDecisao::Derrota) return kSomPerdeu;
  return nullptr;
}

std::string TResposta::Mensagem() const {
  if (!Recusa.empty()) return Recusa;
  if (Decisao == TDecisao::Vitoria) return kGanhou;
  if (Decisao == TDecisao::Derrota) return kPerdeu;
  if (Evento) return Evento->Nome;
  return {};
}

std::string VerificarOpcao(const TEngVarzeno& m, const TAcao& o) {
  if (m.Dinheiro + o.Dinheiro < 0) return kSemDinheiro;
  if (m.Popularidade + o.Popularidade < 0) return kPesquisaNegativa;
  if (m.Honestidade + o.Honestidade < 0) return kDescarado;
  return {};
}

TResposta TPartida::NovoJogo(const std::string& nomeJogador, int32_t oponentes) {
  Semente = SementeIntacta();
  Motor.reset();
  Motor = std::make_unique<TEngVarzeno>();
  TEngVarzeno& m = *Motor;
  m.Iniciar(10000, 1, 100, oponentes, kSemanasTurno1, false);
  m.NomeJogador = nomeJogador;

  // Opponents get distinct default names, never the player's own.
  std::array<bool, NomesPadrao.size()> usado{};
  for (size_t k = 0; k < NomesPadrao.size(); ++k) usado[k] = nomeJogador == NomesPadrao[k];
  for (int i = 1; i <= oponentes && i < m.Candidatos.Count(); ++i) {
    int32_t k;
    do {
      k = random(static_cast<int32_t>(NomesPadrao.size()));
    } while (usado[static_cast<size_t>(k)]);
    m.Candidatos[i]->Nome = NomesPadrao[static_cast<size_t>(k)];
    usado[static_cast<size_t>(k)] = true;
  }

  for (std::string& n : NomesTurno1) n.clear();
  m.CalcularPesquisa();

  TResposta r;
  r.LimparPainel = true;
  ProximaSemana(r);
  return r;
}

void TPartida::ProximaSemana(TResposta& r) {
  TEngVarzeno& m = *Motor;
  const bool rodadaEmCurso = m.Semanas > 0;
  std::unique_ptr<TAcaoList> l = m.SortearOpcoes();
  int inicio = 0;
  if ((*l)[0]->Evento) {
    m.Aplicar((*l)[0]);
    // After the last week an event has no effect, so it is not announced.
    if (rodadaEmCurso) r.Evento = (*l)[0];
    inicio = 1;
  }
  for (int k = 1; k <= 3; ++k) Opcoes[static_cast<size_t>(k)] = (*l)[inicio + k - 1];
  r.NovasOpcoes = true;
}

TResposta TPartida::ConfirmarAcao(int escolha) {
  TResposta r;
  if (!Motor) return r;
  if (Motor->Semanas != 0)
    JogarSemana(escolha, r);
  else if (!Motor->SegundoTurno)
    DecidirPrimeiroTurno(r);
  else
    DecidirSegundoTurno(r);
  return r;
}

void TPartida::JogarSemana(int escolha, TResposta& r) {
  TAcao* o = nullptr;
  if (escolha >= 1 && escolha <= 3) {
    o = Opcoes[static_cast<size_t>(escolha)];
    r.Recusa = VerificarOpcao(*Motor, *o);
    if (!r.Recusa.empty()) return;
  }
  TEngVarzeno& m = *Motor;
  TSemanaJogada& s = r.Semana;
  s.Turno = m.SegundoTurno ? 2 : 1;
  s.Semana = (m.SegundoTurno ? kSemanasTurno2 : kSemanasTurno1) - m.Semanas + 1;
  s.Acao = o;
  const int32_t semPenalidade = m.Popularidade + (o ? o->Popularidade : 0);
  m.Aplicar(o);
  s.Penalidade = semPenalidade - m.Popularidade;
  s.Dinheiro = m.Dinheiro;
  s.Popularidade = m.Popularidade;
  s.Honestidade = m.Honestidade;
  // The player's own entry: it bears the player's name and share.
  for (int p = 0; p < m.Ranking.Count(); ++p)
    if (m.Ranking[p]->Nome == m.NomeJogador && m.Ranking[p]->Percentual == m.Popularidade) {
      s.Posicao = p + 1;
      break;
    }
  s.Lider = m.Ranking[0]->Nome;
  s.PercentualLider = m.Ranking[0]->Percentual;
  r.SemanaJogada = true;
  if (AoJogarSemana) AoJogarSemana(*Motor);
  ProximaSemana(r);
}

void TPartida::DecidirPrimeiroTurno(TResposta& r) {
  TEngVarzeno& m = *Motor;
  r.Turno = 1;
  // The chart keeps the first round whatever the decision.
  for (int i = 0; i < m.Ranking.Count() && i < kMaxRanking; ++i) {
    const TOponente* e = m.Ranking[i];
    for (int s = 0; s <= 20; ++s)
      HistoricoTurno1[static_cast<size_t>(i)][static_cast<size_t>(s)] = e->Historico[static_cast<size_t>(s)];
    NomesTurno1[static_cast<size_t>(i)] = e->Nome;
  }

  const int32_t brancos = m.Candidatos[0]->Percentual;
  if (m.Popularidade > 51 - brancos) {
    r.Decisao = TDecisao::Vitoria;
    return;
  }
  int acima = 0;
  for (const TOponente* c : m.Candidatos)
    if (c->Percentual > m.Popularidade) ++acima;
  if (acima <= 1) {
    r.Decisao = TDecisao::SegundoTurno;
    IniciarSegundoTurno(r);
  } else {
    r.Decisao = TDecisao::Derrota;
  }
}

void TPartida::IniciarSegundoTurno(TResposta& r) {
  TEngVarzeno& m = *Motor;
  const std::string adversario = m.Ranking[0]->Nome != m.NomeJogador ? m.Ranking[0]->Nome : m.Ranking[1]->Nome;
  m.Iniciar(m.Dinheiro, m.Popularidade, m.Honestidade, 1, kSemanasTurno2, true);
  m.Candidatos[1]->Nome = adversario;
  r.LimparPainel = true;
  ProximaSemana(r);
}

void TPartida::DecidirSegundoTurno(TResposta& r) {
  TEngVarzeno& m = *Motor;
  r.Turno = 2;
  r.Decisao = TDecisao::Vitoria;
  for (const TOponente* c : m.Candidatos)
    if (c->Percentual > m.Popularidade) {
      r.Decisao = TDecisao::Derrota;
      break;
    }
}

}  // namespace varzeno

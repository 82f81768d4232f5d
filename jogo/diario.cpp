#include "diario.h"

#include "painel.h"
#include "textos.h"

namespace varzeno::jogo {

namespace {

TEfeitoDiario Efeito(const TAcao& a) { return {a.Nome, a.Dinheiro, a.Popularidade, a.Honestidade}; }

std::string Porcento(int32_t v) { return std::to_string(v) + "%"; }

std::string Turno(int turno) { return std::to_string(turno) + "o turno"; }

// RFC 4180: a field with the separator, a quote or a line break is quoted,
// its quotes doubled.
std::string Campo(const std::string& s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + '"';
}

std::string TextoEfeito(const TEfeitoDiario& e) {
  TAcao a;
  a.Nome = e.nome;
  a.Dinheiro = e.dinheiro;
  a.Popularidade = e.popularidade;
  a.Honestidade = e.honestidade;
  return TextoOpcao(a);
}

// Doing nothing reads as the panel's own line, with no effects after it.
std::string TextoAcao(const TEfeitoDiario& a) { return a.nome == kNaoFazerNada ? a.nome : TextoEfeito(a); }

}  // namespace

void TDiario::Registrar(const TPartida& partida, const TResposta& r) {
  if (!partida.Motor || !r.Recusa.empty()) return;
  const TEngVarzeno& m = *partida.Motor;
  // A new game: the panel is blanked with no round decided.
  if (r.LimparPainel && r.Decisao == TDecisao::Nenhuma) {
    *this = TDiario();
    iniciado_ = true;
    semente_ = partida.Semente;
  }
  if (r.SemanaJogada) {
    const TSemanaJogada& s = r.Semana;
    TEntradaDiario e;
    e.turno = s.Turno;
    e.semana = s.Semana;
    e.evento = std::move(eventoPendente_);
    e.acao = s.Acao ? Efeito(*s.Acao) : TEfeitoDiario{kNaoFazerNada};
    e.penalidade = s.Penalidade;
    e.dinheiro = s.Dinheiro;
    e.popularidade = s.Popularidade;
    e.honestidade = s.Honestidade;
    e.posicao = s.Posicao;
    e.lider = s.Lider;
    e.percentualLider = s.PercentualLider;
    entradas_.push_back(std::move(e));
  }
  eventoPendente_.reset();
  if (r.Evento) eventoPendente_ = Efeito(*r.Evento);
  if (r.Decisao == TDecisao::SegundoTurno) {
    TInicioSegundoTurno t;
    t.antes = entradas_.size();
    t.adversario = m.Candidatos[1]->Nome;
    t.bonus = entradas_.empty() ? 0 : m.Popularidade - entradas_.back().popularidade;
    segundo_ = std::move(t);
  } else if (r.FimDeJogo()) {
    resultado_ = r.Decisao;
    turnoResultado_ = r.Turno;
    pesquisaFinal_ = DescreverPesquisaFinal(partida);
  }
}

std::string DiarioCsv(const TDiario& d) {
  std::string f = "\xEF\xBB\xBF";
  f += "turno;semana;evento;evento_dinheiro;evento_popularidade;evento_honestidade;acao;acao_dinheiro;"
       "acao_popularidade;acao_honestidade;penalidade;dinheiro;popularidade;honestidade;posicao;lider;"
       "percentual_lider\r\n";
  for (const TEntradaDiario& e : d.Entradas()) {
    const auto n = [](int64_t v) { return std::to_string(v); };
    f += n(e.turno) + ';' + n(e.semana) + ';';
    if (e.evento)
      f += Campo(e.evento->nome) + ';' + n(e.evento->dinheiro) + ';' + n(e.evento->popularidade) + ';' +
           n(e.evento->honestidade) + ';';
    else
      f += ";;;;";
    f += Campo(e.acao.nome) + ';' + n(e.acao.dinheiro) + ';' + n(e.acao.popularidade) + ';' + n(e.acao.honestidade) +
         ';';
    f += n(e.penalidade) + ';' + n(e.dinheiro) + ';' + n(e.popularidade) + ';' + n(e.honestidade) + ';' +
         n(e.posicao) + ';' + Campo(e.lider) + ';' + n(e.percentualLider) + "\r\n";
  }
  return f;
}

std::string NomeArquivoDiario(const TDiario& d) {
  return d.Semente() ? "diario-campanha-semente-" + std::to_string(*d.Semente()) + ".csv" : "diario-campanha.csv";
}

TTabelaDiario TabelaDiario(const TDiario& d) {
  TTabelaDiario t;
  t.cabecalhoLinhas = "Semana";
  t.colunas = {"Evento", "Ação", "Penalidade", "Dinheiro", "Popularidade", "Honestidade", "Posição", "Líder"};
  const auto& segundo = d.SegundoTurno();
  const auto notaSegundoTurno = [&] {
    t.linhas.push_back({Turno(2), {"Segundo turno contra " + segundo->adversario +
                                   ". Bônus de popularidade: " + Porcento(segundo->bonus) + "."}});
  };
  for (size_t k = 0; k < d.Entradas().size(); ++k) {
    if (segundo && segundo->antes == k) notaSegundoTurno();
    const TEntradaDiario& e = d.Entradas()[k];
    t.linhas.push_back({Turno(e.turno) + ", semana " + std::to_string(e.semana),
                        {e.evento ? TextoEfeito(*e.evento) : std::string(), TextoAcao(e.acao),
                         Porcento(-e.penalidade), std::to_string(e.dinheiro), Porcento(e.popularidade),
                         std::to_string(e.honestidade), std::to_string(e.posicao) + "o",
                         e.lider + " " + Porcento(e.percentualLider)}});
  }
  if (segundo && segundo->antes == d.Entradas().size()) notaSegundoTurno();

  if (d.Resultado() != TDecisao::Nenhuma) {
    t.rodape.push_back(std::string("Resultado: ") + (d.Resultado() == TDecisao::Vitoria ? "vitória" : "derrota") +
                       " no " + Turno(d.TurnoDoResultado()) + ".");
    t.rodape.push_back(d.PesquisaFinal());
  } else {
    const size_t n = d.Entradas().size();
    t.rodape.push_back("Campanha em andamento: " + std::to_string(n) + (n == 1 ? " semana jogada." : " semanas jogadas."));
  }
  return t;
}

}  // namespace varzeno::jogo

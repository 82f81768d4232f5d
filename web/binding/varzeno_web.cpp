// The page's window on the game: the same TPartida and shared flow as the
// desktop, handed to JavaScript as plain objects. The page keeps only what
// it shows; every rule, text and draw stays here.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

#include "aleatorio.h"
#include "campanha_guardada.h"
#include "decisao.h"
#include "diario.h"
#include "foto.h"
#include "grafico_plano.h"
#include "jogo_ini.h"
#include "leiaute.h"
#include "nomes_acessiveis.h"
#include "painel.h"
#include "partida.h"
#include "passos.h"
#include "preparacao.h"
#include "resultado_compartilhado.h"
#include "textos.h"

using emscripten::val;
using namespace varzeno;

namespace {

TPartida partida;
jogo::TDiario diario;
// The campaign in progress as the browser keeps it, once one has started.
std::optional<jogo::TCampanhaGuardada> guardada;

template <class Lista>
val Vetor(const Lista& itens) {
  val v = val::array();
  for (const auto& i : itens) v.call<void>("push", val(std::string(i)));
  return v;
}

val Textos() {
  val t = val::object();
  t.set("seuNome", std::string(jogo::kSeuNome));
  t.set("versao", std::string(jogo::kVersao));
  t.set("numeroAdversarios", std::string(jogo::kNumeroAdversarios));
  t.set("escolhaCandidato", std::string(jogo::kEscolhaCandidato));
  t.set("naoFazerNada", std::string(jogo::kNaoFazerNada));
  t.set("graficoDesempenho", std::string(jogo::kGraficoDesempenho));
  t.set("dicaFoto", std::string(jogo::kDicaFoto));
  t.set("dicaCamera", std::string(jogo::kDicaCamera));
  t.set("dinheiro", std::string(jogo::kDinheiro));
  t.set("popularidade", std::string(jogo::kPopularidade));
  t.set("honestidade", std::string(jogo::kHonestidade));
  t.set("leiaMais", std::string(jogo::kLeiaMais));
  t.set("topoLeiaMais", jogo::kTopoLeiaMais);
  t.set("enderecoPagina", std::string(jogo::kEnderecoPagina));
  t.set("descricoes", Vetor(jogo::kDescricoes));
  val nomes = val::array();
  for (int k = 1; k <= 6; ++k) nomes.call<void>("push", val(jogo::NomeInicialCandidato(k)));
  t.set("nomesIniciais", nomes);
  val regras = val::array();
  for (const jogo::TTextoRegra& r : jogo::kRegras) {
    val o = val::object();
    o.set("titulo", r.titulo);
    o.set("topo", r.topo);
    o.set("altura", r.altura);
    o.set("texto", std::string(r.texto));
    regras.call<void>("push", o);
  }
  t.set("regras", regras);
  // What readers call the fixed controls and pages, by the ids they share.
  val nomesAcessiveis = val::object();
  for (const jogo::TNomeAcessivel& n : jogo::kNomesAcessiveis) nomesAcessiveis.set(n.controle, std::string(n.nome));
  t.set("nomesAcessiveis", nomesAcessiveis);
  t.set("nomeDaCaixaDeNome", std::string(jogo::kNomeDaCaixaDeNome));
  t.set("trocarFotoDe", std::string(jogo::kTrocarFotoDe));
  t.set("falas", [] {
    val f = val::object();
    f.set("campanhaIniciada", std::string(jogo::kCampanhaIniciada));
    f.set("teclasDaSemana", std::string(jogo::kTeclasDaSemana));
    f.set("deQuatro", std::string(jogo::kDeQuatro));
    f.set("pesquisa", std::string(jogo::kPesquisaDita));
    f.set("semPesquisa", std::string(jogo::kSemPesquisa));
    return f;
  }());
  t.set("minOponentes", jogo::kMinOponentes);
  t.set("maxOponentes", jogo::kMaxOponentes);
  return t;
}

// What a step asks the page to do, in the desktop's order.
val Resposta(const TResposta& r) {
  val o = val::object();
  o.set("recusa", r.Recusa);
  o.set("evento", r.Evento ? val(r.Evento->Nome) : val::null());
  o.set("semanaJogada", r.SemanaJogada);
  o.set("novasOpcoes", r.NovasOpcoes);
  o.set("limparPainel", r.LimparPainel);
  o.set("decisao", std::string(jogo::NomeDecisao(r.Decisao)));
  o.set("turno", r.Turno);
  o.set("fimDeJogo", r.FimDeJogo());
  o.set("som", r.Som() ? val(std::string(r.Som())) : val::null());
  o.set("mensagem", r.Mensagem());
  // What to show, in the order the desktop shows it: [{ passo, texto }].
  val passos = val::array();
  for (const jogo::TPassoMostrar& p : jogo::PassosDe(r)) {
    val v = val::object();
    v.set("passo", std::string(jogo::NomeDoPasso(p.passo)));
    v.set("texto", p.texto);
    passos.call<void>("push", v);
  }
  o.set("passos", passos);
  return o;
}

val Painel(const jogo::TPainel& p) {
  val o = val::object();
  o.set("dinheiro", p.dinheiro);
  o.set("popularidade", p.popularidade);
  o.set("honestidade", p.honestidade);
  o.set("opcoes", Vetor(p.opcoes));
  o.set("linhas", p.linhas);
  o.set("nomes", Vetor(p.nomes));
  o.set("partes", Vetor(p.partes));
  o.set("semanas", p.semanas);
  return o;
}

// Every step goes through the diary, as on the desktop.
val Registrar(const TResposta& r) {
  diario.Registrar(partida, r);
  return Resposta(r);
}
val NovoJogo(const std::string& nome, int oponentes) { return Registrar(partida.NovoJogo(nome, oponentes)); }
val Confirmar(int escolha) { return Registrar(partida.ConfirmarAcao(escolha)); }

val Bytes(const std::string& b) {
  return val::global("Uint8Array").new_(val(emscripten::typed_memory_view(b.size(), reinterpret_cast<const uint8_t*>(b.data()))));
}

// The diary as the page shows it, with its file's name and the campaign's
// seed (-1 when it has none).
val Diario() {
  const jogo::TTabelaDiario t = jogo::TabelaDiario(diario);
  val o = val::object();
  o.set("titulo", std::string(jogo::kTituloDiario));
  o.set("exportar", std::string(jogo::kExportarDiario));
  o.set("cabecalhoLinhas", t.cabecalhoLinhas);
  o.set("colunas", Vetor(t.colunas));
  val linhas = val::array();
  for (const auto& l : t.linhas) {
    val v = val::object();
    v.set("cabecalho", l.cabecalho);
    v.set("celulas", Vetor(l.celulas));
    linhas.call<void>("push", v);
  }
  o.set("linhas", linhas);
  o.set("rodape", Vetor(t.rodape));
  o.set("semente", diario.Semente() ? static_cast<double>(*diario.Semente()) : -1.0);
  o.set("nomeArquivo", jogo::NomeArquivoDiario(diario));
  return o;
}
val PainelAtual() { return partida.Motor ? Painel(jogo::ComporPainel(partida)) : val::null(); }
val PainelVazio() { return Painel(jogo::PainelVazio()); }

// The chart of the finished game; segments as [x0, y0, x1, y1, colour] each.
val Grafico(int oponentes, int largura) {
  const TPlanoGrafico g = PlanejarGrafico(partida, oponentes, largura);
  val o = val::object();
  o.set("nomes", Vetor(g.nomes));
  o.set("passo", g.passo);
  o.set("divisor", g.divisor);
  val cores = val::array();
  for (uint32_t c : CoresGrafico) cores.call<void>("push", c);
  o.set("cores", cores);
  val segs = val::array();
  for (const TSegmento& s : g.segmentos) {
    val v = val::array();
    for (int n : {s.x0, s.y0, s.x1, s.y1, s.cor}) v.call<void>("push", n);
    segs.call<void>("push", v);
  }
  o.set("segmentos", segs);
  return o;
}

std::string PesquisaFinal() { return jogo::DescreverPesquisaFinal(partida); }
// The seed a text gives, or -1 when it gives none.
double LerSemente(const std::string& texto) {
  const auto s = jogo::LerSemente(texto);
  return s ? static_cast<double>(*s) : -1.0;
}

// Seeds the game's generator: a shared campaign's seed, or the clock's.
void Semear(uint32_t semente) { RandSeed(semente); }
uint32_t SemearDoRelogio() { return Randomize(); }

// jogo.ini: bytes in as a Uint8Array, out as one.
std::string VerificarJogoIni(const std::string& bytes) { return jogo::VerificarJogoIni(bytes); }

val LerJogoIni(const std::string& bytes) {
  val v = val::array();
  for (const jogo::TCandidatoIni& c : jogo::InterpretarJogoIni(bytes)) {
    val o = val::object();
    o.set("foto", c.foto);
    o.set("nome", c.nome);
    o.set("descricao", c.descricao);
    v.call<void>("push", o);
  }
  return v;
}

// { bytes } or { erro } when a value cannot be stored.
val MontarJogoIni(val candidatos) {
  jogo::TCandidatosIni c;
  for (unsigned k = 0; k < 6; ++k) {
    val o = candidatos[k];
    c[k] = {o["foto"].as<std::string>(), o["nome"].as<std::string>(), o["descricao"].as<std::string>()};
  }
  val r = val::object();
  try {
    const std::string b = jogo::MontarJogoIni(c);
    r.set("bytes", Bytes(b));
  } catch (const jogo::TValorIni& e) {
    r.set("erro", std::string(e.what()));
  }
  return r;
}

bool CabeNoJogoIni(const std::string& texto) { return jogo::CabeNoJogoIni(texto); }

// Where each widget sits: { name: { x, y, w, h, fonte } }, the desktop's table.
val Leiaute() {
  val t = val::object();
  for (const jogo::TLugar& l : jogo::kLeiaute) {
    val o = val::object();
    o.set("x", l.x);
    o.set("y", l.y);
    o.set("w", l.w);
    o.set("h", l.h);
    o.set("fonte", l.fonte);
    t.set(l.nome, o);
  }
  return t;
}

// A campaign the browser keeps: seeded at its start, every step recorded.
val NovoJogoGuardado(uint32_t semente, const std::string& nome, int oponentes, double id) {
  RandSeed(semente);
  guardada = jogo::TCampanhaGuardada{};
  guardada->id = id;
  guardada->semente = semente;
  guardada->nome = nome;
  guardada->oponentes = oponentes;
  return Registrar(partida.NovoJogo(nome, oponentes));
}

val ConfirmarGuardado(int escolha) {
  const TResposta r = partida.ConfirmarAcao(escolha);
  if (guardada) guardada->Registrar(escolha, r);
  return Registrar(r);
}

// The record to store, with the mark on show and whether the step's message is still up.
std::string CampanhaGuardada(int marca, bool mensagemAberta) {
  if (!guardada) return {};
  guardada->marca = marca;
  guardada->mensagemAberta = mensagemAberta;
  return jogo::GravarCampanha(*guardada);
}

// Plays a kept record again: { resposta, semente, nome, oponentes, id, marca,
// mensagemAberta }, or { erro } with the player's message; a record that
// cannot be used leaves the game as it was.
val RetomarCampanha(const std::string& texto) {
  val o = val::object();
  try {
    jogo::TCampanhaGuardada c = jogo::LerCampanha(texto);
    // The diary is written again by the replay, and kept only if it succeeds.
    jogo::TDiario novo;
    o.set("resposta", Resposta(jogo::RetomarCampanha(partida, c, [&](const TPartida& p, const TResposta& r) {
      novo.Registrar(p, r);
    })));
    diario = std::move(novo);
    o.set("semente", c.semente);
    o.set("nome", c.nome);
    o.set("oponentes", c.oponentes);
    o.set("id", c.id);
    o.set("marca", c.marca);
    o.set("mensagemAberta", c.mensagemAberta);
    guardada = std::move(c);
  } catch (const jogo::TCampanhaInvalida& e) {
    o.set("erro", jogo::MensagemCampanhaDescartada(e.what()));
  }
  return o;
}

// A record's start and steps, to tell whether another tab plays the same
// campaign and has moved it on: { id, passos }, or null if it is none.
val ResumoDaCampanha(const std::string& texto) {
  try {
    const jogo::TCampanhaGuardada c = jogo::LerCampanha(texto);
    std::string passos;
    for (const int j : c.jogadas) passos += static_cast<char>('0' + j);
    val o = val::object();
    o.set("id", c.id);
    o.set("passos", passos + "/" + std::to_string(c.recusa));
    return o;
  } catch (const jogo::TCampanhaInvalida&) {
    return val::null();
  }
}

}  // namespace

EMSCRIPTEN_BINDINGS(varzeno) {
  emscripten::function("textos", &Textos);
  emscripten::function("verificarCandidato", &jogo::VerificarCandidatoEscolhido);
  emscripten::function("passoOponentes", &jogo::PassoOponentes);
  emscripten::function("novoJogo", &NovoJogo);
  emscripten::function("confirmar", &Confirmar);
  emscripten::function("painel", &PainelAtual);
  emscripten::function("painelVazio", &PainelVazio);
  emscripten::function("grafico", &Grafico);
  emscripten::function("pesquisaFinal", &PesquisaFinal);
  emscripten::function("semPontos", &jogo::SemPontos);
  emscripten::function("verificarJogoIni", &VerificarJogoIni);
  emscripten::function("lerJogoIni", &LerJogoIni);
  emscripten::function("montarJogoIni", &MontarJogoIni);
  emscripten::function("cabeNoJogoIni", &CabeNoJogoIni);
  emscripten::function("leiaute", &Leiaute);
  emscripten::function("tamanhoMaximoIni", +[] { return static_cast<double>(jogo::kTamanhoMaximoIni); });
  emscripten::function("lerSemente", &LerSemente);
  emscripten::function("verificarFoto", +[](const std::string& nome, double bytes, int largura, int altura) {
    return jogo::VerificarFoto(nome, static_cast<int64_t>(bytes), largura, altura);
  });
  emscripten::function("semear", &Semear);
  emscripten::function("diario", &Diario);
  // Whether there is a diary to open, asked at every page: without its table.
  emscripten::function("diarioVazio", +[] { return diario.Vazio(); });
  emscripten::function("diarioCsv", +[] { return Bytes(jogo::DiarioCsv(diario)); });
  emscripten::function("semearDoRelogio", &SemearDoRelogio);
  emscripten::function("novoJogoGuardado", &NovoJogoGuardado);
  emscripten::function("confirmarGuardado", &ConfirmarGuardado);
  emscripten::function("campanhaGuardada", &CampanhaGuardada);
  emscripten::function("retomarCampanha", &RetomarCampanha);
  emscripten::function("resumoDaCampanha", &ResumoDaCampanha);
  emscripten::function("linhaDoResultado", +[](bool venceu) { return jogo::LinhaDoResultado(partida, venceu); });
}

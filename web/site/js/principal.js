// The game's window in the page: the pages, the panel and the week, driven
// by the engine compiled from the desktop's own C++. Loaded by inicio.js once
// the title page is up.
import criarMotor from './varzeno.js';
import { ligarBotao } from './botao.js';
import * as dialogo from './dialogo.js';
import { desenharGrafico } from './grafico.js';
import { ligarTeclado } from './teclado.js';
import { montarCandidatos } from './candidatos.js';
import { montarRegras } from './regras.js';
import { montarPainel, escreverPainel, anunciarSemana } from './painel.js';
import { lerSemente } from './semente.js';
import { montarBarra } from './rolagem.js';
import { criarArmazem } from './armazenamento.js';
import { ligarArquivoIni } from './arquivo_ini.js';
import { ligarGirar } from './girar.js';
import { enderecoDaCampanha } from './semente.js';
import { ligarDiario } from './diario.js';
import { criarCampanha } from './campanha.js';
import { ligarCompartilhar } from './compartilhar.js';
import * as som from './som.js';
import { dizer, inicioDaCampanha } from './falas.js';

const $ = (id) => document.getElementById(id);
ligarGirar();
const motor = await criarMotor();
const T = motor.textos();
// Where each widget sits: the desktop's table.
const leiaute = motor.leiaute();
// What readers call the fixed controls and pages: the desktop's own table.
for (const [id, nome] of Object.entries(T.nomesAcessiveis)) ($(id) ?? $('pg' + id)).setAttribute('aria-label', nome);
const semente = lerSemente(location.search, motor);
const estado = { pagina: 'Default', escolha: 0, oponentes: T.minOponentes, nomeJogador: T.seuNome, graficoPronto: false };
window.varzeno = { estado, semente, motor, som: som.estadoDoSom };  // for the tests and the curious

// The play area sits under the pages, which cover it whole: while they show
// it is not there for the mouse, the keyboard or a reader.
const areaDeJogo = ['semana', 'Label8', 'Label2', 'Label3', 'Label4', 'Label9', 'Image4', 'Image9'].map($);

function mostrarPagina(nome) {
  estado.pagina = nome;
  $('Abook').hidden = nome === null;
  for (const s of document.querySelectorAll('.pagina')) s.hidden = s.id !== 'pg' + nome;
  for (const el of areaDeJogo) el.hidden = nome !== null;
  if (nome !== 'Grafico') $('compartilhar').hidden = true;
  diario.atualizar();
  if (nome in barras) {
    const caixa = $(nome === 'regras' ? 'ScrollBox1' : 'ScrollBox2');
    barras[nome] ??= montarBarra(caixa);
    barras[nome]();
  }
  focarInicio();
}

// The first control of what is on show takes the focus.
function focarInicio() {
  const primeiro = {
    Default: 'Image1',
    regras: 'ScrollBox1',
    Candidatos: 'Fcan1',
    adversarios: 'UpDown1',
    Grafico: $('imgBtn').hidden ? null : 'imgBtn',
  };
  const id = estado.pagina === null ? marcaDe(estado.escolha).id : primeiro[estado.pagina];
  if (id && !dialogo.aberto()) $(id).focus({ preventScroll: true });
}

function marcaDe(escolha) {
  return $('Trava' + (escolha === 0 ? 4 : escolha));
}

function marcar(escolha, focar) {
  estado.escolha = escolha;
  marcaDe(escolha).checked = true;
  if (focar) marcaDe(escolha).focus();
  campanha.marcou();
}

// Shows what a step of the game asks for, in the order both editions share;
// what follows the end's message waits for its Ok, as on the desktop.
function mostrar(r) {
  executar(r.passos);
}

function executar(passos) {
  for (const [i, { passo, texto }] of passos.entries()) {
    switch (passo) {
      case 'recusa':
      case 'mensagemEvento':
        dialogo.mostrar(texto);
        break;
      case 'limparPainel':
        escreverPainel(motor.painelVazio(), motor);
        break;
      case 'escreverPainel':
        escreverPainel(motor.painel(), motor);
        window.varzeno.painelEscrito = performance.now();
        break;
      case 'anunciarSemana':
        anunciarSemana(motor.painel(), texto || null);
        break;
      case 'som':
        tocar(texto);
        break;
      case 'mensagemFim':
        dialogo.mostrar(texto, () => executar(passos.slice(i + 1)));
        return;
      case 'grafico':
        iniciarGrafico();
        break;
    }
  }
}

function tocar(nome) {
  if (nome) som.tocar(nome);
  else som.parar();
}

async function iniciarGrafico() {
  tocar('musica.wav');
  estado.graficoPronto = false;
  $('imgBtn').hidden = true;
  $('descricaoGrafico').textContent = motor.pesquisaFinal();
  $('diarioDica').textContent = `${motor.diario().titulo}: tecla D, ou o botão abaixo do jogo.`;
  mostrarPagina('Grafico');
  const plano = motor.grafico(estado.oponentes, leiaute.imgGraf.w);
  window.varzeno.duracaoGrafico = await desenharGrafico(plano, $('imgNomes'), $('imgGraf'),
    Number(window.varzeno.pausaGrafico ?? 125));
  // The player may have left with the close button meanwhile.
  if (estado.pagina !== 'Grafico') return;
  $('imgBtn').hidden = false;
  estado.graficoPronto = true;
  diario.atualizar();
  // The same campaign, to share: this seed, the same choices.
  const link = $('compartilhar');
  link.href = enderecoDaCampanha(campanha.semente());
  link.hidden = false;
  // The chart in words, once, when it is complete.
  $('aviso').textContent = `${T.graficoDesempenho}. ${motor.pesquisaFinal()}`;
  focarInicio();
}

// From the chart back to the title: the title shows and takes the focus
// first, the chart hides a moment later. Chromium reports what hides before
// where the focus went, and Orca, its focus gone with the chart, would move
// it silently to the title's button and then not say it.
function voltarAoTitulo() {
  estado.pagina = 'Default';
  $('compartilhar').hidden = true;
  diario.atualizar();
  $('pgDefault').hidden = false;
  $('Image1').focus({ preventScroll: true });
  setTimeout(() => {
    $('imgBtn').hidden = true;
    if (estado.pagina === 'Default') mostrarPagina('Default');
  }, 100);
}

function novoJogo() {
  mostrar(campanha.novoJogo(estado.nomeJogador, estado.oponentes));
  mostrarPagina(null);
  $('Label14').textContent = estado.nomeJogador;
  $('lidoNome').textContent = estado.nomeJogador;
  tocar(null);
  dizerInicio();
}

// The campaign's start in words, as the desktop says it.
function dizerInicio() {
  dizer(inicioDaCampanha(estado.escolha));
}

function passoOponentes(d) {
  estado.oponentes = motor.passoOponentes(estado.oponentes, d);
  const spin = $('UpDown1');
  spin.setAttribute('aria-valuenow', estado.oponentes);
  spin.setAttribute('aria-valuetext', String(estado.oponentes));
  // Cell 0 is on show; the strip holds the digits 2 to 5 after it.
  $('Dig').style.backgroundPosition = `${-17 * (estado.oponentes - 1)}px 0`;
}

function escolherCandidato(k) {
  const foto = $('Fcan' + k).querySelector('img');
  $('Image2').src = foto.currentSrc || foto.src;
  estado.nomeJogador = $('Ncan' + k).value;
  $('lblNomeJog').textContent = estado.nomeJogador;
  mostrarPagina('adversarios');
}

// A kept campaign played again: the week as it was, with its message if
// one was up, or the chart of a finished campaign; `alcancando` when another
// tab moved it on while this one showed it.
function retomar(c, alcancando) {
  const r = c.resposta;
  estado.nomeJogador = c.nome;
  estado.oponentes = c.oponentes;
  passoOponentes(0);
  for (const id of ['Label14', 'lidoNome', 'lblNomeJog']) $(id).textContent = c.nome;
  if (dialogo.aberto()) dialogo.fechar();
  escreverPainel(motor.painelVazio(), motor);
  escreverPainel(motor.painel(), motor);
  estado.escolha = c.marca;
  marcaDe(c.marca).checked = true;
  if (r.fimDeJogo && !c.mensagemAberta) {
    if (estado.pagina !== 'Grafico') iniciarGrafico();
    return;
  }
  if (!alcancando || estado.pagina !== null) tocar(null);
  mostrarPagina(null);
  anunciarSemana(motor.painel(), c.mensagemAberta ? r.mensagem : null);
  if (c.mensagemAberta) dialogo.mostrar(r.mensagem, r.fimDeJogo ? iniciarGrafico : undefined);
}

function fechar() {
  // A page cannot end itself: the close button takes the player back to
  // the title, as a fresh start of the game would.
  dialogo.fechar();
  mostrarPagina('Default');
}

// Fixed texts, from the shared flow.
$('Label39').textContent = T.versao;
$('Label19').textContent = T.numeroAdversarios;
$('Label9').textContent = T.naoFazerNada;
$('Label13').textContent = T.graficoDesempenho;
$('lblNomeJog').textContent = T.seuNome;
for (const id of ['bt1', 'bt3', 'bt5']) $(id).classList.add('esquerda');
for (const id of ['bt2', 'bt4']) $(id).classList.add('direita');
montarPainel(T, motor);
// The diary opens while a campaign is played and once its chart has drawn.
const diario = ligarDiario(motor, () => !motor.diarioVazio() && (estado.pagina === null || (estado.pagina === 'Grafico' && estado.graficoPronto)));
$('abrirDiario').textContent = motor.diario().titulo;
$('diarioExportar').textContent = motor.diario().exportar;
// The rest of the set-up in a task of its own: on a slow phone no single
// task then holds up the page for long.
await new Promise((seguir) => setTimeout(seguir));
montarRegras(T);
let armazem = null;
const candidatos = montarCandidatos(T, {
  escolher: escolherCandidato,
  aviso: (m) => dialogo.mostrar(m),
  cabe: (t) => motor.cabeNoJogoIni(t),
  verificar: (nome, bytes, w, h) => motor.verificarFoto(nome, bytes, w, h),
  leiaute,
  aoMudar: () => armazem.gravar(candidatos.ler()),
});
armazem = criarArmazem({ aviso: (m) => dialogo.mostrar(m), aoMudarFora: (lista) => candidatos.aplicar(lista) });
const guardados = armazem.ler();
if (guardados) candidatos.aplicar(guardados);
ligarArquivoIni({ motor, candidatos, aviso: (m) => dialogo.mostrar(m), aoImportar: () => armazem.gravar(candidatos.ler()) });
// The bars are measured once their page is laid out.
const barras = { regras: null, Candidatos: null };

const campanha = criarCampanha({
  motor,
  sementeDaPagina: semente,
  // A shared campaign's seed names every campaign of its page; a clock's, the first only.
  sementeDoEndereco: motor.lerSemente(new URLSearchParams(location.search).get('semente') ?? '') >= 0 ? semente : null,
  marca: () => estado.escolha,
  aoRetomar: retomar,
});
window.varzeno.campanha = campanha;
ligarCompartilhar({
  link: $('compartilhar'),
  linha: () => motor.linhaDoResultado(campanha.venceu()),
  confirmar: (texto) => {
    const el = $('linkCopiado');
    el.textContent = texto;
    setTimeout(() => el.textContent === texto && (el.textContent = ''), 5000);
  },
});

const acoes = {
  Image1: () => mostrarPagina('regras'),
  bt1: () => mostrarPagina('Default'),
  bt2: () => mostrarPagina('Candidatos'),
  bt3: () => mostrarPagina('regras'),
  bt4: () => {
    const recusa = motor.verificarCandidato($('lblNomeJog').textContent);
    if (recusa) dialogo.mostrar(recusa);
    else mostrarPagina('adversarios');
  },
  bt5: () => mostrarPagina('Candidatos'),
  Image3: novoJogo,
  Image4: () => {
    if (!dialogo.aberto()) mostrar(campanha.confirmar(estado.escolha));
  },
  imgBtn: () => {
    voltarAoTitulo();
    campanha.encerrar();
  },
  Image9: () => som.botaoMusica(),
  Fim: () => {
    fechar();
    campanha.encerrar();
  },
  btn: () => dialogo.fechar(),
  camera: (k) => candidatos.trocarFoto(k),
};
for (const id of ['Image1', 'bt1', 'bt2', 'bt3', 'bt4', 'bt5', 'Image3', 'Image4', 'Image9', 'Fim']) {
  ligarBotao($(id), { aoSoltar: acoes[id] });
}
// The chart's Ok acts at the press, as on the desktop.
ligarBotao($('imgBtn'), { aoSoltar: acoes.imgBtn, emPressao: true });
$('Fim').tabIndex = -1;  // reached by Ctrl+Q, as on the desktop

// The marks answer at the press.
for (let i = 1; i <= 4; ++i) {
  const marca = $('Trava' + i);
  const escolha = i === 4 ? 0 : i;
  marca.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    marcar(escolha, true);
  });
  marca.addEventListener('change', () => marcar(escolha, false));
}

const spin = $('UpDown1');
ligarBotao($('UpDownAcima'), { aoSoltar: () => passoOponentes(+1) });
ligarBotao($('UpDownAbaixo'), { aoSoltar: () => passoOponentes(-1) });
passoOponentes(0);

ligarTeclado({
  lugar: () => estado.pagina ?? 'Jogo',
  dialogoAberto: dialogo.aberto,
  marcar,
  escolha: () => estado.escolha,
  rolarRegras: (t) => {
    const caixa = $('ScrollBox1');
    const passo = Math.round(caixa.clientHeight / 4);
    if (t === 'ArrowUp') caixa.scrollTop -= passo;
    if (t === 'ArrowDown') caixa.scrollTop += passo;
    if (t === 'Home') caixa.scrollTop = 0;
    if (t === 'End') caixa.scrollTop = caixa.scrollHeight;
  },
  passoOponentes,
  escolherCandidato,
  abrirDiario: () => diario.abrir(),
  acoes,
});

mostrarPagina('Default');
// The start-up music, as on the desktop, from the first click or key.
tocar('musica.wav');
// A campaign the browser kept, where it was left.
campanha.retomar();
for (const tipo of ['pointerdown', 'keydown']) document.addEventListener(tipo, som.primeiroGesto, { capture: true });
document.documentElement.dataset.pronto = '1';
// The pictures the title page does not show are marked lazy in the page, so
// the first paint does not wait on them; once the page has loaded they all
// load, long before a page shows them. This module may run past the load
// event: it waits for the engine.
const carregarOResto = () => document.querySelectorAll('img[loading="lazy"]').forEach((img) => (img.loading = 'eager'));
if (document.readyState === 'complete') carregarOResto();
else addEventListener('load', carregarOResto, { once: true });
// After one visit the game plays with no network, and installs.
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});

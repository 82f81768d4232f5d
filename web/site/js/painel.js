// The status panel: the labels as the desktop draws them (hidden from
// screen readers), and beside them the same panel as lists that read well.
import { montarFalas, nomearMarcas, dizer, situacao } from './falas.js';
import { depoisDeFechar } from './dialogo.js';

// Their places are the stylesheet's, from the table the desktop builds from.
const $ = (id) => document.getElementById(id);
let T = null;

function rotulo(pai, id, classe, texto) {
  const el = document.createElement('span');
  el.id = id;
  el.className = classe;
  el.textContent = texto;
  pai.appendChild(el);
  return el;
}

export function montarPainel(textos, motor) {
  T = textos;
  montarFalas(textos, motor);
  const painel = $('painel');
  const vazio = motor.painelVazio();
  for (let r = 0; r < vazio.nomes.length; ++r) {
    rotulo(painel, 'Can' + (r + 1), 'can', vazio.nomes[r]);
    rotulo(painel, 'Per' + (r + 1), 'per', vazio.partes[r]);
  }
  rotulo(painel, 'Label5', 'legenda', T.dinheiro);
  rotulo(painel, 'Label6', 'legenda', T.popularidade);
  rotulo(painel, 'Label7', 'legenda', T.honestidade);
  rotulo(painel, 'Label10', 'valor', '0');
  rotulo(painel, 'Label11', 'valor', '0');
  rotulo(painel, 'Label12', 'valor', '0');
  rotulo(painel, 'Label14', 'legenda', '');
  for (let k = 1; k <= 3; ++k) $('Label' + (k + 1)).textContent = 'Label' + (k + 1);
  $('Label8').textContent = 'Label8';
}

// Writes what the shared composition says; what it leaves empty stays.
export function escreverPainel(p, motor) {
  $('Label10').textContent = p.dinheiro;
  $('Label11').textContent = p.popularidade;
  $('Label12').textContent = p.honestidade;
  p.opcoes.forEach((o, k) => {
    if (o) $('Label' + (k + 2)).textContent = o;
  });
  for (let r = 0; r < p.linhas; ++r) {
    $('Can' + (r + 1)).textContent = p.nomes[r];
    $('Per' + (r + 1)).textContent = p.partes[r];
  }
  if (p.semanas) $('Label8').textContent = p.semanas;

  // Read: a row the poll does not fill shows only dots, and is not read.
  const pesquisa = [];
  for (let r = 0; r < 7; ++r) {
    const nome = motor.semPontos($('Can' + (r + 1)).textContent);
    if (nome) pesquisa.push(`${nome}: ${$('Per' + (r + 1)).textContent}`);
  }
  preencher($('lidoPesquisa'), pesquisa);
  preencher($('lidoEstatisticas'), estatisticas());
  nomearMarcas();
}

function estatisticas() {
  return [
    `${T.dinheiro} ${$('Label10').textContent}`,
    `${T.popularidade} ${$('Label11').textContent}`,
    `${T.honestidade} ${$('Label12').textContent}`,
  ];
}

function preencher(lista, itens) {
  lista.replaceChildren(...itens.map((t) => Object.assign(document.createElement('li'), { textContent: t })));
}

// A passing week is announced once, quiet or not: the weeks left and the
// statistics; after an adverse event, once its message has been closed.
export function anunciarSemana(p, evento) {
  if (evento) {
    $('aviso').textContent = '';
    depoisDeFechar(() => dizer(situacao()));
  } else {
    dizer(situacao());
  }
}

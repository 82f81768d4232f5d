// The campaign diary: a table of the weeks so far, over the page in a modal
// dialog of its own (Esc or Ok closes it), its file to take away, and the
// campaign's link. Every text and number comes from the shared model.
import { enderecoDaCampanha } from './semente.js';

const $ = (id) => document.getElementById(id);

function celula(tipo, texto, atributos = {}) {
  const c = document.createElement(tipo);
  c.textContent = texto;
  for (const [k, v] of Object.entries(atributos)) c.setAttribute(k, v);
  return c;
}

// The table, built afresh from the model each time the diary opens.
function escrever(d) {
  $('diarioTitulo').textContent = d.titulo;
  const tabela = $('diarioTabela');
  tabela.replaceChildren();
  tabela.append(celula('caption', d.titulo));
  const cabeca = document.createElement('tr');
  cabeca.append(celula('th', d.cabecalhoLinhas, { scope: 'col' }), ...d.colunas.map((c) => celula('th', c, { scope: 'col' })));
  const thead = document.createElement('thead');
  thead.append(cabeca);
  const tbody = document.createElement('tbody');
  for (const l of d.linhas) {
    const tr = document.createElement('tr');
    tr.append(celula('th', l.cabecalho, { scope: 'row' }));
    // A note row (the run-off's start) spans every column.
    if (l.celulas.length === 1) tr.append(celula('td', l.celulas[0], { colspan: String(d.colunas.length), class: 'nota' }));
    else tr.append(...l.celulas.map((c) => celula('td', c)));
    tbody.append(tr);
  }
  tabela.append(thead, tbody);
  $('diarioRodape').replaceChildren(...d.rodape.map((t) => celula('p', t)));
  const link = $('diarioLink');
  link.hidden = d.semente < 0;
  if (d.semente >= 0) {
    link.href = enderecoDaCampanha(d.semente);
    link.textContent = `Link desta campanha: ${link.href}`;
  }
}

// Hands the file to the browser as a download.
function baixar(bytes, nome) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'text/csv;charset=utf-8' }));
  const a = document.createElement('a');
  a.href = url;
  a.download = nome;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 0);
}

// motor: the engine; podeAbrir(): whether a campaign's diary is there to show.
export function ligarDiario(motor, podeAbrir) {
  const janela = $('diario');
  const botao = $('abrirDiario');
  const abrir = () => {
    if (!podeAbrir() || janela.open) return;
    escrever(motor.diario());
    janela.showModal();
    $('diarioOk').focus();
  };
  botao.addEventListener('click', abrir);
  $('diarioOk').addEventListener('click', () => janela.close());
  $('diarioExportar').addEventListener('click', () => baixar(motor.diarioCsv(), motor.diario().nomeArquivo));
  // The page's own keys stay out while the diary is up.
  janela.addEventListener('keydown', (e) => e.stopPropagation());
  janela.addEventListener('keyup', (e) => e.stopPropagation());
  return {
    abrir,
    aberto: () => janela.open,
    // The control below the window shows while there is a diary to open.
    atualizar: () => {
      botao.hidden = !podeAbrir();
    },
  };
}

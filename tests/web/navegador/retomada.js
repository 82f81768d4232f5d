// A campaign played step by step in any browser, the same steps whatever
// breaks it, and what the page shows after each: the walk the resumed
// campaign must follow to end as the unbroken one.
//   b = { avaliar(fn, arg), clicar(seletor) }
import { setTimeout as pausa } from 'node:timers/promises';

// What the player sees: the page, the message up, the mark, the panel.
export const quadro = () => {
  const t = (id) => document.getElementById(id).textContent;
  const rotulos = ['Label2', 'Label3', 'Label4', 'Label8', 'Label10', 'Label11', 'Label12', 'Label14'];
  for (let r = 1; r <= 7; ++r) rotulos.push('Can' + r, 'Per' + r);
  const dialogo = !document.getElementById('formDialog').hidden;
  return JSON.stringify({
    pagina: window.varzeno.estado.pagina,
    mensagem: dialogo ? t('lblMensagem') : null,
    marca: document.querySelector('input[name=escolha]:checked')?.value ?? null,
    painel: rotulos.map(t),
  });
};

// The choice of the i-th step: every mark in turn, so some weeks ask for
// what the player cannot afford and are refused. A refused week is two
// steps (the mark, the refusal's Ok), so while refusals follow each other
// the mark still moves on and reaches "Não fazer nada." within four: the
// walk ends whatever the seed (a mark that moved by two each step could
// ask for two dear options for ever).
export const escolhaDoPasso = (i) => (Math.floor(i / 2) + 3) % 4;

// One step: the message's Ok if one is up, else a mark and the confirm.
// False once the chart is up (the campaign is over).
export async function passo(b, i) {
  const { pagina, mensagem } = JSON.parse(await b.avaliar(quadro));
  if (pagina === 'Grafico') return false;
  if (mensagem === null) {
    const k = escolhaDoPasso(i);
    await b.clicar('#Trava' + (k === 0 ? 4 : k));
  }
  const antes = await b.avaliar(quadro);
  await b.clicar(mensagem === null ? '#Image4' : '#btn');
  await esperarQuadro(b, (q) => q !== antes);
  return true;
}

// Waits until what the page shows passes `condicao`; returns it.
export async function esperarQuadro(b, condicao, prazo = 20000) {
  const fim = Date.now() + prazo;
  for (;;) {
    const q = await b.avaliar(quadro);
    if (condicao(q)) return q;
    if (Date.now() > fim) throw new Error(`the page still shows ${q}`);
    await pausa(25);
  }
}

// From the title page to the first week: candidate slot 3, three opponents.
export async function comecar(b) {
  await b.clicar('#Image1');
  await b.clicar('#bt2');
  await b.avaliar(() => document.getElementById('Fcan3').dispatchEvent(new MouseEvent('dblclick', { bubbles: true })));
  await b.clicar('#UpDownAcima');
  await b.clicar('#Image3');
  await esperarQuadro(b, (q) => JSON.parse(q).pagina === null);
  await b.avaliar(() => (window.varzeno.pausaGrafico = 1));
}

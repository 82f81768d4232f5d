// The message: an alert dialog at the desktop's place over the window, with
// its Ok. While it is up nothing else of the window can be reached.
import { ligarBotao } from './botao.js';

const dialogo = document.getElementById('formDialog');
const texto = document.getElementById('lblMensagem');
const ok = document.getElementById('btn');
let aoFechar = [];
let focoAnterior = null;
let inertesAntes = new Map();

function resto() {
  return [...document.getElementById('janela').children].filter((el) => el !== dialogo);
}

export function aberto() {
  return !dialogo.hidden;
}

// Shows the text; `depois` runs once the player has pressed Ok.
export function mostrar(mensagem, depois) {
  texto.textContent = mensagem;
  if (depois) aoFechar.push(depois);
  if (!aberto()) {
    focoAnterior = document.activeElement;
    inertesAntes = new Map(resto().map((el) => [el, el.inert]));
    for (const el of resto()) el.inert = true;
  }
  dialogo.hidden = false;
  ok.focus();
}

export function fechar() {
  if (!aberto()) return;
  dialogo.hidden = true;
  for (const [el, antes] of inertesAntes) el.inert = antes;
  const esperas = aoFechar;
  aoFechar = [];
  if (focoAnterior && focoAnterior.isConnected && !focoAnterior.closest('[hidden]')) focoAnterior.focus();
  for (const f of esperas) f();
}

// `f` runs once the message about to show has been closed.
export function depoisDeFechar(f) {
  aoFechar.push(f);
}

export function botaoOk() {
  return ok;
}

ligarBotao(ok, { aoSoltar: fechar });

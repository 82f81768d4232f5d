import assert from 'node:assert/strict';

// The weeks of a game played by Enter alone, in any browser: `b` says how
// to run a function in the page, press Enter and wait for a condition.
//   b = { avaliar(fn, arg), enter(), esperar(fn, arg) }
const estado = () => ({
  semanas: document.querySelector('#Label8').textContent,
  dialogo: !document.querySelector('#formDialog').hidden,
  grafico: !document.querySelector('#pgGrafico').hidden,
});
const mudou = (antes) => document.querySelector('#Label8').textContent !== antes.semanas
  || document.querySelector('#formDialog').hidden !== !antes.dialogo || !document.querySelector('#pgGrafico').hidden;

// Plays until the chart is up; returns the messages seen on the way.
export async function jogarSemanas(b) {
  const mensagens = [];
  for (let passo = 0; passo < 200; ++passo) {
    const agora = await b.avaliar(estado);
    if (agora.grafico) return mensagens;
    if (agora.dialogo) mensagens.push(await b.avaliar(() => document.querySelector('#formDialog').innerText));
    await b.enter();
    await b.esperar(mudou, agora);
  }
  throw new Error('the game did not end in 200 steps');
}

// On the week page: 1, 2, 3 mark, 0 and N do nothing, the arrows move the
// mark. `b.tecla(nome)` presses a key by its DOM name ('2', 'ArrowDown').
export async function conferirMarcas(b) {
  const marcado = () => b.avaliar(() => document.querySelector('input[name=escolha]:checked').value);
  for (const [tecla, esperado] of [['2', '2'], ['ArrowDown', '3'], ['ArrowDown', '0'], ['ArrowDown', '0'], ['1', '1'], ['N', '0']]) {
    await b.tecla(tecla);
    assert.equal(await marcado(), esperado, `after ${tecla}`);
  }
}

// Whole games in Debian's chromium, found by role and name as a screen
// reader finds them: by mouse, and by the keyboard alone. The same seed in
// the native simulator must end with the same final poll.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { servidorENavegador, abrirJogo } from './ajuda.js';
import { pesquisaFinalNativa } from './simulador.js';
import { conferirMarcas } from './semanas.js';

const ambiente = servidorENavegador();

const SEMENTE = 20261209;

async function paginaVisivel(p, nome) {
  await p.getByRole('region', { name: nome, exact: true }).waitFor({ state: 'visible' });
}

// Plays the weeks until the chart is up: `jogar` acts on a week, `okMensagem`
// closes a message. Returns the messages seen.
async function jogarSemanas(p, jogar, okMensagem) {
  const mensagens = [];
  const dialogo = p.getByRole('dialog');
  const grafico = p.getByRole('region', { name: 'Gráfico' });
  for (let passo = 0; passo < 200; ++passo) {
    if (await grafico.isVisible()) return mensagens;
    if (await dialogo.isVisible()) {
      mensagens.push(await dialogo.innerText());
      await okMensagem();
      await dialogo.waitFor({ state: 'hidden' });
      continue;
    }
    const semanas = await p.locator('#Label8').innerText();
    await jogar();
    await p.waitForFunction((antes) => document.querySelector('#Label8').textContent !== antes
      || !document.querySelector('#formDialog').hidden || !document.querySelector('#pgGrafico').hidden, semanas);
  }
  throw new Error('the game did not end in 200 steps');
}

test('a whole game by mouse, the same as the native simulator', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, `?semente=${SEMENTE}`);
  await p.evaluate(() => (window.varzeno.pausaGrafico = 5));
  await p.getByRole('button', { name: 'Começar' }).click();
  await paginaVisivel(p, /^Regras\. /);
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await paginaVisivel(p, 'Candidatos');

  // No candidate yet: the message, and the page stays.
  await p.getByRole('button', { name: 'Próxima página' }).click();
  const dialogo = p.getByRole('dialog');
  await dialogo.waitFor();
  assert.equal(await dialogo.innerText(), 'Selecione seu candidato!');
  await dialogo.getByRole('button', { name: 'Ok' }).click();
  await dialogo.waitFor({ state: 'hidden' });
  await paginaVisivel(p, 'Candidatos');

  // A single click does not choose; the double click does.
  const foto = p.getByRole('button', { name: 'Candidato 25', exact: true });
  await foto.click();
  assert.equal(await p.getByRole('region', { name: 'Adversários' }).isVisible(), false);
  await foto.dblclick();
  await paginaVisivel(p, 'Adversários');
  assert.equal(await p.locator('#lblNomeJog').innerText(), 'Candidato 25');

  const spin = p.getByRole('spinbutton', { name: 'Número de adversários' });
  assert.equal(await spin.getAttribute('aria-valuenow'), '2');
  await p.getByRole('button', { name: 'Mais adversários' }).click();
  await p.getByRole('button', { name: 'Mais adversários' }).click();
  assert.equal(await spin.getAttribute('aria-valuenow'), '4');
  await p.getByRole('button', { name: 'Menos adversários' }).click();
  assert.equal(await spin.getAttribute('aria-valuenow'), '3');

  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  await p.getByRole('button', { name: 'Passar a semana' }).waitFor();
  assert.equal(await p.locator('#Label8').innerText(), 'Semanas até 1o turno: 20');
  assert.equal(await p.locator('#Label14').innerText(), 'Candidato 25');
  // The week's options are radio buttons named by their text.
  const nada = p.getByRole('radio', { name: 'Não fazer nada, 4 de 4' });
  assert.equal(await nada.isChecked(), true);
  const opcao1 = p.getByRole('radio').first();
  assert.match(await p.locator('#Label2').innerText(), / Din: -?\d+ {3}Pop: -?\d+ {3}hon: -?\d+$/);
  await opcao1.click();
  assert.equal(await opcao1.isChecked(), true);
  await nada.click();

  const mensagens = await jogarSemanas(p, () => p.getByRole('button', { name: 'Passar a semana' }).click(),
    () => p.getByRole('dialog').getByRole('button', { name: 'Ok' }).click());
  const nativo = pesquisaFinalNativa(SEMENTE, 3, 'Candidato 25');
  const esperado = nativo.fim.resultado === 'vitoria' ? 'Você ganhou!' : 'Você perdeu!';
  assert.equal(mensagens[mensagens.length - 1], esperado);

  const ok = p.locator('#pgGrafico').getByRole('button', { name: 'Ok' });
  await ok.waitFor();
  const grafico = p.getByRole('img', { name: 'Gráfico de Desempenho' });
  assert.equal(await p.locator('#descricaoGrafico').textContent(), nativo.texto);
  assert.equal(await grafico.getAttribute('aria-describedby'), 'descricaoGrafico diarioDica');
  // Every segment of the plan was drawn: five rows of 18 for three opponents.
  assert.equal(await p.locator('#imgGraf').getAttribute('data-segmentos'), String(5 * 18 + (nativo.fim.turno === 2 ? 9 : 0)));
  // The chart offers this campaign's address, with its seed.
  const link = p.getByRole('link', { name: 'Link desta campanha' });
  assert.equal(new URL(await link.getAttribute('href')).search, `?semente=${SEMENTE}`);
  await ok.click();
  await paginaVisivel(p, 'Título');
  assert.deepEqual(erros, []);
  await p.close();
});

test('the same seed, the same campaign; another seed, another', async () => {
  const primeiraSemana = async (semente) => {
    const { pagina: p } = await abrirJogo(ambiente.servidor, ambiente.navegador, `?semente=${semente}`);
    await p.getByRole('button', { name: 'Começar' }).click();
    await p.getByRole('button', { name: 'Próxima página' }).click();
    await p.getByRole('button', { name: 'Candidato 45', exact: true }).dblclick();
    await p.getByRole('button', { name: 'Iniciar campanha' }).click();
    const texto = await p.locator('#Label2, #Label3, #Label4, #painelLido li').allInnerTexts();
    await p.close();
    return texto.join('|');
  };
  const a = await primeiraSemana(42), b = await primeiraSemana(42), c = await primeiraSemana(4242);
  assert.equal(a, b);
  assert.notEqual(a, c);
});

test('a whole game by the keyboard alone', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, `?semente=${SEMENTE + 1}`);
  await p.evaluate(() => (window.varzeno.pausaGrafico = 5));
  const foco = () => p.evaluate(() => document.activeElement?.id);
  assert.equal(await foco(), 'Image1');
  await p.keyboard.press('Enter');
  await paginaVisivel(p, /^Regras\. /);
  // The rules scroll by the arrows and End.
  await p.keyboard.press('End');
  assert.ok(await p.locator('#ScrollBox1').evaluate((c) => c.scrollTop) > 500);
  await p.keyboard.press('Home');
  assert.equal(await p.locator('#ScrollBox1').evaluate((c) => c.scrollTop), 0);
  await p.keyboard.press('PageDown');
  await paginaVisivel(p, 'Candidatos');
  assert.equal(await foco(), 'Fcan1');
  await p.keyboard.press('ArrowRight');
  await p.getByRole('dialog').waitFor();
  assert.equal(await foco(), 'btn');
  await p.keyboard.press('Escape');
  await p.getByRole('dialog').waitFor({ state: 'hidden' });
  assert.equal(await foco(), 'Fcan1');

  // Tab goes photo, camera, name; in the name box the keys type.
  await p.keyboard.press('Tab');
  assert.equal(await foco(), 'Mq1');
  await p.keyboard.press('Tab');
  assert.equal(await foco(), 'Ncan1');
  await p.keyboard.press('End');
  await p.keyboard.type(' 1M');
  await paginaVisivel(p, 'Candidatos');
  assert.equal(await p.locator('#Ncan1').inputValue(), 'Candidato 15 1M');
  await p.keyboard.press('Shift+Tab');
  await p.keyboard.press('Shift+Tab');
  assert.equal(await foco(), 'Fcan1');
  await p.keyboard.press('Space');
  await paginaVisivel(p, 'Adversários');
  assert.equal(await p.locator('#lblNomeJog').innerText(), 'Candidato 15 1M');
  for (let i = 0; i < 5; ++i) await p.keyboard.press('ArrowUp');
  assert.equal(await p.getByRole('spinbutton').getAttribute('aria-valuenow'), '5');
  await p.keyboard.press('ArrowDown');
  await p.keyboard.press('Enter');
  await p.getByRole('button', { name: 'Passar a semana' }).waitFor();

  await conferirMarcas({ avaliar: (fn) => p.evaluate(fn), tecla: (k) => p.keyboard.press(k) });

  const mensagens = await jogarSemanas(p, () => p.keyboard.press('Enter'), () => p.keyboard.press('Enter'));
  const nativo = pesquisaFinalNativa(SEMENTE + 1, 4, 'Candidato 15 1M');
  assert.equal(mensagens[mensagens.length - 1], nativo.fim.resultado === 'vitoria' ? 'Você ganhou!' : 'Você perdeu!');
  const ok = p.locator('#pgGrafico').getByRole('button', { name: 'Ok' });
  await ok.waitFor();
  assert.equal(await foco(), 'imgBtn');
  assert.equal(await p.locator('#descricaoGrafico').textContent(), nativo.texto);
  await p.keyboard.press('Enter');
  await paginaVisivel(p, 'Título');
  assert.deepEqual(erros, []);
  // The renamed candidate is kept by the browser: gone again for the next test.
  await p.evaluate(() => localStorage.clear());
  await p.close();
});

test('the close button and Ctrl+Q take the player back to the title', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=9');
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  // Reached by Ctrl+Q, not by Tab, as on the desktop.
  assert.equal(await p.locator('#Fim').getAttribute('tabindex'), '-1');
  await p.keyboard.press('Control+q');
  await paginaVisivel(p, 'Título');
  assert.equal(await p.getByRole('button', { name: 'Passar a semana' }).count(), 0);
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  await p.getByRole('button', { name: 'Fechar' }).click();
  await paginaVisivel(p, 'Título');
  assert.deepEqual(erros, []);
  await p.close();
});

test('a held button shows its pressed picture, asking for no file, and a click leaves it let go', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=9');
  const pedidos = () => p.evaluate(() => performance.getEntriesByType('resource').length);
  const figura = () => p.locator('#Image4 > img').evaluateAll((imgs) => imgs.filter((i) => i.checkVisibility())
    .map((i) => `${new URL(i.currentSrc).pathname} ${i.complete && i.naturalWidth > 0}`));
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  assert.deepEqual(await figura(), ['/figuras/Image7.png true']);
  const antes = await pedidos();
  const caixa = await p.getByRole('button', { name: 'Passar a semana' }).boundingBox();
  await p.mouse.move(caixa.x + caixa.width / 2, caixa.y + caixa.height / 2);
  await p.mouse.down();
  assert.deepEqual(await figura(), ['/figuras/Image8.png true']);
  await p.mouse.up();
  assert.deepEqual(await figura(), ['/figuras/Image7.png true']);
  assert.equal(await pedidos(), antes);
  // A screen reader's activation is a click with no pointer: no press to undo.
  await p.locator('#Image4').evaluate((b) => b.click());
  assert.deepEqual(await figura(), ['/figuras/Image7.png true']);
  assert.deepEqual(erros, []);
  await p.close();
});

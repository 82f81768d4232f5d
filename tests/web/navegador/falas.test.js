// What a screen reader is told, in Debian's chromium, by the game's keys
// alone: every text the page's live region says, each once, in the desktop's
// words; the window a toolbar, where a reader hands every key to the page.
// (The same heard through Orca: tests/ui/acessibilidade/tst_orca_web.py.)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { servidorENavegador, abrirJogo } from './ajuda.js';

const ambiente = servidorENavegador();
const SITUACAO = /^Semanas até ([12])o turno: (\d+)\. Dinheiro: (-?\d+)\. Popularidade: -?\d+%\. Honestidade: (-?\d+)\.$/;
const OPCAO = /^(.+) Din: (-?\d+) +Pop: -?\d+ +hon: (-?\d+), ([1-4]) de 4$/;

// Every non-empty text the live region takes, in order.
async function ouvirAviso(p) {
  await p.evaluate(() => {
    window.ditos = [];
    new MutationObserver(() => {
      const t = document.getElementById('aviso').textContent;
      if (t) window.ditos.push(t);
    }).observe(document.getElementById('aviso'), { childList: true, characterData: true, subtree: true });
  });
}
const ditos = (p) => p.evaluate(() => window.ditos.slice());
const esperarDito = (p, n) => p.waitForFunction((n) => window.ditos.length >= n, n);

test('a campaign by keys: the start, P, S, an option read again and each week said once', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=11');
  assert.equal(await p.locator('#janela').getAttribute('role'), 'toolbar');
  await ouvirAviso(p);
  await p.keyboard.press('Enter');
  await p.waitForFunction(() => !document.getElementById('pgregras').hidden);
  const link = p.locator('#Label36');
  assert.equal(await link.getAttribute('aria-label'), 'Leia mais sobre este jogo, na página oficial: varzeno/site/index.html');
  await p.keyboard.press('ArrowRight');  // the game's next page, as the desktop's
  await p.waitForFunction(() => !document.getElementById('pgCandidatos').hidden);
  await p.keyboard.press('Enter');
  await p.waitForFunction(() => !document.getElementById('pgadversarios').hidden);
  await p.keyboard.press('Enter');
  await esperarDito(p, 1);
  const [inicio] = await ditos(p);
  assert.match(inicio, /^Campanha iniciada\. Semanas até 1o turno: 20\. Dinheiro: \d+\. Popularidade: \d+%\. Honestidade: \d+\. 1, 2 e 3 marcam uma ação, 0 nenhuma; setas para cima e para baixo percorrem as opções; Enter passa a semana\. Marcada: Não fazer nada, 4 de 4$/);

  await p.keyboard.press('p');
  await esperarDito(p, 2);
  const linhas = await p.getByRole('list', { name: 'Pesquisa' }).getByRole('listitem').allInnerTexts();
  assert.equal((await ditos(p))[1], `Pesquisa: ${linhas.join('; ')}.`);
  await p.keyboard.press('s');
  await esperarDito(p, 3);
  assert.match((await ditos(p))[2], SITUACAO);

  let dinheiro = Number(SITUACAO.exec((await ditos(p))[2])[3]);
  let eventos = 0;
  let calmas = 0;
  for (let semana = 0; semana < 19; ++semana) {
    // The option's key marks it and the focus reads it; the same key again
    // says it through the live region.
    await p.keyboard.press('1');
    await p.waitForFunction(() => document.activeElement?.id === 'Trava1');
    const nome = await p.locator('#Trava1').getAttribute('aria-label');
    const [, , din, , lugar] = OPCAO.exec(nome);
    assert.equal(lugar, '1');
    const antes = (await ditos(p)).length;
    await p.keyboard.press('1');
    await esperarDito(p, antes + 1);
    assert.equal((await ditos(p))[antes], nome);
    const escolha = dinheiro + Number(din) >= 0 ? 1 : 0;
    if (escolha === 0) await p.keyboard.press('0');
    const n = (await ditos(p)).length;
    await p.keyboard.press('Enter');
    await p.waitForFunction((n) => window.ditos.length > n || !document.getElementById('formDialog').hidden, n);
    const evento = await p.getByRole('dialog').isVisible();
    if (evento) {
      // The message is the dialog's name; the week is said once it closes.
      const mensagem = await p.locator('#lblMensagem').innerText();
      assert.equal(await p.getByRole('dialog', { name: mensagem }).count(), 1);
      assert.equal((await ditos(p)).length, n, 'nothing said over the message');
      await p.keyboard.press('Enter');
      await esperarDito(p, n + 1);
      ++eventos;
    } else {
      ++calmas;
    }
    await p.waitForTimeout(200);
    const depois = (await ditos(p)).slice(n);
    assert.equal(depois.length, 1, `the week said once: ${depois.join(' | ')}`);
    const m = SITUACAO.exec(depois[0]);
    assert.ok(m, depois[0]);
    assert.equal(Number(m[2]), 19 - semana);
    if (!evento) assert.equal(Number(m[3]), dinheiro + (escolha ? Number(din) : 0), 'the option applied as read');
    dinheiro = Number(m[3]);
    if (eventos && calmas) break;
  }
  assert.ok(calmas > 0 && eventos > 0, `quiet weeks ${calmas}, events ${eventos}`);
  assert.deepEqual(erros, []);
  await p.close();
});

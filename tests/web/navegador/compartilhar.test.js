// The chart's campaign link on a phone, in Debian's chromium: through the
// share sheet where the browser has one (stubbed here, as a desktop
// chromium has none), with the result in words; elsewhere copied to the
// clipboard, with a word to say so. Nothing goes out unless the player shares.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { servir, CHROMIUM, ARGUMENTOS_CHROMIUM } from './ajuda.js';
import { passo, comecar } from './retomada.js';

const SEMENTE = 20261212;
let servidor, navegador;
before(async () => {
  servidor = await servir();
  navegador = await chromium.launch({ executablePath: CHROMIUM, headless: true, args: ARGUMENTOS_CHROMIUM });
});
after(async () => {
  await navegador?.close();
  await servidor?.fechar();
});

test('the share sheet gets the result and the link; without one, the clipboard gets the link', async () => {
  const contexto = await navegador.newContext({ permissions: ['clipboard-read', 'clipboard-write'] });
  await contexto.addInitScript(() => {
    window.compartilhados = [];
    Object.defineProperty(Navigator.prototype, 'share', {
      configurable: true,
      value: (dados) => {
        window.compartilhados.push(dados);
        return Promise.resolve();
      },
    });
  });
  const p = await contexto.newPage();
  const erros = [];
  p.on('pageerror', (e) => erros.push(String(e)));
  const pedidos = [];
  p.on('request', (r) => pedidos.push(r.url()));
  await p.goto(servidor.endereco + `?semente=${SEMENTE}`);
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  const b = { avaliar: (fn, arg) => p.evaluate(fn, arg), clicar: (s) => p.locator(s).click() };
  await comecar(b);
  for (let i = 0; await passo(b, i); ++i);
  const link = p.getByRole('link', { name: 'Link desta campanha' });
  await link.waitFor();
  // Nothing is shared before the player asks.
  assert.deepEqual(await p.evaluate(() => window.compartilhados), []);
  const endereco = await link.getAttribute('href');
  assert.equal(new URL(endereco).search, `?semente=${SEMENTE}`);
  await link.click();
  const [dados] = await p.evaluate(() => window.compartilhados);
  assert.equal(dados.url, endereco);
  // The line gives the result with the player's share of the final poll.
  const final = await p.locator('#descricaoGrafico').textContent();
  const meu = final.match(/Candidato 35: (\d+)%/)[1];
  const venceu = await p.evaluate(() => window.varzeno.campanha.venceu());
  const turno = final.split(';').length <= 3 ? 'segundo' : 'primeiro';
  assert.equal(dados.text.startsWith(`${venceu ? 'Ganhei' : 'Perdi'} a eleição para prefeito no ${turno} turno`), true, dados.text);
  assert.match(dados.text, venceu ? new RegExp(`, com ${meu}% na pesquisa final!$`) : new RegExp(`: tive ${meu}% na pesquisa final, e .+ ficou com \\d+%\\.$`));
  // The page stays: the link was shared, not followed.
  assert.equal(p.url(), servidor.endereco + `?semente=${SEMENTE}`);

  // A browser with no share sheet: the link is copied, and the page says so.
  await p.evaluate(() => delete Navigator.prototype.share);
  await link.click();
  await p.getByRole('status').filter({ hasText: 'Link da campanha copiado.' }).waitFor();
  assert.equal(await p.evaluate(() => navigator.clipboard.readText()), endereco);
  assert.equal(p.url(), servidor.endereco + `?semente=${SEMENTE}`);
  assert.ok(pedidos.every((u) => u.startsWith(servidor.endereco)), pedidos.join(' '));
  assert.deepEqual(erros, []);
  await contexto.close();
});

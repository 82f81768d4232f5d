// A campaign in progress survives the browser in Debian's chromium: a
// reload mid-week and with a message up, a closed and reopened tab, a
// browser restarted on the same profile; the resumed campaign shows what it
// showed and ends as the unbroken one, step for step. A kept campaign that
// cannot be used is said once and dropped, candidates untouched; a full
// storage is said; two tabs follow each other.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { servir, CHROMIUM, ARGUMENTOS_CHROMIUM } from './ajuda.js';
import { quadro, passo, comecar, esperarQuadro } from './retomada.js';

const SEMENTE = 20261211;
const CHAVE = 'varzeno.campanha';
let servidor, navegador;
before(async () => {
  servidor = await servir();
  navegador = await chromium.launch({ executablePath: CHROMIUM, headless: true, args: ARGUMENTOS_CHROMIUM });
});
after(async () => {
  await navegador?.close();
  await servidor?.fechar();
});

const pronta = (p) => p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
const como = (p) => ({
  avaliar: (fn, arg) => p.evaluate(fn, arg),
  clicar: (s) => p.locator(s).click(),
});
async function abrir(contexto, busca = `?semente=${SEMENTE}`) {
  const p = await contexto.newPage();
  const erros = [];
  p.on('pageerror', (e) => erros.push(String(e)));
  p.on('console', (m) => m.type() === 'error' && erros.push(m.text()));
  await p.goto(servidor.endereco + busca);
  await pronta(p);
  return { p, erros };
}
const texto = (p, id) => p.locator('#' + id).textContent();
// The campaign's diary as its file, to compare whole.
const diarioCsv = () => Array.from(window.varzeno.motor.diarioCsv()).join(',');

// The unbroken campaign: what the page shows after each step, and the final poll.
let unbroken = null;
async function semQuebra() {
  if (unbroken) return unbroken;
  const contexto = await navegador.newContext();
  const { p, erros } = await abrir(contexto);
  await comecar(como(p));
  const quadros = [await p.evaluate(quadro)];
  for (let i = 0; await passo(como(p), i); ++i) quadros.push(await p.evaluate(quadro));
  await p.locator('#imgBtn').waitFor();
  unbroken = { quadros, final: await texto(p, 'descricaoGrafico'), pesquisa: await p.evaluate(() => window.varzeno.motor.pesquisaFinal()),
    diario: await p.evaluate(diarioCsv) };
  assert.deepEqual(erros, []);
  await contexto.close();
  return unbroken;
}

// Where to break: a step with no message up, and one with a message up.
function pontos(quadros) {
  const comMensagem = quadros.findIndex((q, i) => i > 2 && JSON.parse(q).mensagem !== null && JSON.parse(q).pagina === null);
  const semMensagem = quadros.findIndex((q, i) => i > 4 && JSON.parse(q).mensagem === null && JSON.parse(q).pagina === null);
  return { comMensagem, semMensagem };
}

test('reloads, a message up, a closed tab: the campaign resumes where it was and ends as the unbroken one', async () => {
  const { quadros, final, pesquisa, diario } = await semQuebra();
  const { comMensagem, semMensagem } = pontos(quadros);
  assert.ok(comMensagem > 0 && semMensagem > 0, 'this seed has a step with a message up and one without');
  const fechada = Math.min(quadros.length - 4, Math.max(comMensagem, semMensagem) + 3);
  const contexto = await navegador.newContext();
  let { p, erros } = await abrir(contexto);
  await comecar(como(p));
  assert.equal(await p.evaluate(quadro), quadros[0]);
  let i = 0;
  for (; await passo(como(p), i); ++i) {
    assert.equal(await p.evaluate(quadro), quadros[i + 1], `step ${i + 1}`);
    if (i + 1 === semMensagem || i + 1 === comMensagem) {
      await p.reload();
      await pronta(p);
      assert.equal(await p.evaluate(quadro), quadros[i + 1], `after a reload at step ${i + 1}`);
      if (i + 1 === comMensagem) assert.equal(await p.evaluate(() => document.activeElement.id), 'btn');
    }
    if (i + 1 === fechada) {
      assert.deepEqual(erros, []);
      await p.close();
      ({ p, erros } = await abrir(contexto));
      assert.equal(await p.evaluate(quadro), quadros[i + 1], `after a closed tab at step ${i + 1}`);
    }
  }
  assert.equal(i + 1, quadros.length);
  await p.locator('#imgBtn').waitFor();
  assert.equal(await texto(p, 'descricaoGrafico'), final);
  assert.equal(await p.evaluate(() => window.varzeno.motor.pesquisaFinal()), pesquisa);
  // The diary too was written again by the replays, week for week.
  assert.equal(await p.evaluate(diarioCsv), diario);
  // The chart is kept until its Ok: a reload shows it again, the link with the seed.
  await p.reload();
  await pronta(p);
  await p.locator('#imgBtn').waitFor();
  assert.equal(await texto(p, 'descricaoGrafico'), final);
  assert.equal(new URL(await p.locator('#compartilhar').getAttribute('href')).search, `?semente=${SEMENTE}`);
  await p.locator('#imgBtn').click();
  assert.equal(await p.evaluate((k) => localStorage.getItem(k), CHAVE), null);
  await p.reload();
  await pronta(p);
  assert.equal(await p.evaluate(() => window.varzeno.estado.pagina), 'Default');
  assert.deepEqual(erros, []);
  await contexto.close();
});

// Two minutes at most: a campaign that never ends should fail, not hold the run.
test('a browser restarted on the same profile resumes the campaign, even one the clock seeded', { timeout: 120000 }, async () => {
  const perfil = await mkdtemp(join(tmpdir(), 'varzeno-perfil-'));
  const lancar = async () => {
    const contexto = await chromium.launchPersistentContext(perfil, { executablePath: CHROMIUM, headless: true, args: ARGUMENTOS_CHROMIUM });
    // A persistent context waits for ever by default: a step that never comes fails.
    contexto.setDefaultTimeout(60000);
    return contexto;
  };
  let contexto;
  try {
    contexto = await lancar();
    let { p } = await abrir(contexto, '');
    await comecar(como(p));
    let i = 0;
    for (; i < 9; ++i) assert.ok(await passo(como(p), i));
    const antes = await p.evaluate(quadro);
    await contexto.close();
    contexto = await lancar();
    ({ p } = await abrir(contexto, ''));
    assert.equal(await p.evaluate(quadro), antes);
    while (await passo(como(p), i)) ++i;
    await p.locator('#imgBtn').waitFor();
    const final = await texto(p, 'descricaoGrafico');
    // The campaign's own seed is in its link: the same steps on it, unbroken, end the same.
    const busca = new URL(await p.locator('#compartilhar').getAttribute('href')).search;
    await contexto.close();
    const limpo = await navegador.newContext();
    ({ p } = await abrir(limpo, busca));
    await comecar(como(p));
    for (let j = 0; await passo(como(p), j); ++j);
    await p.locator('#imgBtn').waitFor();
    assert.equal(await texto(p, 'descricaoGrafico'), final);
    await limpo.close();
  } finally {
    // A browser left open would keep this file's node alive after a failure.
    await contexto?.close().catch(() => {});
    await rm(perfil, { recursive: true, force: true });
  }
});

test('a kept campaign that cannot be used is said once and dropped; the candidates stay', async () => {
  const contexto = await navegador.newContext();
  const { p, erros } = await abrir(contexto);
  await p.locator('#Image1').click();
  await p.locator('#bt2').click();
  await p.locator('#Ncan2').fill('Dona Quitéria');
  await p.goto(servidor.endereco + `?semente=${SEMENTE}`);
  await pronta(p);
  await comecar(como(p));
  for (let i = 0; i < 3; ++i) await passo(como(p), i);
  const bom = await p.evaluate((k) => localStorage.getItem(k), CHAVE);
  assert.match(bom, /^varzeno campanha 1\n/);
  const casos = [
    ['lixo', '{"semana": 7}', 'está danificada'],
    ['cortada', bom.slice(0, Math.floor(bom.length / 2)), 'está incompleta'],
    ['de outra versão', bom.replace(/^versao=.*$/m, 'versao=versão: 0.9'), 'é de outra versão do jogo'],
    ['mexida', bom.replace(/^oponentes=\d$/m, 'oponentes=9'), 'está danificada'],
  ];
  for (const [nome, valor, motivo] of casos) {
    await p.evaluate(([k, v]) => localStorage.setItem(k, v), [CHAVE, valor]);
    await p.reload();
    await pronta(p);
    const d = p.locator('#formDialog');
    await d.waitFor();
    assert.equal(await d.innerText(), `A campanha que estava guardada neste navegador não pôde ser retomada (${motivo}) e foi descartada. Os candidatos continuam guardados.`, nome);
    assert.equal(await p.evaluate(() => window.varzeno.estado.pagina), 'Default', nome);
    assert.equal(await p.evaluate((k) => localStorage.getItem(k), CHAVE), null, nome);
    await d.getByRole('button', { name: 'Ok' }).click();
    assert.equal(await p.locator('#Ncan2').inputValue(), 'Dona Quitéria', nome);
    // Said once: the next start is quiet.
    await p.reload();
    await pronta(p);
    await p.waitForTimeout(100);
    assert.equal(await d.isVisible(), false, nome);
  }
  assert.deepEqual(erros, []);
  await contexto.close();
});

test('a storage that refuses: the campaign plays on and says so once', async () => {
  const contexto = await navegador.newContext();
  await contexto.addInitScript(() => {
    Storage.prototype.setItem = function () { throw new DOMException('cheio', 'QuotaExceededError'); };
  });
  const { p, erros } = await abrir(contexto);
  await comecar(como(p));
  const d = p.locator('#formDialog');
  await d.waitFor();
  assert.equal(await d.innerText(), 'Este navegador não deixa o jogo guardar a campanha (armazenamento indisponível ou cheio). ' +
    'Você pode jogar, mas se a página for fechada ou recarregada esta campanha se perderá.');
  await p.locator('#btn').click();
  const semana = await texto(p, 'Label8');
  await p.locator('#Trava4').click();
  await p.locator('#Image4').click();
  await p.waitForFunction((s) => document.getElementById('Label8').textContent !== s, semana);
  await p.waitForTimeout(100);
  if (await d.isVisible()) assert.doesNotMatch(await d.innerText(), /guardar a campanha/, 'said twice');
  assert.deepEqual(erros, []);
  await contexto.close();
});

test('a storage that fills up mid-campaign: said, and no older point is left to resume', async () => {
  const contexto = await navegador.newContext();
  await contexto.addInitScript(() => {
    const gravar = Storage.prototype.setItem;
    Storage.prototype.setItem = function (...args) {
      if (window.cheio) throw new DOMException('cheio', 'QuotaExceededError');
      return gravar.apply(this, args);
    };
  });
  const { p, erros } = await abrir(contexto);
  await comecar(como(p));
  for (let i = 0; i < 2; ++i) await passo(como(p), i);
  assert.notEqual(await p.evaluate((k) => localStorage.getItem(k), CHAVE), null);
  await p.evaluate(() => (window.cheio = true));
  const aviso = 'Este navegador não deixa o jogo guardar a campanha (armazenamento indisponível ou cheio). ' +
    'Você pode jogar, mas se a página for fechada ou recarregada esta campanha se perderá.';
  // The next save (a mark moved is one) fails; a week's message, if up, is closed first.
  if (JSON.parse(await p.evaluate(quadro)).mensagem !== null) await p.locator('#btn').click();
  const marcada = JSON.parse(await p.evaluate(quadro)).marca;
  await p.locator(marcada === '1' ? '#Trava2' : '#Trava1').click();
  await esperarQuadro(como(p), (q) => JSON.parse(q).mensagem === aviso);
  assert.equal(await p.evaluate((k) => localStorage.getItem(k), CHAVE), null);
  await p.reload();
  await pronta(p);
  assert.equal(await p.evaluate(() => window.varzeno.estado.pagina), 'Default');
  assert.deepEqual(erros, []);
  await contexto.close();
});

test('two tabs: the one behind catches up; one whose campaign was replaced or ended says so and keeps no more', async () => {
  const contexto = await navegador.newContext();
  // C stays on the title page, before any campaign.
  const { p: c } = await abrir(contexto);
  const { p: a } = await abrir(contexto);
  await comecar(como(a));
  for (let i = 0; i < 2; ++i) await passo(como(a), i);
  const { p: b } = await abrir(contexto);
  assert.equal(await b.evaluate(quadro), await a.evaluate(quadro));
  for (let i = 2; i < 5; ++i) await passo(como(a), i);
  const deA = await a.evaluate(quadro);
  await esperarQuadro(como(b), (q) => q === deA);
  // B plays on; A follows.
  await passo(como(b), 5);
  const deB = await b.evaluate(quadro);
  await esperarQuadro(como(a), (q) => q === deB);
  // A new campaign in C: A and B are told, and write no more.
  await comecar(como(c));
  const deC = await c.evaluate((k) => localStorage.getItem(k), CHAVE);
  const nova = 'Uma nova campanha foi começada em outra aba do jogo. Esta continua aqui, mas não será mais guardada.';
  for (const p of [a, b]) {
    // A week's message up waits for its Ok; the notice comes after it.
    await esperarQuadro(como(p), (q) => JSON.parse(q).mensagem !== null);
    if ((await p.locator('#lblMensagem').textContent()) !== nova) await p.locator('#btn').click();
    await esperarQuadro(como(p), (q) => JSON.parse(q).mensagem === nova);
    await p.locator('#btn').click();
  }
  await passo(como(b), 6);
  await passo(como(a), 6);
  assert.equal(await a.evaluate((k) => localStorage.getItem(k), CHAVE), deC);
  // C closes its campaign; A and B, who keep nothing, are not told again.
  await passo(como(c), 0);
  await c.keyboard.press('Control+q');
  await esperarQuadro(como(c), (q) => JSON.parse(q).pagina === 'Default');
  assert.equal(await c.evaluate((k) => localStorage.getItem(k), CHAVE), null);
  await a.waitForTimeout(200);
  assert.equal(JSON.parse(await a.evaluate(quadro)).mensagem, null);
  await contexto.close();
});

test('a campaign closed in one tab is said in the other', async () => {
  const contexto = await navegador.newContext();
  const { p: a } = await abrir(contexto);
  await comecar(como(a));
  await passo(como(a), 0);
  const { p: b } = await abrir(contexto);
  assert.equal(await b.evaluate(quadro), await a.evaluate(quadro));
  await a.locator('#Fim').click();
  await esperarQuadro(como(b), (q) => JSON.parse(q).mensagem ===
    'Esta campanha foi encerrada em outra aba do jogo. Ela continua aqui, mas não será mais guardada.');
  await b.locator('#btn').click();
  await passo(como(b), 1);
  assert.equal(await b.evaluate((k) => localStorage.getItem(k), CHAVE), null);
  await contexto.close();
});

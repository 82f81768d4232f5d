// The game in Debian's firefox-esr, driven by puppeteer-core over WebDriver
// BiDi (playwright drives only its own builds of Firefox): the chromium
// keyboard game again, only this site's files, no console errors or CSP
// violations, and offline after one visit.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setTimeout as pausa } from 'node:timers/promises';
import puppeteer from 'puppeteer-core';
import { servir } from './servidor.js';
import { pesquisaFinalNativa } from './simulador.js';
import { jogarSemanas, conferirMarcas } from './semanas.js';
import { quadro, passo, comecar } from './retomada.js';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const FIREFOX = process.env.VARZENO_FIREFOX ?? '/usr/bin/firefox-esr';
// The seed of the chromium keyboard game: the same game in both browsers.
const SEMENTE = 20261210;

let servidor, navegador;
before(async () => {
  servidor = await servir();
  navegador = await puppeteer.launch({ browser: 'firefox', executablePath: FIREFOX, headless: true });
});
after(async () => {
  await navegador?.close();
  await servidor?.fechar();
});

// A fresh page of the game, ready, in a context of its own (its own storage
// and service worker); records errors, CSP violations and every request.
async function abrirJogo(endereco, busca = '') {
  const contexto = await navegador.createBrowserContext();
  const p = await contexto.newPage();
  const erros = [], pedidos = [];
  p.on('pageerror', (e) => erros.push(String(e)));
  p.on('console', (m) => {
    if (m.type() === 'error') erros.push(m.text());
  });
  p.on('request', (r) => pedidos.push(r.url()));
  await p.evaluateOnNewDocument(() => {
    window.violacoesCsp = [];
    document.addEventListener('securitypolicyviolation', (e) => window.violacoesCsp.push(`${e.violatedDirective} ${e.blockedURI}`));
  });
  await p.goto(endereco + busca);
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  return { p, contexto, erros, pedidos };
}

// Found in Firefox's accessibility tree by role and name.
const porNome = (nome, papel) => `::-p-aria(${nome}[role="${papel}"])`;
const paginaVisivel = (p, nome) => p.waitForSelector(porNome(nome, 'region'), { visible: true });
const foco = (p) => p.evaluate(() => document.activeElement?.id);
const comShift = async (p, tecla) => {
  await p.keyboard.down('Shift');
  await p.keyboard.press(tecla);
  await p.keyboard.up('Shift');
};

// The weeks by Enter, through puppeteer.
const semanas = (p) => jogarSemanas({
  avaliar: (fn, arg) => p.evaluate(fn, arg),
  enter: () => p.keyboard.press('Enter'),
  esperar: (fn, arg) => p.waitForFunction(fn, {}, arg),
});

test('a whole game by the keyboard alone, the same as the native simulator', async () => {
  const { p, contexto, erros } = await abrirJogo(servidor.endereco, `?semente=${SEMENTE}`);
  await p.evaluate(() => (window.varzeno.pausaGrafico = 5));
  assert.equal(await foco(p), 'Image1');
  await p.keyboard.press('Enter');
  await p.waitForSelector('#pgregras', { visible: true });
  assert.match(await p.$eval('#pgregras', (s) => s.getAttribute('aria-label')), /^Regras\. /);
  // The rules scroll by the arrows and End.
  await p.keyboard.press('End');
  assert.ok(await p.$eval('#ScrollBox1', (c) => c.scrollTop) > 500);
  await p.keyboard.press('Home');
  assert.equal(await p.$eval('#ScrollBox1', (c) => c.scrollTop), 0);
  await p.keyboard.press('PageDown');
  await paginaVisivel(p, 'Candidatos');
  assert.equal(await foco(p), 'Fcan1');
  await p.keyboard.press('ArrowRight');
  await p.waitForSelector('#formDialog', { visible: true });
  assert.equal(await p.$eval('#formDialog', (d) => d.innerText), 'Selecione seu candidato!');
  assert.equal(await foco(p), 'btn');
  await p.keyboard.press('Escape');
  await p.waitForSelector('#formDialog', { hidden: true });
  assert.equal(await foco(p), 'Fcan1');

  // Tab goes photo, camera, name; in the name box the keys type.
  await p.keyboard.press('Tab');
  assert.equal(await foco(p), 'Mq1');
  await p.keyboard.press('Tab');
  assert.equal(await foco(p), 'Ncan1');
  await p.keyboard.press('End');
  await p.keyboard.type(' 1M');
  await paginaVisivel(p, 'Candidatos');
  assert.equal(await p.$eval('#Ncan1', (e) => e.value), 'Candidato 15 1M');
  await comShift(p, 'Tab');
  await comShift(p, 'Tab');
  assert.equal(await foco(p), 'Fcan1');
  await p.keyboard.press(' ');
  await paginaVisivel(p, 'Adversários');
  assert.equal(await p.$eval('#lblNomeJog', (e) => e.innerText), 'Candidato 15 1M');
  for (let i = 0; i < 5; ++i) await p.keyboard.press('ArrowUp');
  const spin = await p.$(porNome('Número de adversários', 'spinbutton'));
  assert.equal(await spin.evaluate((e) => e.getAttribute('aria-valuenow')), '5');
  await p.keyboard.press('ArrowDown');
  await p.keyboard.press('Enter');
  await p.waitForSelector(porNome('Passar a semana', 'button'));

  await conferirMarcas({ avaliar: (fn) => p.evaluate(fn), tecla: (k) => p.keyboard.press(k) });

  const mensagens = await semanas(p);
  const nativo = pesquisaFinalNativa(SEMENTE, 4, 'Candidato 15 1M');
  assert.equal(mensagens[mensagens.length - 1], nativo.fim.resultado === 'vitoria' ? 'Você ganhou!' : 'Você perdeu!');
  await paginaVisivel(p, 'Gráfico');
  const ok = await p.waitForSelector(porNome('Ok', 'button'), { visible: true });
  assert.equal(await ok.evaluate((b) => b.id), 'imgBtn');
  assert.equal(await foco(p), 'imgBtn');
  assert.equal(await p.$eval('#descricaoGrafico', (e) => e.textContent), nativo.texto);
  // Firefox drew the chart: the canvas is not one colour. Its tree calls the
  // img role by its newer ARIA name, image.
  const grafico = await p.$(porNome('Gráfico de Desempenho', 'image'));
  assert.ok(await grafico.evaluate((c) => {
    const d = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
    return d.some((px) => px !== d[0]);
  }), 'the chart canvas is blank');
  await p.keyboard.press('Enter');
  await paginaVisivel(p, 'Título');
  assert.deepEqual(erros, []);
  await contexto.close();
});

test('only this site is loaded, with no console errors and no CSP violations', async () => {
  const { p, contexto, erros, pedidos } = await abrirJogo(servidor.endereco, '?semente=7');
  // Past the title and into a week, so the pictures, fonts and sounds of a game are asked for too.
  await p.keyboard.press('Enter');
  await p.keyboard.press('PageDown');
  await paginaVisivel(p, 'Candidatos');
  await p.keyboard.press(' ');
  await paginaVisivel(p, 'Adversários');
  await p.keyboard.press('Enter');
  await p.waitForSelector(porNome('Passar a semana', 'button'));
  await p.evaluate(async () => (await navigator.serviceWorker.ready).active.state);
  // A data: address comes from nowhere: Firefox's own stylesheet loads its
  // list-bullet font as one.
  const origem = new URL(servidor.endereco).origin;
  const deFora = (lista) => lista.filter((u) => !/^(data|blob):/.test(u) && new URL(u).origin !== origem);
  assert.ok(pedidos.length > 5, `only ${pedidos.length} requests seen`);
  assert.deepEqual(deFora(pedidos), []);
  // The page's own account too, for anything the request events miss.
  assert.deepEqual(deFora(await p.evaluate(() => performance.getEntriesByType('resource').map((r) => r.name))), []);
  assert.deepEqual(await p.evaluate(() => window.violacoesCsp), []);
  assert.deepEqual(erros, []);
  await contexto.close();
});

test('the service worker takes the page, keeps every file it loaded, and plays offline', async () => {
  // A server of its own: it is closed below.
  const proprio = await servir();
  try {
    const { p, contexto, erros, pedidos } = await abrirJogo(proprio.endereco);
    await p.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
    const cache = await p.evaluate(() => caches.keys());
    assert.equal(cache.length, 1);
    assert.match(cache[0], /^varzeno-[0-9a-f]{16}$/);
    // The worker keys the page's address by index.html, whatever its query.
    const origem = new URL(proprio.endereco).origin;
    const arquivos = [...new Set(pedidos.filter((u) => u.startsWith(origem + '/')).map((u) => {
      const url = new URL(u);
      return url.pathname.endsWith('/') ? url.pathname + 'index.html' : url.pathname;
    }))];
    assert.ok(arquivos.includes('/index.html') && arquivos.length > 5, `only ${arquivos} loaded`);
    const faltam = await p.evaluate(async (nome, lista) => {
      const c = await caches.open(nome);
      const achados = await Promise.all(lista.map((a) => c.match(new URL(a, location.href).href)));
      return lista.filter((a, i) => !achados[i]);
    }, cache[0], arquivos);
    assert.deepEqual(faltam, []);

    // Firefox's offline emulation over BiDi cuts the page's requests but not
    // the worker's own, so the server goes away too: nothing can answer.
    await p.setOfflineMode(true);
    await proprio.fechar();
    await p.goto(proprio.endereco + '?semente=3');
    await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
    assert.equal(await p.evaluate(() => navigator.serviceWorker.controller?.state), 'activated');
    await p.keyboard.press('Enter');
    await p.waitForSelector('#pgregras', { visible: true });
    assert.deepEqual(erros, []);
    await contexto.close();
  } finally {
    await proprio.fechar(); // again, if a step above failed: harmless otherwise
  }
});

// A campaign in progress in Firefox: reloads (mid-week and with a message
// up), a closed tab and a browser restarted on the same profile each resume
// it where it was, and it ends as the unbroken one, step for step.
test('a campaign in progress survives reloads, a closed tab and a restart', async () => {
  const semente = 20261213;
  const como = (p) => ({ avaliar: (fn, arg) => p.evaluate(fn, arg), clicar: (sel) => p.$eval(sel, (el) => el.click()) });
  const pronta = (p) => p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  // The unbroken campaign.
  const semQuebra = await abrirJogo(servidor.endereco, `?semente=${semente}`);
  await comecar(como(semQuebra.p));
  const quadros = [await semQuebra.p.evaluate(quadro)];
  for (let i = 0; await passo(como(semQuebra.p), i); ++i) quadros.push(await semQuebra.p.evaluate(quadro));
  await semQuebra.p.waitForSelector('#imgBtn', { visible: true });
  const final = await semQuebra.p.$eval('#descricaoGrafico', (e) => e.textContent);
  await semQuebra.contexto.close();
  const comMensagem = quadros.findIndex((q, i) => i > 2 && JSON.parse(q).mensagem !== null && JSON.parse(q).pagina === null);
  const semMensagem = quadros.findIndex((q, i) => i > 4 && JSON.parse(q).mensagem === null && JSON.parse(q).pagina === null);
  assert.ok(comMensagem > 0 && semMensagem > 0, 'this seed has a step with a message up and one without');
  const fechada = Math.min(quadros.length - 4, Math.max(comMensagem, semMensagem) + 2);

  const { p: primeira, contexto, erros } = await abrirJogo(servidor.endereco, `?semente=${semente}`);
  let p = primeira;
  await comecar(como(p));
  let i = 0;
  for (; await passo(como(p), i); ++i) {
    assert.equal(await p.evaluate(quadro), quadros[i + 1], `step ${i + 1}`);
    if (i + 1 === semMensagem || i + 1 === comMensagem) {
      await p.reload();
      await pronta(p);
      assert.equal(await p.evaluate(quadro), quadros[i + 1], `after a reload at step ${i + 1}`);
    }
    if (i + 1 === fechada) {
      await p.close();
      p = await contexto.newPage();
      await p.goto(servidor.endereco + `?semente=${semente}`);
      await pronta(p);
      assert.equal(await p.evaluate(quadro), quadros[i + 1], `after a closed tab at step ${i + 1}`);
    }
  }
  await p.waitForSelector('#imgBtn', { visible: true });
  assert.equal(await p.$eval('#descricaoGrafico', (e) => e.textContent), final);
  assert.deepEqual(erros, []);
  await contexto.close();

  // Firefox closed and started again on the same profile.
  const perfil = await mkdtemp(join(tmpdir(), 'varzeno-firefox-'));
  const lancar = () => puppeteer.launch({ browser: 'firefox', executablePath: FIREFOX, headless: true, userDataDir: perfil });
  let outro = null;
  try {
    outro = await lancar();
    p = await outro.newPage();
    await p.goto(servidor.endereco + `?semente=${semente}`);
    await pronta(p);
    await comecar(como(p));
    for (i = 0; i < semMensagem; ++i) await passo(como(p), i);
    assert.equal(await p.evaluate(quadro), quadros[semMensagem]);
    await outro.close();
    outro = await lancar();
    p = await outro.newPage();
    await p.goto(servidor.endereco + `?semente=${semente}`);
    await pronta(p);
    assert.equal(await p.evaluate(quadro), quadros[semMensagem], 'after a restart');
    for (; await passo(como(p), i); ++i) assert.equal(await p.evaluate(quadro), quadros[i + 1], `step ${i + 1} after the restart`);
    await p.waitForSelector('#imgBtn', { visible: true });
    assert.equal(await p.$eval('#descricaoGrafico', (e) => e.textContent), final);
  } finally {
    await outro?.close();
    await rm(perfil, { recursive: true, force: true });
  }
});

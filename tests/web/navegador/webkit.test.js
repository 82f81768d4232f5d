// The game in Debian's WebKitGTK, Safari's engine: MiniBrowser driven through
// WebKitWebDriver by selenium-webdriver (plain W3C WebDriver; this driver has
// no BiDi). The chromium keyboard game again, only this site's files, no page
// errors or CSP violations, the sounds and fonts WebKit must decode, and
// offline after one visit. MiniBrowser needs a screen: executar.sh gives it
// an Xvfb of its own.
//
// The driver reports neither requests nor the console, so the site's server
// is also the browser's proxy and sees every request, and sonda.js, put into
// the page ahead of its scripts, keeps its errors and CSP violations.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { openSync, closeSync, readFileSync, readdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { Builder, By, Key, until } from 'selenium-webdriver';
import { DriverService } from 'selenium-webdriver/remote/index.js';
import { SITE, servir } from './servidor.js';
import { pesquisaFinalNativa } from './simulador.js';
import { jogarSemanas, conferirMarcas } from './semanas.js';

const DRIVER = process.env.VARZENO_WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver';
// The seed of the chromium keyboard game: the same game in every browser.
const SEMENTE = 20261210;
// A wait that never ends fails after this; a slow machine is far inside it.
const ESPERA = 60_000;
const SONDA = readFileSync(new URL('./sonda.js', import.meta.url));

// The page with the probe as its first script, under the page's own CSP.
function comSonda(arquivo, corpo) {
  if (arquivo === 'sonda.js') return SONDA;
  if (arquivo !== 'index.html' || corpo === null) return corpo;
  const pagina = corpo.toString('utf8');
  const csp = pagina.match(/<meta http-equiv="Content-Security-Policy"[^>]*>\n/);
  assert.ok(csp, 'index.html has no CSP meta tag to put the probe under');
  return Buffer.from(pagina.replace(csp[0], csp[0] + '<script src="sonda.js"></script>\n'));
}

let servidor, driver, registro, pastaRegistro;
before(async () => {
  assert.ok(process.env.DISPLAY, 'MiniBrowser needs an X screen: run this under tests/com_xvfb.sh');
  servidor = await servir(SITE, { trocar: comSonda });
  // The driver's and MiniBrowser's own chatter goes to a file, shown when a
  // session cannot start.
  pastaRegistro = mkdtempSync(join(tmpdir(), 'varzeno-webkit-'));
  registro = join(pastaRegistro, 'driver.log');
  const saida = openSync(registro, 'w');
  driver = new DriverService.Builder(DRIVER).setLoopback(true).setStdio(['ignore', saida, saida]).build();
  await driver.start(ESPERA);
  closeSync(saida);
});
after(async () => {
  await driver?.kill();
  await servidor?.fechar();
  if (pastaRegistro) rmSync(pastaRegistro, { recursive: true, force: true });
});

// A new MiniBrowser with `proxy` as its proxy. An automation session's
// storage is its own and goes with it: no cache or worker of another test.
async function abrirNavegador(proxy) {
  const host = new URL(proxy.endereco).host;
  const capacidades = {
    browserName: 'MiniBrowser',
    proxy: { proxyType: 'manual', httpProxy: host, sslProxy: host },
  };
  if (process.env.VARZENO_MINIBROWSER) {
    capacidades['webkitgtk:browserOptions'] = { binary: process.env.VARZENO_MINIBROWSER, args: ['--automation'] };
  }
  // The driver waits for ever on a browser that could not start (no
  // screen): that fails too, with what they said.
  let relogio;
  const limite = new Promise((_, falhar) => {
    relogio = setTimeout(() => falhar(new Error(`no MiniBrowser session in ${ESPERA / 1000} s`)), ESPERA);
  });
  try {
    const sessao = new Builder().disableEnvironmentOverrides().usingServer(await driver.address())
      .withCapabilities(capacidades).build();
    return await Promise.race([sessao, limite]);
  } catch (e) {
    e.message += `\nWebKitWebDriver and MiniBrowser said:\n${readFileSync(registro, 'utf8')}`;
    throw e;
  } finally {
    clearTimeout(relogio);
  }
}

// Runs fn in the page until it returns something true.
const esperar = (d, fn, ...args) => d.wait(() => d.executeScript(fn, ...args), ESPERA, `waited for ${fn}`);

// A fresh browser on the game, ready.
async function abrirJogo(proxy, busca = '') {
  const d = await abrirNavegador(proxy);
  await d.get(proxy.endereco + busca);
  await esperar(d, () => document.documentElement.dataset.pronto === '1');
  return d;
}

const teclar = (d, ...teclas) => d.actions().sendKeys(...teclas).perform();
const comShift = (d, tecla) => d.actions().keyDown(Key.SHIFT).sendKeys(tecla).keyUp(Key.SHIFT).perform();
const foco = (d) => d.executeScript(() => document.activeElement?.id);
// innerText and the like, as the page lays it out: the driver's own Get
// Element Text answers "" for the message, which the page shows.
const $eval = (d, seletor, fn) => d.executeScript(`return (${fn})(document.querySelector(arguments[0]))`, seletor);
// What the probe kept: the page's errors and its CSP violations.
const sonda = (d) => d.executeScript(() => window.sonda);

// The element, once shown, with its role and name as WebKit computes them
// for a reader. Its accessibility tree follows the page a moment later.
async function visivel(d, id, papel, nome) {
  const el = await d.findElement(By.id(id));
  await d.wait(until.elementIsVisible(el), ESPERA, `#${id} never showed`);
  const confere = (n) => (nome instanceof RegExp ? nome.test(n) : n === nome);
  let visto = [];
  await d.wait(async () => {
    visto = [await el.getAriaRole(), await el.getAccessibleName()];
    return visto[0] === papel && confere(visto[1]);
  }, ESPERA).catch(() => {});
  assert.equal(visto[0], papel, `the role of #${id}`);
  if (nome instanceof RegExp) assert.match(visto[1], nome, `the name of #${id}`);
  else assert.equal(visto[1], nome, `the name of #${id}`);
  return el;
}

// Waits until the page has played `arquivo` (under sons/) for a moment,
// through the browser's own decoder; a sound WebKit cannot play ends the
// wait with its error.
async function tocou(d, arquivo) {
  await esperar(d, (nome) => window.sondaSons.some((a) => a.src.endsWith('/sons/' + nome) && (a.currentTime > 0 || a.error)), arquivo);
  const estado = await d.executeScript((nome) => window.sondaSons.filter((a) => a.src.endsWith('/sons/' + nome))
    .map((a) => ({ tocou: a.currentTime > 0, erro: a.error?.code ?? null })), arquivo);
  assert.ok(estado.some((s) => s.tocou && s.erro === null), `${arquivo}: ${JSON.stringify(estado)}`);
}

// The weeks by Enter, through WebDriver.
const semanas = (d) => jogarSemanas({
  avaliar: (fn, arg) => d.executeScript(fn, arg),
  enter: () => teclar(d, Key.ENTER),
  esperar: (fn, arg) => esperar(d, fn, arg),
});

test('a whole game by the keyboard alone, the same as the native simulator', async () => {
  const d = await abrirJogo(servidor, `?semente=${SEMENTE}`);
  try {
    await d.executeScript(() => (window.varzeno.pausaGrafico = 5));
    assert.equal(await foco(d), 'Image1');
    await teclar(d, Key.ENTER);
    await visivel(d, 'pgregras', 'region', /^Regras\. /);
    // The rules scroll by the arrows and End.
    await teclar(d, Key.END);
    assert.ok(await $eval(d, '#ScrollBox1', (c) => c.scrollTop) > 500);
    await teclar(d, Key.HOME);
    assert.equal(await $eval(d, '#ScrollBox1', (c) => c.scrollTop), 0);
    await teclar(d, Key.PAGE_DOWN);
    await visivel(d, 'pgCandidatos', 'region', 'Candidatos');
    assert.equal(await foco(d), 'Fcan1');
    await teclar(d, Key.ARROW_RIGHT);
    const dialogo = await visivel(d, 'formDialog', 'dialog', 'Selecione seu candidato!');
    assert.equal(await $eval(d, '#formDialog', (e) => e.innerText), 'Selecione seu candidato!');
    assert.equal(await foco(d), 'btn');
    await teclar(d, Key.ESCAPE);
    await d.wait(until.elementIsNotVisible(dialogo), ESPERA);
    assert.equal(await foco(d), 'Fcan1');

    // Tab goes photo, camera, name; in the name box the keys type.
    await teclar(d, Key.TAB);
    assert.equal(await foco(d), 'Mq1');
    await teclar(d, Key.TAB);
    assert.equal(await foco(d), 'Ncan1');
    await teclar(d, Key.END, ' 1M');
    assert.equal(await $eval(d, '#pgCandidatos', (s) => s.hidden), false);
    assert.equal(await $eval(d, '#Ncan1', (e) => e.value), 'Candidato 15 1M');
    await comShift(d, Key.TAB);
    await comShift(d, Key.TAB);
    assert.equal(await foco(d), 'Fcan1');
    await teclar(d, ' ');
    await visivel(d, 'pgadversarios', 'region', 'Adversários');
    assert.equal(await $eval(d, '#lblNomeJog', (e) => e.innerText), 'Candidato 15 1M');
    for (let i = 0; i < 5; ++i) await teclar(d, Key.ARROW_UP);
    const spin = await visivel(d, 'UpDown1', 'spinbutton', 'Número de adversários');
    assert.equal(await spin.getAttribute('aria-valuenow'), '5');
    await teclar(d, Key.ARROW_DOWN, Key.ENTER);
    await visivel(d, 'Image4', 'button', 'Passar a semana');

    await conferirMarcas({ avaliar: (fn) => d.executeScript(fn), tecla: (k) => teclar(d, k === 'ArrowDown' ? Key.ARROW_DOWN : k) });

    const mensagens = await semanas(d);
    const nativo = pesquisaFinalNativa(SEMENTE, 4, 'Candidato 15 1M');
    assert.equal(mensagens[mensagens.length - 1], nativo.fim.resultado === 'vitoria' ? 'Você ganhou!' : 'Você perdeu!');
    // The end's sound was asked for, and the chart's music plays.
    const somDoFim = nativo.fim.resultado === 'vitoria' ? 'Ganhou.mp3' : 'Perdeu.mp3';
    assert.deepEqual(await d.executeScript((nome) => window.sondaSons.filter((a) => a.src.endsWith('/sons/' + nome))
      .map((a) => a.error?.code ?? 'ok'), somDoFim), ['ok']);
    await tocou(d, 'musica.mp3');
    await visivel(d, 'pgGrafico', 'region', 'Gráfico');
    await visivel(d, 'imgBtn', 'button', 'Ok');
    assert.equal(await foco(d), 'imgBtn');
    assert.equal(await $eval(d, '#descricaoGrafico', (e) => e.textContent), nativo.texto);
    // WebKit drew the chart: the canvas is not one colour. Like Firefox, it
    // calls the img role by its newer ARIA name, image.
    const grafico = await visivel(d, 'imgGraf', 'image', 'Gráfico de Desempenho');
    assert.ok(await d.executeScript((c) => {
      const dados = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
      return dados.some((px) => px !== dados[0]);
    }, grafico), 'the chart canvas is blank');
    await teclar(d, Key.ENTER);
    await visivel(d, 'pgDefault', 'region', 'Título');
    assert.deepEqual(await sonda(d), { erros: [], csp: [] });

    // WebKit's storage kept the name typed: the page loaded again has it.
    await d.navigate().refresh();
    await esperar(d, () => document.documentElement.dataset.pronto === '1');
    assert.equal(await $eval(d, '#Ncan1', (e) => e.value), 'Candidato 15 1M');
    assert.deepEqual(await sonda(d), { erros: [], csp: [] });
  } finally {
    await d.quit();
  }
});

// This site's requests, each as its file: the page's address is index.html
// whatever its query.
function arquivosPedidos(proxy) {
  const origem = new URL(proxy.endereco).origin;
  return [...new Set(proxy.pedidos.filter((u) => new URL(u).origin === origem).map((u) => {
    const { pathname } = new URL(u);
    return pathname.endsWith('/') ? pathname + 'index.html' : pathname;
  }))];
}

test('only this site is loaded, every file it asks for is there, no page errors and no CSP violations', async () => {
  const antes = servidor.pedidos.length;
  const d = await abrirJogo(servidor, '?semente=7');
  try {
    // Past the title and into a week, so the pictures, fonts and sounds of a game are asked for too.
    await teclar(d, Key.ENTER, Key.PAGE_DOWN);
    await visivel(d, 'pgCandidatos', 'region', 'Candidatos');
    await teclar(d, ' ');
    await visivel(d, 'pgadversarios', 'region', 'Adversários');
    await teclar(d, Key.ENTER);
    await visivel(d, 'Image4', 'button', 'Passar a semana');
    await d.executeAsyncScript((feito) => navigator.serviceWorker.ready.then((r) => feito(r.active.state)));
    const pedidos = servidor.pedidos.slice(antes);
    assert.ok(pedidos.length > 5, `only ${pedidos.length} requests seen`);
    const origem = new URL(servidor.endereco).origin;
    assert.deepEqual(pedidos.filter((u) => new URL(u).origin !== origem), []);
    // The page's own account too, for anything the proxy was not asked for.
    const recursos = await d.executeScript(() => performance.getEntriesByType('resource').map((r) => r.name));
    assert.deepEqual(recursos.filter((u) => !/^(data|blob):/.test(u) && new URL(u).origin !== origem), []);
    // No file asked for is missing: a 404 is a console error in a browser.
    const servidos = new Set(servidor.enviados.map((e) => (e.caminho.endsWith('/') ? e.caminho + 'index.html' : e.caminho)));
    assert.deepEqual(arquivosPedidos({ ...servidor, pedidos }).filter((a) => !servidos.has(a)), []);
    assert.deepEqual(await sonda(d), { erros: [], csp: [] });
  } finally {
    await d.quit();
  }
});

test('WebKit plays every sound of the site, and loads every font', async () => {
  const d = await abrirJogo(servidor);
  try {
    // Each sound plays from the first key, as a player's would: its time
    // moves, and no error came.
    const sons = readdirSync(join(SITE, 'sons')).filter((n) => n.endsWith('.mp3'));
    assert.ok(sons.length >= 3, `only ${sons} in sons/`);
    await d.executeScript((lista) => addEventListener('keydown', () => {
      for (const nome of lista) new Audio('sons/' + nome).play().catch(() => {});
    }, { once: true, capture: true }), sons);
    await teclar(d, Key.ENTER);
    for (const nome of sons) await tocou(d, nome);

    // Past the candidates too, where the other faces are used: each face of
    // the page's stylesheet loaded from the site's own file.
    await visivel(d, 'pgregras', 'region', /^Regras\. /);
    await teclar(d, Key.PAGE_DOWN);
    await visivel(d, 'pgCandidatos', 'region', 'Candidatos');
    const faces = await d.executeAsyncScript((feito) => document.fonts.ready.then(() => feito([...document.fonts]
      .map((f) => `${f.family.replaceAll('"', '')} ${f.weight} ${f.style}: ${f.status}`))));
    const declaradas = readFileSync(join(SITE, 'index.html'), 'utf8').match(/@font-face/g).length;
    assert.equal(faces.length, declaradas, String(faces));
    assert.deepEqual(faces.filter((f) => !f.endsWith(': loaded')), []);
    assert.deepEqual(await sonda(d), { erros: [], csp: [] });
  } finally {
    await d.quit();
  }
});

test('the service worker takes the page, keeps every file it loaded, and plays offline', async () => {
  // A server of its own, the browser's proxy too: closed below, nothing answers.
  const proprio = await servir(SITE, { trocar: comSonda });
  let d = null;
  try {
    d = await abrirJogo(proprio);
    await esperar(d, () => navigator.serviceWorker.controller?.state === 'activated');
    const cache = await d.executeAsyncScript((feito) => caches.keys().then(feito));
    assert.equal(cache.length, 1);
    assert.match(cache[0], /^varzeno-[0-9a-f]{16}$/);
    // The worker's own script is the browser's to keep; the probe is this test's.
    const arquivos = arquivosPedidos(proprio).filter((a) => a !== '/sw.js' && a !== '/sonda.js');
    assert.ok(arquivos.includes('/index.html') && arquivos.length > 5, `only ${arquivos} loaded`);
    const faltam = await d.executeAsyncScript((nome, lista, feito) => caches.open(nome)
      .then((c) => Promise.all(lista.map((a) => c.match(new URL(a, location.href).href))))
      .then((achados) => feito(lista.filter((a, i) => !achados[i]))), cache[0], arquivos);
    assert.deepEqual(faltam, []);
    // The offline page keeps its probe: this test puts it in the cache.
    await d.executeAsyncScript((nome, feito) => caches.open(nome).then((c) => c.add('sonda.js')).then(() => feito()), cache[0]);

    await proprio.fechar();
    const vistos = proprio.pedidos.length;
    await d.get(proprio.endereco + '?semente=3');
    await esperar(d, () => document.documentElement.dataset.pronto === '1');
    assert.equal(await d.executeScript(() => navigator.serviceWorker.controller?.state), 'activated');
    assert.equal(await d.executeScript(() => typeof window.sonda), 'object');
    assert.equal(proprio.pedidos.length, vistos);
    await teclar(d, Key.ENTER);
    await visivel(d, 'pgregras', 'region', /^Regras\. /);
    assert.deepEqual(await sonda(d), { erros: [], csp: [] });
  } finally {
    await d?.quit();
    await proprio.fechar(); // again, if a step above failed: harmless otherwise
  }
});

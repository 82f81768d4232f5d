// What every chromium test needs: the site served (servidor.js), and
// Debian's chromium driven by playwright-core.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { before, after } from 'node:test';
import { chromium } from 'playwright-core';
import { SITE, servir } from './servidor.js';

export { SITE, servir };
const aqui = dirname(fileURLToPath(import.meta.url));
export const CHROMIUM = process.env.VARZENO_CHROMIUM ?? '/usr/bin/chromium';

// Headless, as root, with nothing reaching out to the network.
export const ARGUMENTOS_CHROMIUM = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export async function abrirNavegador() {
  const perfil = await mkdtemp(join(tmpdir(), 'varzeno-chromium-'));
  const contexto = await chromium.launchPersistentContext(perfil, {
    executablePath: CHROMIUM,
    headless: true,
    args: ARGUMENTOS_CHROMIUM,
  });
  return {
    contexto,
    fechar: async () => {
      await contexto.close();
      await rm(perfil, { recursive: true, force: true });
    },
  };
}

// The site served and a browser, for all the tests of a file: made before
// the first, closed after the last; read as ambiente.servidor and
// ambiente.navegador once the tests run.
export function servidorENavegador() {
  const ambiente = {};
  before(async () => {
    ambiente.servidor = await servir();
    ambiente.navegador = await abrirNavegador();
  });
  after(async () => {
    await ambiente.navegador?.fechar();
    await ambiente.servidor?.fechar();
  });
  return ambiente;
}

// A fresh page of the game, ready; opcoes: viewport, deviceScaleFactor,
// hasTouch, isMobile (a new context of its own when any is given).
export async function abrirJogo(servidor, navegador, busca = '', opcoes = null) {
  let pagina;
  let extra = null;
  if (opcoes) {
    extra = await navegador.contexto.browser()?.newContext(opcoes);
    pagina = await (extra ?? navegador.contexto).newPage();
  } else {
    pagina = await navegador.contexto.newPage();
  }
  const erros = [];
  pagina.on('pageerror', (e) => erros.push(String(e)));
  pagina.on('console', (m) => {
    if (m.type() === 'error') erros.push(m.text());
  });
  await pagina.goto(servidor.endereco + busca);
  await pagina.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  // The tests of a file share one browser's storage: a campaign an earlier
  // test left in progress would resume here. A fresh page starts at the title.
  if (await pagina.evaluate(() => localStorage.getItem('varzeno.campanha') !== null)) {
    await pagina.evaluate(() => localStorage.removeItem('varzeno.campanha'));
    await pagina.reload();
    await pagina.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  }
  return { pagina, erros };
}

// Waits until an async function run in the page gives a truthy value
// (page.waitForFunction takes the promise itself for one and returns at once).
export async function esperarNaPagina(pagina, funcao, arg, prazo = 30000) {
  const fim = Date.now() + prazo;
  while (!(await pagina.evaluate(funcao, arg))) {
    if (Date.now() > fim) throw new Error(`no truthy value in ${prazo} ms from ${funcao}`);
    await pagina.waitForTimeout(50);
  }
}

export const PASTA_CAPTURAS = process.env.VARZENO_CAPTURAS ?? join(aqui, '../../../build-web/capturas');

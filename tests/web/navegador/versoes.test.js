// One release replacing another at the same address. The first load after
// the new one is up is still the old page, from its cache, while the new
// worker fills a cache of its own; that worker takes the open page over at
// once (skipWaiting, clients.claim) and drops the old cache; the next load
// is the new release, and so is a load offline.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFile, cp, mkdtemp, readFile, rename, rm, symlink, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { SITE, servir, abrirNavegador, esperarNaPagina } from './ajuda.js';

const RAIZ = join(dirname(fileURLToPath(import.meta.url)), '../../..');
const MARCA = 'varzeno-lancamento-2';

let pasta, servidor, navegador, segunda;
before(async () => {
  pasta = await mkdtemp(join(tmpdir(), 'varzeno-lancamentos-'));
  // The second release: the built site with its page and a script changed,
  // its worker written again by the build's own step.
  segunda = join(pasta, 'segunda');
  await cp(SITE, segunda, { recursive: true });
  const pagina = join(segunda, 'index.html');
  await writeFile(pagina, (await readFile(pagina, 'utf8')).replace('<head>', `<head>\n<meta name="${MARCA}" content="1">`));
  await appendFile(join(segunda, 'js/regras.js'), `\n// ${MARCA}\n`);
  execFileSync('bash', [join(RAIZ, 'tools/web/trabalhador.sh'), join(RAIZ, 'web/site/sw.js'), segunda]);
  // The address serves whatever this link points to.
  await symlink(SITE, join(pasta, 'no-ar'));
  servidor = await servir(join(pasta, 'no-ar'));
  navegador = await abrirNavegador();
});
after(async () => {
  await navegador?.fechar();
  await servidor?.fechar();
  if (pasta) await rm(pasta, { recursive: true, force: true });
});

const versao = async (site) => /const VERSAO = '([0-9a-f]{16})';/.exec(await readFile(join(site, 'sw.js'), 'utf8'))[1];

async function publicar(site) {
  await symlink(site, join(pasta, 'novo'));
  await rename(join(pasta, 'novo'), join(pasta, 'no-ar'));
}

const pronto = (p) => p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
// The page and a file fetched now, each of the second release or not.
const paginaSegunda = (p) => p.evaluate((marca) => document.querySelector(`meta[name="${marca}"]`) !== null, MARCA);
const scriptSegundo = (p) => p.evaluate(async (marca) => (await (await fetch('js/regras.js')).text()).includes(marca), MARCA);

test('a new release takes over from the old one, drops its cache, and plays offline', async () => {
  const [v1, v2] = [await versao(SITE), await versao(segunda)];
  assert.notEqual(v1, v2, 'the second release has a version of its own');

  const p = await navegador.contexto.newPage();
  await p.goto(servidor.endereco);
  await pronto(p);
  await p.waitForFunction(() => navigator.serviceWorker.controller !== null);
  assert.deepEqual(await p.evaluate(() => caches.keys()), [`varzeno-${v1}`]);

  await publicar(segunda);
  await p.reload();
  await pronto(p);
  assert.equal(await paginaSegunda(p), false, 'the first load after the release is the old page, from its cache');
  // The new worker, once its cache is full, controls this very page (from
  // its start or by claiming it, whichever comes first).
  await esperarNaPagina(p, async (v2) => {
    const r = await navigator.serviceWorker.getRegistration();
    return (await caches.keys()).join() === `varzeno-${v2}` && r.active === navigator.serviceWorker.controller
      && r.waiting === null && r.installing === null;
  }, v2);

  await p.reload();
  await pronto(p);
  assert.equal(await paginaSegunda(p), true);
  assert.equal(await scriptSegundo(p), true);

  await navegador.contexto.setOffline(true);
  try {
    await p.goto(servidor.endereco + '?semente=3');
    await pronto(p);
    assert.equal(await paginaSegunda(p), true);
    assert.equal(await scriptSegundo(p), true);
    await p.getByRole('button', { name: 'Começar' }).click();
    await p.getByRole('region', { name: /^Regras\. / }).waitFor();
    assert.deepEqual(await p.evaluate(() => caches.keys()), [`varzeno-${v2}`]);
  } finally {
    await navegador.contexto.setOffline(false);
  }
  await p.close();
});

// Installing the game: the manifest offers the icon at 192 and 512 px for
// any use and at 512 px for a launcher's mask, each file is a PNG of the
// size it states, chromium reads the manifest without an error and finds
// the site installable, the offline worker keeps the icons, and the
// maskable one is opaque with nothing but its ground where a mask may cut.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { SITE, servidorENavegador, abrirJogo } from './ajuda.js';

const ambiente = servidorENavegador();
const manifesto = JSON.parse(await readFile(join(SITE, 'manifest.webmanifest'), 'utf8'));
const pngs = manifesto.icons.filter((i) => i.type === 'image/png');

const icone = (lado, uso) => pngs.find((i) => i.sizes === `${lado}x${lado}` && (i.purpose ?? 'any').split(' ').includes(uso));

// Width and height from the PNG's header: the signature, then IHDR.
async function tamanhoPng(arquivo) {
  const b = await readFile(arquivo);
  assert.deepEqual([...b.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a], `${arquivo} is not a PNG`);
  assert.equal(b.toString('latin1', 12, 16), 'IHDR', arquivo);
  return `${b.readUInt32BE(16)}x${b.readUInt32BE(20)}`;
}

test('the manifest offers 192 and 512 px for any use and 512 px maskable', () => {
  for (const [lado, uso] of [[192, 'any'], [512, 'any'], [512, 'maskable']]) {
    assert.ok(icone(lado, uso), `no ${lado} px icon for ${uso}`);
  }
});

test('each icon of the manifest is in the site at the size it states', async () => {
  assert.ok(pngs.length >= 3);
  for (const i of pngs) assert.equal(await tamanhoPng(join(SITE, i.src)), i.sizes, i.src);
});

test('chromium reads the manifest without an error and can install the site', async () => {
  const { pagina } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  await pagina.evaluate(async () => (await navigator.serviceWorker.ready).active.state);
  const cdp = await ambiente.navegador.contexto.newCDPSession(pagina);
  const lido = await cdp.send('Page.getAppManifest');
  assert.deepEqual(lido.errors, []);
  const endereco = (src) => new URL(src, ambiente.servidor.endereco).href;
  assert.deepEqual(lido.manifest.icons.map((i) => [i.url, i.sizes]), manifesto.icons.map((i) => [endereco(i.src), i.sizes]));
  // An icon chromium cannot use (an SVG of no stated size was one) reads
  // here as no-acceptable-icon.
  assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  await pagina.close();
});

test('the offline worker keeps every icon', async () => {
  const { pagina } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  await pagina.evaluate(async () => (await navigator.serviceWorker.ready).active.state);
  const faltam = await pagina.evaluate(async (srcs) => {
    const nomes = await caches.keys();
    const cache = await caches.open(nomes.find((n) => n.startsWith('varzeno-')));
    const achados = await Promise.all(srcs.map((s) => cache.match(new URL(s, location.href).href)));
    return srcs.filter((s, k) => !achados[k]);
  }, pngs.map((i) => i.src));
  assert.deepEqual(faltam, []);
  await pagina.close();
});

test('the maskable icon is opaque, and outside the circle a mask keeps it is all ground', async () => {
  const { pagina } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  const r = await pagina.evaluate(async (src) => {
    const img = new Image();
    img.src = src;
    await img.decode();
    const lado = img.naturalWidth;
    const tela = new OffscreenCanvas(lado, lado);
    const g = tela.getContext('2d');
    g.drawImage(img, 0, 0);
    const px = g.getImageData(0, 0, lado, lado).data;
    const [r0, g0, b0] = px;
    let transparentes = 0, foraDoFundo = 0, arte = 0;
    for (let y = 0; y < lado; ++y) {
      for (let x = 0; x < lado; ++x) {
        const k = 4 * (y * lado + x);
        if (px[k + 3] !== 255) ++transparentes;
        const fundo = px[k] === r0 && px[k + 1] === g0 && px[k + 2] === b0;
        if (Math.hypot(x + 0.5 - lado / 2, y + 0.5 - lado / 2) > 0.4 * lado) foraDoFundo += !fundo;
        else arte += !fundo;
      }
    }
    return { transparentes, foraDoFundo, arte, lado, fundo: '#' + [r0, g0, b0].map((c) => c.toString(16).padStart(2, '0')).join('') };
  }, icone(512, 'maskable').src);
  assert.equal(r.transparentes, 0);
  assert.equal(r.fundo, manifesto.background_color);
  assert.equal(r.foraDoFundo, 0);
  // The badge itself is there, most of the safe circle.
  assert.ok(r.arte > 0.5 * Math.PI * (0.4 * r.lado) ** 2, `${r.arte} pixels of art`);
  await pagina.close();
});

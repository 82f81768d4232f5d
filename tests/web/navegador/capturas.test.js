// Each set-up page against the desktop's screenshot of the same page
// (docs/capturas, grabbed from the real window under Xvfb), inside the
// window's outline; and every page saved at ratio 1 and 2 for a person to see.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, mkdir } from 'node:fs/promises';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { servir, abrirNavegador, abrirJogo, PASTA_CAPTURAS } from './ajuda.js';

const DESKTOP = join(dirname(fileURLToPath(import.meta.url)), '../../../docs/capturas');
const MARGEM = 12;  // the desktop's grabs show 12 px of desktop around the window
let servidor, navegador;
before(async () => {
  servidor = await servir();
  navegador = await abrirNavegador();
  await mkdir(PASTA_CAPTURAS, { recursive: true });
});
after(async () => {
  await navegador.fechar();
  await servidor.fechar();
});

// Share of the window's opaque pixels whose colour is within `tolerancia`
// on every channel, computed in the page from the two PNGs.
async function semelhanca(p, web, desktop, tolerancia = 40) {
  return p.evaluate(async ({ web, desktop, tolerancia, margem }) => {
    const carregar = (b64) => new Promise((ok, falha) => {
      const i = new Image();
      i.onload = () => ok(i);
      i.onerror = falha;
      i.src = 'data:image/png;base64,' + b64;
    });
    const pixels = (img, x, y) => {
      const c = new OffscreenCanvas(650, 198);
      const g = c.getContext('2d');
      g.drawImage(img, -x, -y);
      return g.getImageData(0, 0, 650, 198).data;
    };
    const mascara = await new Promise((ok) => {
      const i = new Image();
      i.onload = () => ok(i);
      i.src = 'figuras/Imp.png';
    });
    const [a, b, m] = [pixels(await carregar(web), 0, 0), pixels(await carregar(desktop), margem, margem), pixels(mascara, 0, 0)];
    let iguais = 0, total = 0;
    for (let i = 0; i < a.length; i += 4) {
      if (m[i + 3] === 0) continue;
      ++total;
      if (Math.abs(a[i] - b[i]) <= tolerancia && Math.abs(a[i + 1] - b[i + 1]) <= tolerancia && Math.abs(a[i + 2] - b[i + 2]) <= tolerancia) ++iguais;
    }
    return iguais / total;
  }, { web: web.toString('base64'), desktop: desktop.toString('base64'), tolerancia, margem: MARGEM });
}

async function percorrer(p, aoChegar) {
  await aoChegar('titulo');
  await p.getByRole('button', { name: 'Começar' }).click();
  await aoChegar('regras');
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await aoChegar('candidatos');
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Mais adversários' }).click();
  await aoChegar('adversarios');
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  await aoChegar('semana');
  // On to the first adverse event, and its message over the window.
  for (let i = 0; i < 19 && !(await p.getByRole('alertdialog').isVisible()); ++i)
    await p.getByRole('button', { name: 'Passar a semana' }).click();
  if (await p.getByRole('alertdialog').isVisible()) await aoChegar('evento');
  // On to the end, doing nothing, and the chart once drawn.
  await p.evaluate(() => (window.varzeno.pausaGrafico = 1));
  for (let i = 0; i < 200 && !(await p.locator('#pgGrafico').isVisible()); ++i) {
    if (await p.getByRole('alertdialog').isVisible()) await p.getByRole('button', { name: 'Ok' }).click();
    else await p.getByRole('button', { name: 'Passar a semana' }).click();
  }
  await p.locator('#imgBtn').waitFor();
  await aoChegar('grafico');
}

// The focus ring is the player's, not the picture's: away for the grabs.
const semFoco = (p) => p.evaluate(() => document.activeElement?.blur());

test('the set-up pages look as on the desktop', async () => {
  const { pagina: p } = await abrirJogo(servidor, navegador, '?semente=1500');
  const medidas = {};
  await percorrer(p, async (nome) => {
    await semFoco(p);
    const web = await p.locator('#janela').screenshot({ path: join(PASTA_CAPTURAS, `${nome}.png`), omitBackground: true });
    if (['titulo', 'regras', 'candidatos', 'adversarios'].includes(nome))
      medidas[nome] = await semelhanca(p, web, await readFile(join(DESKTOP, `${nome}.png`)));
  });
  console.log('likeness to the desktop:', JSON.stringify(medidas));
  // Lettering is rasterised by each toolkit its own way: the text-heavy rules
  // page is the least alike (about 93 %), the pictures alone match.
  for (const [nome, v] of Object.entries(medidas)) assert.ok(v >= 0.9, `${nome}: only ${(100 * v).toFixed(1)} % alike`);
  // A test that can fail: the rules against the title is far from alike.
  const regras = await readFile(join(PASTA_CAPTURAS, 'regras.png'));
  assert.ok((await semelhanca(p, regras, await readFile(join(DESKTOP, 'titulo.png')))) < 0.8);
  await p.close();
});

test('every page at ratio 2', async () => {
  const { pagina: p } = await abrirJogo(servidor, navegador, '?semente=1500', { deviceScaleFactor: 2, viewport: { width: 800, height: 400 } });
  await percorrer(p, async (nome) => {
    await semFoco(p);
    await p.locator('#janela').screenshot({ path: join(PASTA_CAPTURAS, `${nome}@2x.png`) });
  });
  // The pictures on show are the twice-size ones.
  assert.match(await p.locator('#Imp').evaluate((i) => i.currentSrc), /Imp@2x\.png$/);
  await p.close();
});

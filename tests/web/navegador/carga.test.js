// The first visit: the title page's first paint waits only on what it shows.
// The play area is hidden in the page as served, not only once the script
// runs; the engine and the music are asked for after the first paint, and
// the other pages' pictures after the page has loaded, all of them, before
// anyone can reach those pages.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { servidorENavegador, abrirJogo } from './ajuda.js';

const ambiente = servidorENavegador();

// First in the file: no offline worker is there yet to serve the scripts
// past the route.
test('before any script runs, only the title page shows', async () => {
  const p = await ambiente.navegador.contexto.newPage();
  await p.route('**/*.js', (r) => r.abort());
  await p.goto(ambiente.servidor.endereco);
  const visivel = (ids) => p.evaluate((l) => l.filter((id) => document.getElementById(id).checkVisibility()), ids);
  assert.deepEqual(await visivel(['Imp', 'Abook', 'pgDefault', 'Image1', 'Fim']), ['Imp', 'Abook', 'pgDefault', 'Image1', 'Fim']);
  assert.deepEqual(await visivel(['semana', 'Label8', 'Label2', 'Label3', 'Label4', 'Label9', 'Image4', 'Image9',
    'pgregras', 'pgCandidatos', 'pgadversarios', 'pgGrafico', 'formDialog']), []);
  await p.close();
});

test('the pictures the title page does not show load after the page, and all of them load', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  await p.waitForFunction(() => [...document.images].every((i) => i.complete && i.naturalWidth > 0));
  await p.waitForFunction(() => performance.getEntriesByType('resource').some((r) => r.name.endsWith('/sons/musica.mp3')));
  const { fimDaCarga, adiadas, cedo, pintura, depoisDaPintura, titulo } = await p.evaluate(() => {
    const nav = performance.getEntriesByType('navigation')[0];
    const inicio = new Map(performance.getEntriesByType('resource').map((r) => [new URL(r.name).pathname, r.startTime]));
    const naTitulo = (i) => i.id === 'Imp' || i.closest('#pgDefault') || (i.closest('#Fim') && !i.classList.contains('premida'));
    const adiadas = [...document.querySelectorAll('#janela img')].filter((i) => !naTitulo(i));
    return {
      fimDaCarga: nav.loadEventStart,
      adiadas: adiadas.map((i) => new URL(i.currentSrc).pathname).map((c) => [c, inicio.get(c)]),
      titulo: new URL(document.querySelector('#Image1 img').currentSrc).pathname,
      cedo: ['/figuras/Imp.webp', '/figuras/Image1.avif', '/figuras/Fim1.png'].map((c) => inicio.get(c) ?? null),
      pintura: performance.getEntriesByName('first-paint')[0].startTime,
      depoisDaPintura: ['/js/varzeno.js', '/js/varzeno.wasm', '/sons/musica.mp3'].map((c) => [c, inicio.get(c)]),
    };
  });
  // The title picture in the smallest format the browser takes.
  assert.equal(titulo, '/figuras/Image1.avif');
  for (const [caminho, inicio] of depoisDaPintura) {
    assert.ok(inicio >= pintura, `${caminho} asked for at ${inicio} ms, before the first paint (${pintura} ms)`);
  }
  const fotos = [15, 25, 35, 45, 55, 65].map((n) => `/figuras/foto${n}.png`);
  assert.deepEqual([...new Set(adiadas.map(([caminho]) => caminho))].sort(), ['/figuras/Fim2.png', '/figuras/Image5.png',
    '/figuras/Image6.png', '/figuras/Image7.png', '/figuras/Image8.png', '/figuras/Image9.png', '/figuras/dlgImp.png',
    ...fotos].sort());
  for (const [caminho, inicio] of adiadas) {
    assert.ok(inicio >= fimDaCarga, `${caminho} asked for at ${inicio} ms, before the page had loaded (${fimDaCarga} ms)`);
  }
  for (const inicio of cedo) assert.ok(inicio !== null && inicio < fimDaCarga);
  assert.deepEqual(erros, []);
  await p.close();
});

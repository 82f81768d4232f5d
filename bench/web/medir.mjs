// The web edition's figures, each against its target, in Debian's chromium:
// what a first visit transfers before the title is up (ratio 1 and 2), first
// paint against a bare page with one 650×198 picture, the chart's pace, key
// to panel, CPU while idle, and the wasm engine against the native one.
//   node bench/web/medir.mjs NATIVE_BUILD WEB_BUILD
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import { mkdtemp, copyFile, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const [nativo, web] = process.argv.slice(2).map((d) => resolve(d));
process.env.VARZENO_SITE = join(web, 'site');
const aqui = dirname(fileURLToPath(import.meta.url));
const ajuda = await import(join(aqui, '../../tests/web/navegador/ajuda.js'));
const { chromium } = createRequire(join(aqui, '../../tests/web/package.json'))('playwright-core');

const resultados = [];
function relatar(nome, valor, unidade, alvo, ok) {
  resultados.push(ok);
  console.log(`${ok ? 'ok  ' : 'MISS'} ${nome}: ${valor} ${unidade} (target ${alvo})`);
}
const mediana = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];

const servidor = await ajuda.servir();
const navegador = await chromium.launch({ executablePath: ajuda.CHROMIUM, headless: true, args: ajuda.ARGUMENTOS_CHROMIUM });

// 1. Bytes before the title page is up, the offline worker kept out (it
// fetches the rest afterwards, which is "when needed" for offline play).
for (const [razao, alvo] of [[1, 1024 * 1024], [2, 2.5 * 1024 * 1024]]) {
  const contexto = await navegador.newContext({ deviceScaleFactor: razao, serviceWorkers: 'block' });
  const p = await contexto.newPage();
  const inicio = servidor.enviados.length;
  await p.goto(servidor.endereco);
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  await p.locator('#Image1 img').evaluate((i) => i.decode());
  const bytes = servidor.enviados.slice(inicio).reduce((s, e) => s + e.bytes, 0);
  relatar(`first visit to the title page, ratio ${razao}`, (bytes / 1024).toFixed(0), 'KiB', `<= ${alvo / 1024} KiB`, bytes <= alvo);
  await contexto.close();
}

// 2. First paint against a bare page with the window's picture, interleaved.
const nua = await mkdtemp(join(tmpdir(), 'varzeno-nua-'));
await copyFile(join(web, 'site/figuras/Imp.png'), join(nua, 'Imp.png'));
await writeFile(join(nua, 'index.html'), '<!doctype html><meta charset="utf-8"><title>nua</title><img src="Imp.png" width="650" height="198" alt="">');
const servidorNu = await ajuda.servir(nua);
const fcp = async (endereco) => {
  const contexto = await navegador.newContext({ serviceWorkers: 'block' });
  const p = await contexto.newPage();
  await p.goto(endereco);
  const t = await p.evaluate(() => new Promise((ok) => new PerformanceObserver((l) => {
    const e = l.getEntries().find((x) => x.name === 'first-contentful-paint');
    if (e) ok(e.startTime);
  }).observe({ type: 'paint', buffered: true })));
  await contexto.close();
  return t;
};
const jogo = [], bare = [];
for (let i = 0; i < 21; ++i) {
  bare.push(await fcp(servidorNu.endereco));
  jogo.push(await fcp(servidor.endereco));
}
const razaoFcp = mediana(jogo) / mediana(bare);
relatar('first paint, game / bare picture', `${mediana(jogo).toFixed(0)} / ${mediana(bare).toFixed(0)} ms = ${razaoFcp.toFixed(2)}`, '×', '<= 1.5×', razaoFcp <= 1.5);

// 3–5. A game to the chart at the desktop's pace, key to panel, idle CPU.
{
  const contexto = await navegador.newContext({ serviceWorkers: 'block' });
  const p = await contexto.newPage();
  await p.goto(servidor.endereco + '?semente=11');
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  const cdp = await contexto.newCDPSession(p);
  await cdp.send('Performance.enable');
  const tarefa = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  await p.waitForTimeout(1000);
  const t0 = await tarefa();
  await p.waitForTimeout(5000);
  const ocioso = (await tarefa()) - t0;
  relatar('CPU while idle on the title page', (100 * ocioso / 5).toFixed(2), '% of one core', '< 1 %', ocioso / 5 < 0.01);

  await p.keyboard.press('Enter');
  await p.keyboard.press('PageDown');
  await p.keyboard.press('Enter');
  await p.keyboard.press('Enter');
  await p.waitForFunction(() => window.varzeno.estado.pagina === null);
  await p.evaluate(() => {
    window.varzeno.teclas = [];
    document.addEventListener('keyup', (e) => window.varzeno.teclas.push(e.timeStamp), { capture: true });
  });
  const atrasos = [];
  for (let i = 0; i < 400; ++i) {
    if (await p.locator('#pgGrafico').isVisible()) break;
    const antes = await p.evaluate(() => window.varzeno.painelEscrito ?? 0);
    await p.keyboard.press('Enter');
    const d = await p.evaluate((antes) => {
      const fim = window.varzeno.painelEscrito ?? 0;
      return fim > antes ? fim - window.varzeno.teclas[window.varzeno.teclas.length - 1] : null;
    }, antes);
    if (d !== null) atrasos.push(d);
  }
  const pior = Math.max(...atrasos);
  relatar(`key release to panel written (worst of ${atrasos.length} weeks)`, pior.toFixed(1), 'ms', '<= 16 ms', pior <= 16);
  await p.waitForFunction(() => window.varzeno.duracaoGrafico !== undefined, null, { timeout: 30000 });
  const [duracao, segmentos] = await p.evaluate(() => [window.varzeno.duracaoGrafico, Number(document.getElementById('imgGraf').dataset.segmentos)]);
  relatar(`the chart's ${segmentos} segments`, (duracao / 1000).toFixed(3), 's', `${(segmentos * 0.125).toFixed(1)} s ± 3 %`,
    segmentos === 72 && Math.abs(duracao - 9000) <= 270);
  await contexto.close();
}
await navegador.close();
await servidor.fechar();
await servidorNu.fechar();

// 6. The engine: the same games, native and wasm under node, side by side,
// each run a few seconds long so that the engine's speed, not V8's first
// tier before it has optimised the hot code, is what is compared.
const semanasPorSegundo = (saida) => Number(/\(([\d.]+) semanas\/s\)/.exec(saida)[1]);
const opcoes = ['--jogos', '200000', '--semente', '1', '--oponentes', '5', '--estrategia', 'popular'];
const nativas = [], wasms = [];
for (let i = 0; i < 3; ++i) {
  nativas.push(semanasPorSegundo(execFileSync(join(nativo, 'tools/sim/varzeno-sim'), opcoes, { encoding: 'utf8' })));
  wasms.push(semanasPorSegundo(execFileSync('node', [join(web, 'tools/sim/varzeno-sim.js'), ...opcoes], { encoding: 'utf8' })));
}
const r = mediana(wasms) / mediana(nativas);
relatar('wasm engine / native engine', `${mediana(wasms).toFixed(0)} / ${mediana(nativas).toFixed(0)} weeks/s = ${r.toFixed(2)}`, '×', '>= 0.5×', r >= 0.5);

process.exit(resultados.every(Boolean) ? 0 : 1);

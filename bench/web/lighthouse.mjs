// Lighthouse's four scores for the web edition, mobile and desktop presets,
// in Debian's chromium. Performance
// must be 100 in both; the other three are reported with what they flag
// (the game's own colours and 11 px lettering are its design, not a fault).
//   node bench/web/lighthouse.mjs WEB_BUILD
import lighthouse from 'lighthouse';
import * as chromeLauncher from 'chrome-launcher';
import desktop from 'lighthouse/core/config/desktop-config.js';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const web = resolve(process.argv[2] ?? 'build-web');
process.env.VARZENO_SITE = join(web, 'site');
const aqui = dirname(fileURLToPath(import.meta.url));
const { servir, CHROMIUM } = await import(join(aqui, '../../tests/web/navegador/ajuda.js'));

const CATEGORIAS = ['performance', 'accessibility', 'best-practices', 'seo'];
// Compressed, as a web host serves it.
const servidor = await servir(undefined, { comprimir: true });
// Its own profile in a folder of its own, stopped by its PID when done.
const chrome = await chromeLauncher.launch({
  chromePath: CHROMIUM,
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run'],
});
let falhou = false;
try {
  for (const [nome, config] of [['mobile', undefined], ['desktop', desktop]]) {
    // Three runs, the median's report kept: one run on a 2-core machine can
    // catch a busy moment.
    const relatorios = [];
    for (let i = 0; i < 3; ++i) {
      const { lhr } = await lighthouse(servidor.endereco, { port: chrome.port, output: 'json', logLevel: 'error',
        onlyCategories: CATEGORIAS }, config);
      relatorios.push(lhr);
    }
    relatorios.sort((a, b) => a.categories.performance.score - b.categories.performance.score);
    const lhr = relatorios[1];
    const nota = (c) => Math.round(lhr.categories[c].score * 100);
    const metrica = (id) => lhr.audits[id].displayValue.replace(/\u00a0/g, ' ');
    const desempenho = relatorios.map((r) => Math.round(r.categories.performance.score * 100));
    const ok = nota('performance') === 100;
    falhou ||= !ok;
    console.log(`${ok ? 'ok  ' : 'MISS'} Lighthouse ${lhr.lighthouseVersion}, ${nome}: performance ${nota('performance')} `
      + `(runs ${desempenho.join(', ')}), accessibility ${nota('accessibility')}, best practices ${nota('best-practices')}, `
      + `SEO ${nota('seo')} (target: performance 100)`);
    console.log(`     FCP ${metrica('first-contentful-paint')}, LCP ${metrica('largest-contentful-paint')}, `
      + `TBT ${metrica('total-blocking-time')}, CLS ${metrica('cumulative-layout-shift')}, SI ${metrica('speed-index')}`);
    for (const c of CATEGORIAS) {
      for (const ref of lhr.categories[c].auditRefs) {
        const a = lhr.audits[ref.id];
        if (ref.weight > 0 && a.score !== null && a.score < 1) console.log(`     ${c}: ${a.id} (${a.title})`);
      }
    }
  }
} finally {
  await chrome.kill();
  await servidor.fechar();
}
process.exit(falhou ? 1 : 0);

// A phone: the window fits the viewport, a finger plays a whole game by
// taps, the small controls take touches over at least 24×24 px without
// reaching one another, and an upright phone is told to turn.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { servir, CHROMIUM, ARGUMENTOS_CHROMIUM } from './ajuda.js';

let servidor, navegador;
before(async () => {
  servidor = await servir();
  navegador = await chromium.launch({ executablePath: CHROMIUM, headless: true,
    args: ARGUMENTOS_CHROMIUM });
});
after(async () => {
  await navegador.close();
  await servidor.fechar();
});

async function telefone(largura, altura, antes = null) {
  const contexto = await navegador.newContext({ viewport: { width: largura, height: altura }, deviceScaleFactor: 3,
    isMobile: true, hasTouch: true });
  const p = await contexto.newPage();
  if (antes) await p.addInitScript(antes);
  await p.goto(servidor.endereco + '?semente=77');
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  return { p, contexto };
}

// The control under each corner of a square of `lado` px around the centre,
// or, for the spinner's halves, standing on the bottom of the upper one and
// hanging from the top of the lower one (their areas grow away from each other).
async function alcance(p, id, lado, lugar = 'centro') {
  return p.evaluate(({ id, lado, lugar }) => {
    const el = document.getElementById(id);
    const r = el.getBoundingClientRect();
    const m = lado / 2 - 0.5;
    const cx = r.left + r.width / 2;
    const cy = lugar === 'base' ? r.bottom - 1 - lado / 2 : lugar === 'topo' ? r.top + 1 + lado / 2 : r.top + r.height / 2;
    return [[cx - m, cy - m], [cx + m, cy - m], [cx - m, cy + m], [cx + m, cy + m]].map(([x, y]) => {
      const alvo = document.elementFromPoint(x, y);
      return alvo?.closest('button, input')?.id ?? null;
    });
  }, { id, lado, lugar });
}

test('a whole game by taps on a phone held sideways', async () => {
  const { p, contexto } = await telefone(740, 360);
  const caixa = await p.locator('#janela').boundingBox();
  assert.ok(caixa.width <= 740.5 && caixa.width > 650, `window ${caixa.width} px wide`);
  assert.equal(await p.locator('#girar').isVisible(), false);
  await p.getByRole('button', { name: 'Começar' }).tap();
  await p.getByRole('button', { name: 'Próxima página' }).tap();
  for (const id of ['bt3', 'bt4']) assert.deepEqual(await alcance(p, id, 24), [id, id, id, id]);
  // One tap on a photo chooses it.
  await p.getByRole('button', { name: 'Candidato 55', exact: true }).tap();
  await p.getByRole('region', { name: 'Adversários', exact: true }).waitFor();
  assert.deepEqual(await alcance(p, 'UpDownAcima', 24, 'base'), Array(4).fill('UpDownAcima'));
  assert.deepEqual(await alcance(p, 'UpDownAbaixo', 24, 'topo'), Array(4).fill('UpDownAbaixo'));
  await p.getByRole('button', { name: 'Mais adversários' }).tap();
  assert.equal(await p.getByRole('spinbutton').getAttribute('aria-valuenow'), '3');
  await p.getByRole('button', { name: 'Iniciar campanha' }).tap();
  for (const id of ['Trava1', 'Trava2', 'Trava3', 'Trava4']) {
    const r = await p.locator('#' + id).boundingBox();
    assert.ok(r.width >= 24 && r.height >= 24, `${id}: ${r.width}×${r.height}`);
    assert.deepEqual(await alcance(p, id, 24), [id, id, id, id]);
  }
  // The mark drawn stays the desktop's 11×11 picture, scaled with the window.
  const k = await p.evaluate(() => Number(getComputedStyle(document.documentElement).getPropertyValue('--k')));
  assert.equal(await p.locator('#Trava1').evaluate((m) => getComputedStyle(m).backgroundSize), '11px 11px');
  assert.ok(k > 1);
  await p.locator('#Trava2').tap();
  assert.equal(await p.locator('#Trava2').isChecked(), true);
  await p.locator('#Trava4').tap();
  for (let i = 0; i < 200 && !(await p.locator('#pgGrafico').isVisible()); ++i) {
    if (await p.getByRole('dialog').isVisible()) await p.getByRole('button', { name: 'Ok' }).tap();
    else await p.getByRole('button', { name: 'Passar a semana' }).tap();
  }
  assert.equal(await p.locator('#pgGrafico').isVisible(), true);
  await contexto.close();
});

test('upright, the phone is asked to turn over the whole screen, and may go on', async () => {
  const { p, contexto } = await telefone(390, 844);
  const caixa = await p.locator('#janela').boundingBox();
  assert.ok(caixa.x >= -0.5 && caixa.x + caixa.width <= 390.5, `window from ${caixa.x}, ${caixa.width} px wide`);
  const prompt = p.getByRole('region', { name: 'Gire o telefone para jogar.' });
  assert.equal(await prompt.isVisible(), true);
  assert.deepEqual(await prompt.boundingBox(), { x: 0, y: 0, width: 390, height: 844 });
  assert.ok(parseFloat(await p.locator('#girarTexto').evaluate((e) => getComputedStyle(e).fontSize)) >= 24);
  // The game behind is out of reach meanwhile.
  assert.equal(await p.locator('#moldura').evaluate((e) => e.inert), true);
  await p.getByRole('button', { name: 'Continuar assim' }).tap();
  assert.equal(await prompt.isVisible(), false);
  // Still playable: a tap starts.
  await p.getByRole('button', { name: 'Começar' }).tap();
  await p.getByRole('region', { name: /^Regras\. / }).waitFor();
  await contexto.close();
});

// The window is laid out at its scale from the first frame: nothing on the
// title page moves while the page loads, upright or sideways.
test('the title page does not shift while it loads', async () => {
  for (const [largura, altura] of [[390, 844], [844, 390]]) {
    const { p, contexto } = await telefone(largura, altura, () => {
      window.deslocamentos = [];
      new PerformanceObserver((l) => window.deslocamentos.push(...l.getEntries().map((e) => e.value)))
        .observe({ type: 'layout-shift', buffered: true });
    });
    await p.locator('#Image1 img').evaluate((i) => i.decode());
    await p.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    assert.deepEqual(await p.evaluate(() => window.deslocamentos), [], `${largura}×${altura}`);
    await contexto.close();
  }
});

test('upright, one tap asks for full screen locked to landscape', async () => {
  const { p, contexto } = await telefone(390, 844, () => {
    // What the page asks for, and what this browser answers.
    window.pedidos = [];
    const tela = Element.prototype.requestFullscreen;
    Element.prototype.requestFullscreen = function (...a) {
      window.pedidos.push('telaCheia');
      return tela.apply(this, a);
    };
    const travar = screen.orientation.lock.bind(screen.orientation);
    screen.orientation.lock = (o) => {
      window.pedidos.push('travar:' + o);
      return travar(o).then(() => window.pedidos.push('travada'), (e) => {
        window.pedidos.push('recusada');
        throw e;
      });
    };
  });
  await p.getByRole('button', { name: 'Jogar em tela cheia' }).tap();
  await p.waitForFunction(() => window.pedidos.includes('travada') || window.pedidos.includes('recusada'));
  const pedidos = await p.evaluate(() => window.pedidos);
  assert.deepEqual(pedidos.slice(0, 2), ['telaCheia', 'travar:landscape']);
  assert.equal(await p.evaluate(() => document.fullscreenElement === document.documentElement), true);
  // Where the lock is refused (headless Chromium keeps its emulated
  // portrait), the prompt stays to turn the phone by hand.
  const prompt = p.getByRole('region', { name: 'Gire o telefone para jogar.' });
  assert.equal(await prompt.isVisible(), pedidos.includes('recusada'));
  await contexto.close();
});

test('upright, without full screen the prompt only asks to turn the phone', async () => {
  const { p, contexto } = await telefone(390, 844, () => {
    Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => false });
  });
  assert.equal(await p.getByRole('region', { name: 'Gire o telefone para jogar.' }).isVisible(), true);
  assert.equal(await p.locator('#telaCheia').isVisible(), false);
  // The installed app opens sideways.
  const manifesto = await (await p.request.get(servidor.endereco + 'manifest.webmanifest')).json();
  assert.equal(manifesto.orientation, 'landscape');
  await contexto.close();
});

test('offline after one visit', async () => {
  const contexto = await navegador.newContext();
  const p = await contexto.newPage();
  await p.goto(servidor.endereco);
  await p.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  await contexto.setOffline(true);
  await p.goto(servidor.endereco + '?semente=3');
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('region', { name: /^Regras\. / }).waitFor();
  // Only this site's files were cached, under this release's name.
  const caches = await p.evaluate(() => caches.keys());
  assert.equal(caches.length, 1);
  assert.match(caches[0], /^varzeno-[0-9a-f]{16}$/);
  await contexto.close();
});

// An accessibility audit of every page with axe-core (WCAG 2.2 A and AA),
// and the names a screen reader reads, as the desktop's table gives them.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { servidorENavegador, abrirJogo } from './ajuda.js';

const require = createRequire(import.meta.url);
const AXE = await readFile(require.resolve('axe-core/axe.min.js'), 'utf8');
const ambiente = servidorENavegador();

// The desktop's own colour pairs below 4.5:1, kept as they are by default
// (see the contrast rule at the end of estilo.css): the panel's captions on
// its sea green, and the aqua headings of the pages on their slate.
const CORES_DO_DESKTOP = new Set(['#Label5', '#Label6', '#Label7', '#Label14', '.titulo:nth-child(1)', '#Label34',
  '#lblNomeJog', '#Label19']);
let todas = [];
let modo = 'padrao';
async function auditar(p, onde) {
  // Evaluated by the test's own channel, which the page's script policy
  // does not govern; the page itself loads nothing but its own files.
  if (!(await p.evaluate(() => 'axe' in window))) await p.evaluate(AXE);
  const r = await p.evaluate(() => axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] },
  }));
  const violacoes = r.violations.map((v) => ({
    ...v,
    nodes: v.nodes.filter((n) => !(modo === 'padrao' && v.id === 'color-contrast' && CORES_DO_DESKTOP.has(n.target.join(' ')))),
  })).filter((v) => v.nodes.length);
  const falhas = violacoes.map((v) => `${onde}: ${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  todas.push(...falhas);
  assert.ok(r.passes.length > 10, `${onde}: axe checked almost nothing`);
}

for (const contraste of ['no-preference', 'more'])
test(`every page passes the audit (contrast: ${contraste})`, async () => {
  todas = [];
  modo = contraste === 'more' ? 'contraste' : 'padrao';
  const { pagina: p } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=5');
  await p.emulateMedia({ contrast: contraste });
  await p.evaluate(() => (window.varzeno.pausaGrafico = 1));
  await auditar(p, 'title');
  await p.getByRole('button', { name: 'Começar' }).click();
  await auditar(p, 'rules');
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await auditar(p, 'candidates');
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('dialog').waitFor();
  await auditar(p, 'message');
  await p.getByRole('button', { name: 'Ok' }).click();
  await p.getByRole('button', { name: 'Candidato 35', exact: true }).dblclick();
  await auditar(p, 'opponents');
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  await auditar(p, 'campaign');
  // To the end, doing nothing.
  for (let i = 0; i < 200 && !(await p.locator('#pgGrafico').isVisible()); ++i) {
    if (await p.getByRole('dialog').isVisible()) await p.getByRole('button', { name: 'Ok' }).click();
    else await p.getByRole('button', { name: 'Passar a semana' }).click();
  }
  await p.locator('#imgBtn').waitFor();
  await auditar(p, 'chart');
  await p.close();
  assert.deepEqual(todas, []);
});

test('the desktop reader names, each read once', async () => {
  const { pagina: p } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  const arvore = async () => (await p.locator('body').ariaSnapshot());
  // The title: its button, and the window's buttons under the pages are not offered.
  let a = await arvore();
  assert.match(a, /button "Começar"/);
  assert.doesNotMatch(a, /Passar a semana/);
  assert.doesNotMatch(a, /Música/);
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  a = await arvore();
  for (const nome of ['Candidato 15', 'Trocar foto de Candidato 15', 'Candidato 65', 'Página anterior', 'Próxima página'])
    assert.match(a, new RegExp(`button "${nome}"`));
  assert.equal(await p.getByRole('textbox', { name: 'Nome do candidato' }).count(), 6);
  // Renaming renames the photo's and the camera's buttons.
  await p.locator('#Ncan2').fill('Dona Zefa');
  assert.equal(await p.getByRole('button', { name: 'Trocar foto de Dona Zefa' }).count(), 1);
  await p.getByRole('button', { name: 'Dona Zefa', exact: true }).dblclick();
  const spin = p.getByRole('spinbutton', { name: 'Número de adversários' });
  assert.equal(await spin.getAttribute('aria-valuemin'), '2');
  assert.equal(await spin.getAttribute('aria-valuemax'), '5');
  await spin.press('ArrowUp');
  // The spinner's value is spoken: its value text follows.
  assert.equal(await spin.getAttribute('aria-valuetext'), '3');
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  a = await arvore();
  // Each mark by its option and its place among the four.
  assert.match(a, /radio "Não fazer nada, 4 de 4" \[checked\]/);
  assert.match(a, /radio ".+ Din: -?\d+ +Pop: -?\d+ +hon: -?\d+, 1 de 4"/);
  assert.equal(await p.getByRole('radio').count(), 4);
  // Each option is read once, as its mark's name, not again as text.
  const opcao = (await p.locator('#Label2').innerText()).split(' Din:')[0];
  assert.equal(a.split(opcao).length - 1, 1, a);
  assert.doesNotMatch(a, /text: .*Não fazer nada/);
  assert.match(a, /Semanas até 1o turno: 20/);
  // The poll: one item per filled row; the drawn panel itself is hidden.
  const linhas = await p.getByRole('list', { name: 'Pesquisa' }).getByRole('listitem').allInnerTexts();
  assert.equal(linhas.length, 5);
  for (const l of linhas) assert.match(l, /^.+: \d+%$/);
  assert.doesNotMatch(a, /\.\.\.\.\./);
  // A quiet week is announced, with the weeks left; a week that opens with
  // an adverse event is read by its message, then the week once it closes.
  let quieta = false;
  for (let semana = 19; semana > 0 && !quieta; --semana) {
    await p.getByRole('button', { name: 'Passar a semana' }).click();
    await p.waitForFunction(() => document.getElementById('aviso').textContent !== '' ||
      !document.getElementById('formDialog').hidden);
    if (await p.getByRole('dialog').isVisible()) {
      assert.equal(await p.locator('#aviso').textContent(), '');
      await p.getByRole('button', { name: 'Ok' }).click();
      await p.waitForFunction(() => /^Semanas até/.test(document.getElementById('aviso').textContent));
      continue;
    }
    quieta = true;
    assert.match(await p.locator('#aviso').textContent(),
      new RegExp(`^Semanas até 1o turno: ${semana}\\. Dinheiro: -?\\d+\\. Popularidade: -?\\d+%\\. Honestidade: -?\\d+\\.$`));
  }
  assert.ok(quieta, 'no quiet week in a whole round');
  assert.equal(await p.locator('#aviso').getAttribute('role'), 'status');
  await p.evaluate(() => localStorage.clear());  // the renamed candidate, kept by the browser
  await p.close();
});

test("the fixed controls and pages carry the desktop table's names", async () => {
  const { pagina: p } = await abrirJogo(ambiente.servidor, ambiente.navegador);
  const faltas = await p.evaluate(() => {
    const nomes = window.varzeno.motor.textos().nomesAcessiveis;
    return Object.entries(nomes).flatMap(([id, nome]) => {
      const el = document.getElementById(id) ?? document.getElementById('pg' + id);
      return el && el.getAttribute('aria-label') === nome ? [] : [`${id}: ${el ? el.getAttribute('aria-label') : 'missing'}`];
    });
  });
  const total = await p.evaluate(() => Object.keys(window.varzeno.motor.textos().nomesAcessiveis).length);
  assert.equal(total, 20);
  assert.deepEqual(faltas, []);
  // The title's button as a reader finds it.
  assert.equal(await p.getByRole('button', { name: 'Começar', exact: true }).count(), 1);
  await p.close();
});

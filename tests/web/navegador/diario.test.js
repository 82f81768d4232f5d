// The campaign diary in the page: opened by key and by its button during a
// campaign and on the chart, a table with row and column headers that axe
// passes, the campaign's link, and a file byte for byte the simulator's.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { servidorENavegador, abrirJogo } from './ajuda.js';
import { SITE } from './servidor.js';

const require = createRequire(import.meta.url);
const AXE = await readFile(require.resolve('axe-core/axe.min.js'), 'utf8');
const SIM_NATIVO = process.env.VARZENO_SIM_NATIVO ?? join(SITE, '../../build/tools/sim/varzeno-sim');
const ambiente = servidorENavegador();

async function comecar(p) {
  await p.evaluate(() => (window.varzeno.pausaGrafico = 1));
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 35', exact: true }).dblclick();
  const nome = await p.locator('#lblNomeJog').textContent();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  return nome;
}

// A week doing nothing; an event's message is closed first.
// Says whether a week was played.
async function semana(p) {
  if (await p.locator('#formDialog').isVisible()) {
    await p.getByRole('button', { name: 'Ok' }).click();
    return false;
  }
  await p.getByRole('button', { name: 'Passar a semana' }).click();
  return true;
}

async function exportar(p) {
  const [baixado] = await Promise.all([p.waitForEvent('download'), p.getByRole('button', { name: 'Exportar diário (CSV)' }).click()]);
  return { nome: baixado.suggestedFilename(), bytes: await readFile(await baixado.path()) };
}

test('the diary of a whole campaign, by key and by button, is the simulator\'s file', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=5');
  // Nothing to open on the title page.
  assert.equal(await p.locator('#abrirDiario').isVisible(), false);
  await p.keyboard.press('d');
  assert.equal(await p.locator('#diario').isVisible(), false);
  const nome = await comecar(p);

  // Three weeks in, D shows those three weeks; Esc closes it.
  for (let k = 0; k < 3;) if (await semana(p)) ++k;
  if (await p.locator('#formDialog').isVisible()) await p.getByRole('button', { name: 'Ok' }).click();
  await p.locator('#Trava4').focus();
  await p.keyboard.press('d');
  await p.getByRole('dialog', { name: 'Diário da campanha' }).waitFor();
  const tabela = p.getByRole('table', { name: 'Diário da campanha' });
  assert.equal(await tabela.locator('tbody tr').count(), 3);
  assert.deepEqual(await tabela.locator('thead th').allTextContents(),
    ['Semana', 'Evento', 'Ação', 'Penalidade', 'Dinheiro', 'Popularidade', 'Honestidade', 'Posição', 'Líder']);
  assert.equal(await tabela.locator('thead th[scope=col]').count(), 9);
  assert.deepEqual(await tabela.locator('tbody th[scope=row]').allTextContents(),
    ['1o turno, semana 1', '1o turno, semana 2', '1o turno, semana 3']);
  assert.equal(await tabela.locator('tbody tr').first().locator('td').nth(1).textContent(), 'Não fazer nada.');
  assert.match(await p.locator('#diarioRodape').textContent(), /Campanha em andamento: 3 semanas jogadas\./);
  // The page's own keys stay out: a digit does not mark an option behind it.
  await p.keyboard.press('1');
  assert.equal(await p.locator('#Trava4').isChecked(), true);
  await p.keyboard.press('Escape');
  assert.equal(await p.locator('#diario').isVisible(), false);

  // To the end, then from the chart by its button.
  for (let i = 0; i < 200 && !(await p.locator('#pgGrafico').isVisible()); ++i) await semana(p);
  await p.locator('#imgBtn').waitFor();
  assert.match(await p.locator('#diarioDica').textContent(), /Diário da campanha: tecla D/);
  assert.equal(await p.locator('#imgGraf').getAttribute('aria-describedby'), 'descricaoGrafico diarioDica');
  await p.getByRole('button', { name: 'Diário da campanha' }).click();
  const linhas = await tabela.locator('tbody tr').count();
  assert.ok(linhas === 20 || linhas === 25, `${linhas} rows`);
  const rodape = await p.locator('#diarioRodape').textContent();
  assert.match(rodape, /Resultado: (vitória|derrota) no [12]o turno\./);
  assert.match(rodape, new RegExp(`Pesquisa final\\. .*${nome}`));
  // The campaign's link carries its seed.
  assert.match(await p.locator('#diarioLink').getAttribute('href'), /\?semente=5$/);

  // axe on the open diary: a table with its headers, and nothing to mend.
  await p.evaluate(AXE);
  const r = await p.evaluate(() => axe.run('#diario', { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21aa', 'best-practice'] } }));
  assert.deepEqual(r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`), []);
  assert.ok(r.passes.some((v) => v.id === 'th-has-data-cells'), 'axe did not see the table');

  const { nome: arquivo, bytes } = await exportar(p);
  assert.equal(arquivo, 'diario-campanha-semente-5.csv');
  const nativo = execFileSync(SIM_NATIVO, ['--diario', '--semente', '5', '--oponentes', '2', '--nome', nome, '--estrategia', 'nada']);
  assert.ok(bytes.subarray(0, 3).equals(Buffer.from([0xef, 0xbb, 0xbf])));
  assert.ok(bytes.equals(nativo), 'the page\'s file differs from the simulator\'s');
  await p.locator('#diario').getByRole('button', { name: 'Ok' }).click();
  assert.equal(await p.locator('#diario').isVisible(), false);
  // Back to the title: the diary's button goes.
  await p.locator('#imgBtn').click();
  assert.equal(await p.locator('#abrirDiario').isVisible(), false);
  assert.deepEqual(erros, []);
  await p.close();
});

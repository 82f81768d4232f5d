// Sound: the start-up music from the first gesture, silence when the
// campaign starts, the win or loss wave, and the player's own music, after
// which the game's sounds stay silent.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { servidorENavegador, abrirJogo, SITE } from './ajuda.js';

const ambiente = servidorENavegador();

test('the waves and the music button', async () => {
  const { pagina: p, erros } = await abrirJogo(ambiente.servidor, ambiente.navegador, '?semente=8');
  await p.evaluate(() => (window.varzeno.pausaGrafico = 1));
  const som = () => p.evaluate(() => window.varzeno.som());
  // Every sound is a file the browser plays.
  for (const s of ['musica', 'Ganhou', 'Perdeu']) {
    const ok = await p.evaluate(async (s) => {
      const a = new Audio(`sons/${s}.mp3`);
      a.muted = true;
      await new Promise((fim, falha) => { a.oncanplaythrough = fim; a.onerror = falha; a.load(); });
      return a.duration > 0.5;
    }, s);
    assert.ok(ok, s);
  }
  await p.getByRole('button', { name: 'Começar' }).click();
  assert.match((await som()).onda ?? '', /sons\/musica\.mp3$/);
  assert.equal((await som()).pendente, null);
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  assert.equal((await som()).onda, null);
  for (let i = 0; i < 200 && !(await p.getByRole('dialog').filter({ hasText: /Você (ganhou|perdeu)!/ }).isVisible()); ++i) {
    if (await p.getByRole('dialog').isVisible()) await p.getByRole('button', { name: 'Ok' }).click();
    else await p.getByRole('button', { name: 'Passar a semana' }).click();
  }
  const fim = await p.getByRole('dialog').innerText();
  assert.match((await som()).onda, fim === 'Você ganhou!' ? /Ganhou\.mp3$/ : /Perdeu\.mp3$/);
  await p.getByRole('button', { name: 'Ok' }).click();
  await p.locator('#imgBtn').waitFor();
  assert.match((await som()).onda, /musica\.mp3$/);
  await p.locator('#imgBtn').click();

  // A new campaign; the music button opens the picker and plays the choice.
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  const escolha = p.waitForEvent('filechooser');
  await p.getByRole('button', { name: 'Música' }).click();
  await (await escolha).setFiles(join(SITE, 'sons/Ganhou.mp3'));
  await p.waitForFunction(() => window.varzeno.som().musica === true);
  // From now on the game's own sounds are silent.
  await p.evaluate(() => window.varzeno.estado);
  await p.keyboard.press('m');
  await p.waitForFunction(() => window.varzeno.som().musica === false);
  assert.equal((await som()).onda, null);
  assert.deepEqual(erros, []);
  await p.close();
});

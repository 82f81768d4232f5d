// The walk of the desktop's screenshot tool (tools/capturas/capturas.cpp)
// through the web page, by what a player clicks: the same pages, candidate,
// opponents and choices, so a page opened with the same seed comes to the
// same weeks, the same adverse event and the same end.
import assert from 'node:assert/strict';

// A label's text, by the id both editions give it.
const texto = (p, id) => p.locator('#' + id).textContent();
const aberta = (p) => p.getByRole('dialog').isVisible();
const semanasRestantes = async (p) => Number((await texto(p, 'Label8')).match(/(\d+)$/)[1]);
async function fimDeJogo(p) {
  return (await aberta(p)) && ['Você ganhou!', 'Você perdeu!'].includes(await texto(p, 'lblMensagem'));
}
async function fecharMensagem(p) {
  if ((await aberta(p)) && !(await fimDeJogo(p))) await p.getByRole('button', { name: 'Ok' }).click();
}

// The desktop tool's player, from what the panel shows: the option of the
// largest popularity gain that would not be refused (lowest on a tie), or
// doing nothing when none gains.
async function jogarSemana(p) {
  const valor = async (id) => parseInt(await texto(p, id), 10);
  const [din, pop, hon] = [await valor('Label10'), await valor('Label11'), await valor('Label12')];
  let escolha = 0, melhor = 0;
  for (let k = 1; k <= 3; ++k) {
    const opcao = (await texto(p, 'Label' + (k + 1))).match(/Din: (-?\d+)\s+Pop: (-?\d+)\s+hon: (-?\d+)$/);
    const [d, ganho, h] = opcao.slice(1).map(Number);
    if (din + d >= 0 && pop + ganho >= 0 && hon + h >= 0 && ganho > melhor) [escolha, melhor] = [k, ganho];
  }
  await p.locator('#Trava' + (escolha === 0 ? 4 : escolha)).click();
  await p.getByRole('button', { name: 'Passar a semana' }).click();
}

// Awaits aoChegar(name) at each of the desktop's grabs, named as its files,
// and at the first week ('primeira'); the page is opened with the tool's seed.
export async function percorrer(p, aoChegar) {
  await aoChegar('titulo');
  await p.getByRole('button', { name: 'Começar' }).click();
  await aoChegar('regras');
  await p.getByRole('button', { name: 'Próxima página' }).click();
  await aoChegar('candidatos');
  await p.getByRole('button', { name: 'Candidato 15', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Mais adversários' }).click();
  await aoChegar('adversarios');
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  await aoChegar('primeira');
  // Four weeks played, no message on screen.
  for (let semana = 0; semana < 4; ++semana) {
    await fecharMensagem(p);
    await jogarSemana(p);
  }
  await fecharMensagem(p);
  await aoChegar('semana');
  // On until a week opens with an adverse event, and its message.
  let evento = false;
  while (!evento) {
    await fecharMensagem(p);
    if ((await semanasRestantes(p)) === 0) break;
    await jogarSemana(p);
    evento = (await aberta(p)) && !(await fimDeJogo(p));
  }
  // The tool plays on into new games when one has none; this seed's first has.
  assert.ok(evento, 'no adverse event in the first round');
  await aoChegar('evento');
  // To the end of the game, and the chart once drawn.
  await p.evaluate(() => (window.varzeno.pausaGrafico = 1));
  for (let passos = 0; passos < 200 && !(await fimDeJogo(p)); ++passos) {
    if (await aberta(p)) await p.getByRole('button', { name: 'Ok' }).click();
    else if ((await semanasRestantes(p)) === 0) await p.getByRole('button', { name: 'Passar a semana' }).click();
    else await jogarSemana(p);
  }
  await p.getByRole('button', { name: 'Ok' }).click();
  await p.locator('#imgBtn').waitFor();
  await aoChegar('grafico');
}

// The native simulator's account of a game, which a browser's must match:
// the same seed ends with the same final poll in every edition.
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { SITE } from './servidor.js';

const SIM_NATIVO = process.env.VARZENO_SIM_NATIVO ?? join(SITE, '../../build/tools/sim/varzeno-sim');

// The last poll of the native simulator for the same game, doing nothing
// every week, as "Nome: N%" rows.
export function pesquisaFinalNativa(semente, oponentes, nome) {
  const rastro = execFileSync(SIM_NATIVO, ['--semente', String(semente), '--oponentes', String(oponentes), '--nome', nome,
    '--estrategia', 'nada', '--rastro'], { encoding: 'utf8' }).trim().split('\n').map((l) => JSON.parse(l));
  const semanas = rastro.filter((e) => e.tipo === 'semana');
  const ultima = semanas[semanas.length - 1];
  return { texto: 'Pesquisa final. ' + ultima.ranking.map((r) => `${r.nome}: ${r.percentual}%`).join('; ') + '.',
    fim: rastro[rastro.length - 1] };
}

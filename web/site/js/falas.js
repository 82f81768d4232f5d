// What the game says aloud to a screen reader, as the desktop says it, in
// the words the shared flow gives: the campaign's start, an option with its
// place, the poll (P) and where the campaign stands (S). Said through the
// page's one live region, so each is heard once.
const $ = (id) => document.getElementById(id);
let F = null;
let M = null;
let vez = 0;

export function montarFalas(textos, motor) {
  F = textos.falas;
  M = motor;
}

// Says `texto` once. The region is emptied first, so the same words twice
// in a row (the same option read again) are said again.
export function dizer(texto) {
  const aviso = $('aviso');
  const esta = ++vez;
  aviso.textContent = '';
  setTimeout(() => {
    if (esta === vez) aviso.textContent = texto;
  }, 50);
}

const itens = (id) => [...$(id).children].map((li) => li.textContent);

// "Semanas até 1o turno: 19. Dinheiro: 5000. Popularidade: 6%. Honestidade: 100."
export function situacao() {
  return [$('Label8').textContent, ...itens('lidoEstatisticas')].join('. ') + '.';
}

export function pesquisa() {
  const linhas = itens('lidoPesquisa');
  return linhas.length ? F.pesquisa + linhas.join('; ') + '.' : F.semPesquisa;
}

// An option's text without the dots of its row, with its place: 1 to 3 for
// the options, 4 for doing nothing (escolha 0).
export function opcao(escolha) {
  const linha = escolha === 0 ? 4 : escolha;
  const texto = M.semPontos($(escolha === 0 ? 'Label9' : 'Label' + (escolha + 1)).textContent);
  return `${texto}, ${linha}${F.deQuatro}`;
}

// The marks are named by their options with their places.
export function nomearMarcas() {
  for (const escolha of [1, 2, 3, 0]) $('Trava' + (escolha === 0 ? 4 : escolha)).setAttribute('aria-label', opcao(escolha));
}

export function inicioDaCampanha(escolha) {
  return F.campanhaIniciada + situacao() + F.teclasDaSemana + opcao(escolha);
}

// An upright phone: a prompt over the screen to turn it, with one tap for
// full screen locked to landscape where the browser allows both; the player
// may also go on upright. The game behind is out of reach while it shows.
const $ = (id) => document.getElementById(id);

export function ligarGirar() {
  const prompt = $('girar');  // shown by the style sheet while upright
  const telaCheia = $('telaCheia');
  const atras = [$('moldura'), $('arquivos')];
  const retrato = matchMedia('(orientation: portrait) and (pointer: coarse)');
  let dispensado = false;

  const aplicar = () => {
    const mostrar = retrato.matches && !dispensado;
    prompt.classList.toggle('dispensado', dispensado);
    for (const el of atras) el.inert = mostrar;
  };
  telaCheia.addEventListener('click', async () => {
    try {
      await document.documentElement.requestFullscreen({ navigationUI: 'hide' });
      await screen.orientation.lock('landscape');
    } catch {
      // Full screen or the lock refused: the prompt stays, to turn the phone by hand.
    }
    aplicar();
  });
  $('continuarAssim').addEventListener('click', () => {
    dispensado = true;
    aplicar();
  });
  retrato.addEventListener('change', aplicar);
  aplicar();
}

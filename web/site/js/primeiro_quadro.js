// What the first frame must know, set before it is laid out so that nothing
// moves once shown. A plain script in the page's head (the build writes it
// inside the page).
{
  const raiz = document.documentElement;
  // The window's scale: as large as the viewport allows, never wider than it;
  // with a mouse on a screen that holds it whole, the desktop's own size.
  // Its size comes with the widgets' places, in the stylesheet above.
  const tamanho = (nome) => parseFloat(getComputedStyle(raiz).getPropertyValue(nome));
  const LARGURA = tamanho('--largura-janela'), ALTURA = tamanho('--altura-janela');
  const RESERVA_ABAIXO = 64;  // the file buttons and a note under the window
  const dedo = matchMedia('(pointer: coarse)');
  const aplicar = () => {
    const largura = raiz.clientWidth, altura = window.innerHeight;
    // A window not sized yet would scale the game to nothing: its resize,
    // or the load, measures it again.
    if (!largura || !altura) return;
    const k = Math.min(largura / LARGURA, Math.max(altura - RESERVA_ABAIXO, ALTURA / 2) / ALTURA);
    raiz.style.setProperty('--k', String(dedo.matches ? k : Math.min(1, k)));
  };
  window.addEventListener('resize', aplicar);
  window.addEventListener('load', aplicar);
  dedo.addEventListener('change', aplicar);
  aplicar();
  // Whether an upright phone can be offered full screen turned sideways
  // (girar.js): the prompt is laid out with or without that button.
  raiz.classList.toggle('podeTelaCheia', document.fullscreenEnabled && typeof screen.orientation?.lock === 'function');
}

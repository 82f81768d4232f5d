// The window's scale: as large as the viewport allows, never wider than it;
// with a mouse on a screen that holds it whole, the desktop's own size.
const LARGURA = 650, ALTURA = 198;

export function escalaPara(largura, altura, dedo) {
  const reservaAbaixo = 64;  // the file buttons and a note under the window
  const k = Math.min(largura / LARGURA, Math.max(altura - reservaAbaixo, ALTURA / 2) / ALTURA);
  return dedo ? k : Math.min(1, k);
}

export function ligarEscala() {
  const dedo = matchMedia('(pointer: coarse)');
  const aplicar = () => {
    const k = escalaPara(document.documentElement.clientWidth, window.innerHeight, dedo.matches);
    document.documentElement.style.setProperty('--k', String(k));
  };
  window.addEventListener('resize', aplicar);
  dedo.addEventListener('change', aplicar);
  aplicar();
}

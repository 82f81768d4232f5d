// A picture button as on the desktop: the pressed look while the mouse, a
// finger or a key holds it, the action when it is let go over it.
const premidos = new Set();

export function premir(el) {
  el.classList.add('premido');
  premidos.add(el);
}

export function soltar(el) {
  el.classList.remove('premido');
  premidos.delete(el);
}

// aoSoltar runs on release over the button.
// Buttons that the desktop acts on at the press pass emPressao.
export function ligarBotao(el, { aoSoltar, emPressao = false }) {
  el.addEventListener('pointerdown', (e) => {
    if (e.button !== 0) return;
    e.preventDefault();
    el.setPointerCapture?.(e.pointerId);
    premir(el);
    if (emPressao) {
      soltar(el);
      aoSoltar(e);
    }
  });
  el.addEventListener('pointerup', (e) => {
    if (!premidos.has(el)) return;
    soltar(el);
    const r = el.getBoundingClientRect();
    const dentro = e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom;
    if (dentro) aoSoltar(e);
  });
  el.addEventListener('pointercancel', () => soltar(el));
  // A click that no pointer made: a screen reader's or a test's activation.
  el.addEventListener('click', (e) => {
    if (e.detail === 0 && !premidos.has(el)) aoSoltar(e);
  });
}

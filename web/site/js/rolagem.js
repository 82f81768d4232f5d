// The scroll boxes' bar as the desktop draws it (8 px, step buttons, an
// orange handle), over a box whose own bar is hidden, so it looks the same
// in every browser. The wheel, touch and the keys scroll the box itself.
const PASSO = 4;  // px per step button press, as the desktop's bar

export function montarBarra(caixa) {
  const barra = document.createElement('div');
  barra.className = 'barra';
  barra.setAttribute('aria-hidden', 'true');
  const x = caixa.offsetLeft + caixa.offsetWidth - 8;
  Object.assign(barra.style, { left: x + 'px', top: caixa.offsetTop + 'px', height: caixa.offsetHeight + 'px' });
  barra.innerHTML = '<div class="sobe"></div><div class="sulco"><div class="pega"></div></div><div class="desce"></div>';
  caixa.after(barra);
  const sulco = barra.querySelector('.sulco');
  const pega = barra.querySelector('.pega');

  function medidas() {
    const alturaSulco = caixa.offsetHeight - 16;
    const altura = Math.max(12, Math.round(alturaSulco * caixa.clientHeight / caixa.scrollHeight));
    const curso = alturaSulco - altura;
    const maximo = caixa.scrollHeight - caixa.clientHeight;
    return { altura, curso, maximo };
  }
  function desenhar() {
    const { altura, curso, maximo } = medidas();
    barra.hidden = maximo <= 0;
    pega.style.height = altura + 'px';
    pega.style.top = (maximo > 0 ? Math.round(curso * caixa.scrollTop / maximo) : 0) + 'px';
  }
  caixa.addEventListener('scroll', desenhar, { passive: true });

  // The step buttons repeat while held.
  for (const [classe, sentido] of [['sobe', -1], ['desce', 1]]) {
    const b = barra.querySelector('.' + classe);
    let repeticao = null;
    const parar = () => clearInterval(repeticao);
    b.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      caixa.scrollTop += sentido * PASSO;
      repeticao = setInterval(() => (caixa.scrollTop += sentido * PASSO), 50);
    });
    b.addEventListener('pointerup', parar);
    b.addEventListener('pointerleave', parar);
    b.addEventListener('pointercancel', parar);
  }
  // A press on the groove pages towards it; the handle drags.
  sulco.addEventListener('pointerdown', (e) => {
    if (e.target !== sulco) return;
    e.preventDefault();
    const acima = e.clientY < pega.getBoundingClientRect().top;
    caixa.scrollTop += (acima ? -1 : 1) * caixa.clientHeight;
  });
  pega.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    pega.setPointerCapture(e.pointerId);
    const y0 = e.clientY, topo0 = caixa.scrollTop;
    const escala = barra.getBoundingClientRect().height / barra.offsetHeight;  // the window may be scaled
    const mover = (ev) => {
      const { curso, maximo } = medidas();
      if (curso > 0) caixa.scrollTop = topo0 + ((ev.clientY - y0) / escala) * maximo / curso;
    };
    const largar = () => {
      pega.removeEventListener('pointermove', mover);
      pega.removeEventListener('pointerup', largar);
    };
    pega.addEventListener('pointermove', mover);
    pega.addEventListener('pointerup', largar);
  });
  desenhar();
  return desenhar;
}

// The performance chart: the grid picture, the line between the rounds, then
// one segment per tick at the desktop's pace; the Ok button comes after the
// last one. Nothing runs between ticks.
export const PAUSA_GRAFICO = 125;  // ms between segments, as on the desktop

// A line of bold 11 px Liberation Sans as the desktop lays it: 12 px high,
// the baseline 10 px below its top.
const ALTURA_NOME = 12;
const ASCENDENTE_NOME = 10;

function cor(rgb) {
  return '#' + rgb.toString(16).padStart(6, '0');
}

function preparar(canvas) {
  const r = window.devicePixelRatio > 1 ? 2 : 1;
  const w = Number(canvas.getAttribute('width')), h = Number(canvas.getAttribute('height'));
  canvas.width = w * r;
  canvas.height = h * r;
  canvas.style.width = w + 'px';
  canvas.style.height = h + 'px';
  const g = canvas.getContext('2d');
  g.setTransform(r, 0, 0, r, 0, 0);
  canvas.dataset.largura = w;
  canvas.dataset.altura = h;
  return g;
}

function carregarFundo() {
  return new Promise((ok, falha) => {
    const img = new Image();
    img.onload = () => ok(img);
    img.onerror = falha;
    img.src = window.devicePixelRatio > 1 ? 'figuras/grafico@2x.png' : 'figuras/grafico.png';
  });
}

// Draws plano on the two canvases; resolves once the last segment is down.
export async function desenharGrafico(plano, canvasNomes, canvasGraf, pausa = PAUSA_GRAFICO) {
  const n = preparar(canvasNomes);
  n.fillStyle = '#000';
  n.fillRect(0, 0, 105, 145);
  n.font = '700 11px "Varzeno Sans", sans-serif';
  n.textBaseline = 'alphabetic';
  plano.nomes.forEach((nome, k) => {
    n.fillStyle = cor(plano.cores[k]);
    n.fillText(nome, 5, k * ALTURA_NOME + ASCENDENTE_NOME);
  });

  const g = preparar(canvasGraf);
  const fundo = await carregarFundo();
  g.drawImage(fundo, 0, 0, 336, 102);
  g.strokeStyle = '#c0c0c0';
  g.lineWidth = 2;
  g.beginPath();
  g.moveTo(plano.divisor, 0);
  g.lineTo(plano.divisor, 102);
  g.stroke();
  g.lineCap = 'square';

  const inicio = performance.now();
  for (let i = 0; i < plano.segmentos.length; ++i) {
    // Each tick is due at its place on the clock, so a late one does not
    // push the others back.
    if (i > 0) await new Promise((ok) => setTimeout(ok, Math.max(0, inicio + i * pausa - performance.now())));
    const [x0, y0, x1, y1, k] = plano.segmentos[i];
    g.strokeStyle = cor(plano.cores[k]);
    g.beginPath();
    g.moveTo(x0, y0);
    g.lineTo(x1, y1);
    g.stroke();
    canvasGraf.dataset.segmentos = i + 1;
  }
  // The tick after the last segment shows the Ok button.
  await new Promise((ok) => setTimeout(ok, Math.max(0, inicio + plano.segmentos.length * pausa - performance.now())));
  return performance.now() - inicio;
}

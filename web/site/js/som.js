// The game's sounds and the player's own music, as on the desktop: the
// waves play through the browser (the first one waits for the first click
// or key, as browsers require); once the player has opened music of their
// own, the game's sounds stay silent.
let onda = null;      // the wave playing
let pendente = null;  // a wave asked for before the page could play sound
let musica = null;    // the player's music, once opened
let seletor = null;

function arquivo(nome) {
  return 'sons/' + nome.replace(/\.wav$/i, '.mp3');
}

export function tocar(nome) {
  if (musica) return;
  parar();
  onda = new Audio(arquivo(nome));
  onda.play().catch(() => {
    // Not allowed yet: it plays at the first gesture, if still wanted.
    pendente = nome;
  });
}

export function parar() {
  pendente = null;
  if (onda) {
    onda.pause();
    onda = null;
  }
}

// The music button: stops the player's music if it plays; otherwise the
// browser's file picker, and the chosen music plays.
export function botaoMusica() {
  if (musica && !musica.paused) {
    musica.pause();
    return;
  }
  if (!seletor) {
    seletor = Object.assign(document.createElement('input'), { type: 'file', accept: 'audio/*,.mp3', hidden: true });
    document.body.appendChild(seletor);
    seletor.addEventListener('change', () => {
      const f = seletor.files?.[0];
      if (!f) return;
      parar();
      if (musica) URL.revokeObjectURL(musica.src);
      musica = new Audio(URL.createObjectURL(f));
      musica.play().catch(() => {});
    });
  }
  seletor.value = '';
  seletor.click();
}

export function primeiroGesto() {
  if (pendente) {
    const nome = pendente;
    pendente = null;
    tocar(nome);
  }
}

// For the tests: what is playing.
export function estadoDoSom() {
  return { onda: onda ? onda.src : null, pendente, musica: musica ? !musica.paused : null };
}

// The six candidates kept in the browser's storage, saved whenever they
// change (a page has no orderly exit). A record is one item, written whole,
// and read back only if it is whole and well-formed; where storage is
// missing or full the game plays on and says so once.
const CHAVE = 'varzeno.candidatos';
const VERSAO = 1;
export const AVISO_SEM_ARMAZENAMENTO =
  'Este navegador não deixa o jogo guardar os candidatos (armazenamento indisponível ou cheio). ' +
  'Você pode jogar, mas as mudanças de nomes e fotos não ficarão guardadas.';

function texto(v, maximo) {
  return typeof v === 'string' && v.length <= maximo;
}

// What a record must be to be read: anything else is ignored whole.
export function registroValido(r) {
  return r !== null && typeof r === 'object' && r.versao === VERSAO && Array.isArray(r.candidatos) &&
    r.candidatos.length === 6 && r.candidatos.every((c) => c !== null && typeof c === 'object' &&
      texto(c.nome, 4096) && texto(c.descricao, 4096) && texto(c.caminho, 4096) &&
      (c.foto === null || (texto(c.foto, 400000) && c.foto.startsWith('data:image/png;base64,'))));
}

// aviso(texto) tells the player; aoMudarFora(candidatos) is told when
// another tab of the game has saved.
export function criarArmazem({ aviso, aoMudarFora }) {
  let avisado = false;
  let ultimo = null;  // the text this tab wrote last

  function falhou() {
    if (avisado) return;
    avisado = true;
    aviso(AVISO_SEM_ARMAZENAMENTO);
  }

  function ler() {
    let t;
    try {
      t = localStorage.getItem(CHAVE);
    } catch {
      falhou();
      return null;
    }
    if (t === null) return null;
    try {
      const r = JSON.parse(t);
      return registroValido(r) ? r.candidatos : null;
    } catch {
      return null;
    }
  }

  function gravar(candidatos) {
    const t = JSON.stringify({ versao: VERSAO, candidatos });
    if (t === ultimo) return true;
    try {
      localStorage.setItem(CHAVE, t);
      ultimo = t;
      return true;
    } catch {
      falhou();
      return false;
    }
  }

  // Another tab saved: this one shows the same candidates, so neither
  // writes back an older set over the other's.
  window.addEventListener('storage', (e) => {
    if (e.key !== CHAVE || e.newValue === null) return;
    try {
      const r = JSON.parse(e.newValue);
      if (registroValido(r)) {
        ultimo = e.newValue;
        aoMudarFora(r.candidatos);
      }
    } catch {
      // a record that does not parse is not read
    }
  });

  return { ler, gravar };
}

// The campaign in progress, kept in the browser's storage after every step
// (a phone may discard a tab in the background; a page has no orderly
// exit). The record is the shared flow's: the campaign's seed, candidate,
// opponents and choices, replayed by the engine into the same game. The
// close button and the chart's Ok end it; a new campaign replaces it. Two
// tabs share one record: a tab that finds another has moved the same
// campaign on catches up; one whose campaign was replaced or ended says so
// and keeps no more.
import * as dialogo from './dialogo.js';

const CHAVE = 'varzeno.campanha';
export const AVISO_SEM_ARMAZENAMENTO =
  'Este navegador não deixa o jogo guardar a campanha (armazenamento indisponível ou cheio). ' +
  'Você pode jogar, mas se a página for fechada ou recarregada esta campanha se perderá.';
export const AVISO_NOVA_EM_OUTRA_ABA =
  'Uma nova campanha foi começada em outra aba do jogo. Esta continua aqui, mas não será mais guardada.';
export const AVISO_ENCERRADA_EM_OUTRA_ABA =
  'Esta campanha foi encerrada em outra aba do jogo. Ela continua aqui, mas não será mais guardada.';
export const AVISO_AVANCOU_EM_OUTRA_ABA =
  'Esta campanha avançou em outra aba do jogo; esta aba foi posta em dia, e a sua última jogada aqui não contou.';

// motor: the engine; sementeDaPagina: the seed the page was opened with;
// sementeDoEndereco: the address's seed, or null; marca(): the mark on show;
// aoRetomar(c, alcancando): shows a replayed campaign (the engine's
// retomarCampanha result), at start-up or catching up with another tab.
export function criarCampanha({ motor, sementeDaPagina, sementeDoEndereco, marca, aoRetomar }) {
  let guardando = false;  // this tab's campaign is the one kept
  let ultimo = null;      // the record this tab wrote or read last
  let id = 0, semente = sementeDaPagina, primeira = true;
  let ultima = null;      // the last step's answer
  let aberta = false;     // its message is still up
  let semArmazenamentoDito = false;
  const fila = [];

  // Messages wait for the game's own: the dialog shows one text at a time.
  function avisar(texto) {
    fila.push(texto);
    setTimeout(proximoAviso, 0);
  }
  function proximoAviso() {
    if (fila.length && !dialogo.aberto()) dialogo.mostrar(fila.shift());
  }

  function ler() {
    try {
      return localStorage.getItem(CHAVE);
    } catch {
      return null;
    }
  }

  function semArmazenamento() {
    if (semArmazenamentoDito) return;
    semArmazenamentoDito = true;
    avisar(AVISO_SEM_ARMAZENAMENTO);
  }

  // novo: a new campaign, which replaces whatever is kept.
  function gravar(novo = false) {
    if (!guardando) return;
    if (!novo) {
      const agora = ler();
      // Another tab wrote since, and this one has not heard yet: its record wins.
      if (agora !== ultimo) {
        outraAba(agora, true);
        return;
      }
    }
    const texto = motor.campanhaGuardada(marca(), aberta);
    try {
      localStorage.setItem(CHAVE, texto);
      ultimo = texto;
    } catch {
      semArmazenamento();
      // An older point of this campaign is not left to be resumed as if it were the last.
      try {
        localStorage.removeItem(CHAVE);
        ultimo = null;
      } catch {
        // the storage cannot be touched at all: nothing was kept
      }
    }
  }

  function largar(aviso) {
    guardando = false;
    ultimo = null;
    if (aviso) avisar(aviso);
  }

  // What another tab left in the storage; `aoJogar`: found on this tab's own step.
  function outraAba(texto, aoJogar) {
    if (!guardando || texto === ultimo) return;
    if (texto === null) return largar(AVISO_ENCERRADA_EM_OUTRA_ABA);
    const resumo = motor.resumoDaCampanha(texto);
    if (resumo === null || resumo.id !== id) return largar(AVISO_NOVA_EM_OUTRA_ABA);
    ultimo = texto;
    // The same steps, only the mark or the message moved: nothing to show.
    if (resumo.passos === motor.resumoDaCampanha(motor.campanhaGuardada(marca(), aberta))?.passos && !aoJogar) return;
    const c = motor.retomarCampanha(texto);
    if (c.erro) return largar(AVISO_NOVA_EM_OUTRA_ABA);
    ultima = c.resposta;
    aberta = c.mensagemAberta;
    aoRetomar(c, true);
    if (aoJogar) avisar(AVISO_AVANCOU_EM_OUTRA_ABA);
  }

  window.addEventListener('storage', (e) => {
    if (e.key === CHAVE || e.key === null) outraAba(e.key === null ? null : e.newValue, false);
  });

  // The dialog closed: the step's message is no longer up.
  new MutationObserver(() => {
    if (!dialogo.aberto()) {
      if (aberta) {
        aberta = false;
        gravar();
      }
      setTimeout(proximoAviso, 0);
    }
  }).observe(document.getElementById('formDialog'), { attributes: true, attributeFilter: ['hidden'] });

  return {
    // A new campaign: the page's own seed first; after it, the address's
    // (a shared campaign played again) or a new one, so every campaign has
    // the seed its link gives.
    novoJogo(nome, oponentes) {
      if (!primeira) semente = sementeDoEndereco ?? motor.semearDoRelogio();
      primeira = false;
      id = Math.max(Date.now(), id + 1);
      ultima = motor.novoJogoGuardado(semente, nome, oponentes, id);
      aberta = Boolean(ultima.mensagem);
      guardando = true;
      gravar(true);
      return ultima;
    },
    confirmar(escolha) {
      ultima = motor.confirmarGuardado(escolha);
      aberta = Boolean(ultima.mensagem);
      gravar();
      return ultima;
    },
    // The mark moved.
    marcou() {
      gravar();
    },
    // The close button or the chart's Ok: the campaign is over.
    encerrar() {
      if (guardando && ler() === ultimo) {
        try {
          localStorage.removeItem(CHAVE);
        } catch {
          // nothing kept, nothing to remove
        }
      }
      largar(null);
    },
    // At start-up: the kept campaign, played again, or a message once if it
    // cannot be used. True when a campaign was resumed.
    retomar() {
      const texto = ler();
      if (texto === null) return false;
      const c = motor.retomarCampanha(texto);
      if (c.erro) {
        try {
          localStorage.removeItem(CHAVE);
        } catch {
          // it stays; it is refused again next time
        }
        avisar(c.erro);
        return false;
      }
      ({ id, semente } = c);
      primeira = false;
      guardando = true;
      ultimo = texto;
      ultima = c.resposta;
      aberta = c.mensagemAberta;
      aoRetomar(c, false);
      return true;
    },
    semente: () => semente,
    venceu: () => ultima?.decisao === 'vitoria',
    guardando: () => guardando,
  };
}

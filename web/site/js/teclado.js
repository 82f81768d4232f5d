// The desktop's keyboard map, key for key. Keys press the same buttons as
// the mouse: the pressed look while the key is held, the action on release.
import { premir, soltar } from './botao.js';
import { dizer, opcao, pesquisa, situacao } from './falas.js';

const ativa = (t) => t === 'Enter' || t === ' ';
const adiante = (t) => t === 'ArrowRight' || t === 'PageDown';
const atras = (t) => t === 'ArrowLeft' || t === 'PageUp';

// jogo: { lugar(), dialogoAberto(), marcar(n), escolha(), rolarRegras(t),
//         passoOponentes(d), abrirDiario(), acoes: { id: () => action on release } }
export function ligarTeclado(jogo) {
  let apertada = null;  // { tecla, el }

  // A press now, the release with the key's own release.
  function apertar(el, e) {
    if (e.repeat) return true;
    apertada = { tecla: e.key, el };
    premir(el);
    return true;
  }

  // The option's key marks it; on the option that has the focus already a
  // reader hears nothing of the move, so the option is said again.
  function marcarPelaTecla(escolha) {
    const marca = document.getElementById('Trava' + (escolha === 0 ? 4 : escolha));
    const jaNela = document.activeElement === marca && jogo.escolha() === escolha;
    jogo.marcar(escolha, true);
    if (jaNela) dizer(opcao(escolha));
    return true;
  }

  function naJanela(e) {
    const t = e.key;
    const foco = document.activeElement;
    // In a name box the keys write; only the page keys turn the page.
    if (foco?.classList.contains('nome') && t !== 'PageUp' && t !== 'PageDown') return false;
    const $ = (id) => document.getElementById(id);
    switch (jogo.lugar()) {
      case 'Default':
        if (ativa(t) || adiante(t)) return apertar($('Image1'), e);
        break;
      case 'regras':
        if (adiante(t)) return apertar($('bt2'), e);
        if (atras(t)) return apertar($('bt1'), e);
        if (ativa(t) && foco?.id === 'Label36') return false;  // the link opens by itself
        if (['ArrowUp', 'ArrowDown', 'Home', 'End'].includes(t)) {
          jogo.rolarRegras(t);
          return true;
        }
        break;
      case 'Candidatos':
        if (adiante(t)) return apertar($('bt4'), e);
        if (atras(t)) return apertar($('bt3'), e);
        if (ativa(t) && foco?.classList.contains('camera')) return apertar(foco, e);
        if (ativa(t) && foco?.classList.contains('foto')) {
          if (!e.repeat) jogo.escolherCandidato(Number(foco.dataset.slot));
          return true;
        }
        break;
      case 'adversarios':
        if (atras(t)) return apertar($('bt5'), e);
        if (t === 'ArrowUp' || t === 'ArrowDown') {
          jogo.passoOponentes(t === 'ArrowUp' ? 1 : -1);
          return true;
        }
        if (ativa(t)) return apertar($('Image3'), e);
        break;
      case 'Grafico':
        if ((ativa(t) || t === 'Escape') && !$('imgBtn').hidden) return apertar($('imgBtn'), e);
        if (t === 'd' || t === 'D') {
          jogo.abrirDiario();
          return true;
        }
        break;
      case 'Jogo': {
        if (t >= '1' && t <= '3') return marcarPelaTecla(Number(t));
        if (t === '0' || t === 'n' || t === 'N') return marcarPelaTecla(0);
        // The poll and where the campaign stands, on request.
        if (t === 'p' || t === 'P') {
          dizer(pesquisa());
          return true;
        }
        if (t === 's' || t === 'S') {
          dizer(situacao());
          return true;
        }
        if (t === 'ArrowUp' || t === 'ArrowDown') {
          // Top to bottom: options 1, 2, 3, then doing nothing.
          const linha = jogo.escolha() === 0 ? 3 : jogo.escolha() - 1;
          const nova = Math.min(3, Math.max(0, linha + (t === 'ArrowUp' ? -1 : 1)));
          jogo.marcar(nova === 3 ? 0 : nova + 1, true);
          return true;
        }
        if (t === 'm' || t === 'M') return apertar($('Image9'), e);
        if (t === 'd' || t === 'D') {
          jogo.abrirDiario();
          return true;
        }
        if (ativa(t)) return apertar(foco?.id === 'Image9' ? $('Image9') : $('Image4'), e);
        break;
      }
    }
    return false;
  }

  document.addEventListener('keydown', (e) => {
    jogo.aoPrimeiroGesto?.();
    if (e.key === 'q' && e.ctrlKey && !e.altKey && !e.metaKey) {
      e.preventDefault();
      apertar(document.getElementById('Fim'), e);
      return;
    }
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    // Inside the game's window only; the buttons outside it keep their keys.
    if (!e.target.closest?.('#janela') && e.target !== document.body) return;
    if (jogo.dialogoAberto()) {
      if (ativa(e.key) || e.key === 'Escape') {
        e.preventDefault();
        apertar(document.getElementById('btn'), e);
      } else if (e.key === 'Tab') {
        e.preventDefault();  // the message keeps the focus on its Ok
      }
      return;
    }
    if (naJanela(e)) e.preventDefault();
  });

  // The release reaches the button the key pressed, wherever the focus is.
  document.addEventListener('keyup', (e) => {
    if (!apertada || e.key !== apertada.tecla) return;
    e.preventDefault();
    const { el } = apertada;
    apertada = null;
    soltar(el);
    jogo.acoes[el.id]?.();
    if (el.classList.contains('camera')) jogo.acoes.camera(Number(el.dataset.slot));
  });
}

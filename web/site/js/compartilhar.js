// The chart page's campaign link, shared as a phone shares: through the
// browser's share sheet where it has one, with a line giving the result;
// elsewhere the link is copied. Nothing leaves the page until the player
// chooses where it goes.
export const LINK_COPIADO = 'Link da campanha copiado.';
export const LINK_NAO_COPIADO = 'Não foi possível copiar o link; copie-o pelo menu do link.';

// link: the <a>; linha(): the result in words; confirmar(texto): tells the player.
export function ligarCompartilhar({ link, linha, confirmar }) {
  link.addEventListener('click', (e) => {
    // A click with a modifier keeps the link's own meaning (a new tab, a window).
    if (e.button !== 0 || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
    const url = link.href;
    if (navigator.share) {
      e.preventDefault();
      // The player may close the sheet: that is no error.
      navigator.share({ text: linha(), url }).catch(() => {});
      return;
    }
    if (!navigator.clipboard?.writeText) return;  // the link opens, as it always did
    e.preventDefault();
    navigator.clipboard.writeText(url).then(() => confirmar(LINK_COPIADO), () => confirmar(LINK_NAO_COPIADO));
  });
}

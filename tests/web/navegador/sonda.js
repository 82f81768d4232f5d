// Put into the page by webkit.test.js, right under its CSP and before any of
// its own scripts: WebKitGTK's driver shows neither the console nor the
// page's errors, so the page keeps them here, in window.sonda, for the test;
// and the sounds it played in window.sondaSons.
(() => {
  const sonda = (window.sonda = { erros: [], csp: [] });
  const sons = (window.sondaSons = []);
  const texto = (v) => (v instanceof Error ? `${v.name}: ${v.message}` : String(v));
  for (const nivel of ['error', 'warn']) {
    const original = console[nivel];
    console[nivel] = (...args) => {
      sonda.erros.push(`console.${nivel}: ${args.map(texto).join(' ')}`);
      original.apply(console, args);
    };
  }
  // Capturing: a picture, script or stylesheet that fails to load fires its
  // error on its own element only.
  addEventListener('error', (e) => {
    if (e instanceof ErrorEvent) sonda.erros.push(`${texto(e.error ?? e.message)} (${e.filename}:${e.lineno})`);
    else sonda.erros.push(`not loaded: ${e.target?.currentSrc || e.target?.src || e.target?.href || e.target?.nodeName}`);
  }, true);
  addEventListener('unhandledrejection', (e) => sonda.erros.push(`unhandled rejection: ${texto(e.reason)}`));
  document.addEventListener('securitypolicyviolation', (e) => sonda.csp.push(`${e.violatedDirective} ${e.blockedURI}`));
  // The game's sounds are new Audio() elements, outside the document: one
  // that WebKit cannot decode says so on its element alone.
  const tocar = HTMLMediaElement.prototype.play;
  HTMLMediaElement.prototype.play = function () {
    this.addEventListener('error', () => sonda.erros.push(`media ${this.currentSrc}: ${this.error?.code} ${this.error?.message}`), { once: true });
    sons.push(this);
    return tocar.call(this);
  };
})();

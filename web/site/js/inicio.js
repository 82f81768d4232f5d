// The title page paints from the page alone: its style, its pictures and its
// lettering. The game (its scripts, the engine, the sounds) is asked for
// once the page has loaded and painted, so none of it competes with that
// first paint (a tab in the background, which paints nothing, waits a moment).
if (document.readyState !== 'complete') await new Promise((pronta) => addEventListener('load', pronta, { once: true }));
await new Promise((pintada) => {
  requestAnimationFrame(() => setTimeout(pintada));
  setTimeout(pintada, 250);
});
await import('./principal.js');

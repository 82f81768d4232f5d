// Offline play: every file of this release in one cache named after the
// release, filled at install; a new release fills its own cache, takes
// over, and drops the old ones. Only this site's own files are served.
const VERSAO = '@VERSAO@';
const ARQUIVOS = [@ARQUIVOS@];
const CACHE = 'varzeno-' + VERSAO;

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(CACHE).then((c) => c.addAll(ARQUIVOS)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((nomes) => Promise.all(nomes.filter((n) => n.startsWith('varzeno-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (e) => {
  const url = new URL(e.request.url);
  if (e.request.method !== 'GET' || url.origin !== location.origin) return;
  // The page's address may carry a seed: the page is the same file.
  const chave = url.pathname.endsWith('/') ? new URL('index.html', url).href : url.origin + url.pathname;
  e.respondWith(caches.open(CACHE).then((c) => c.match(chave)).then((r) => r ?? fetch(e.request)));
});

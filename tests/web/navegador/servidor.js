// The built site served on 127.0.0.1 by a small static server: what the
// browser tests need whichever browser drives them.
import { createServer } from 'node:http';
import { gzipSync } from 'node:zlib';
import { readFile } from 'node:fs/promises';
import { join, extname, normalize, relative, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const aqui = dirname(fileURLToPath(import.meta.url));
export const SITE = resolve(process.env.VARZENO_SITE ?? join(aqui, '../../../build-web/site'));

const TIPOS = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png', '.woff2': 'font/woff2',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.mp3': 'audio/mpeg',
  '.ini': 'text/plain', '.avif': 'image/avif', '.webp': 'image/webp', '.svg': 'image/svg+xml',
};
// What a web host compresses, when asked to serve as one (`comprimir`).
const COMPRIMIVEIS = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.json', '.webmanifest', '.svg', '.ini']);

// Serves SITE; counts the bytes of each response, for the transfer figures.
// It is also a browser's HTTP proxy, for a browser whose driver shows no
// requests: `pedidos` has every address asked for, this site's or not, and
// only this site's are answered. `trocar(arquivo, corpo)` may answer for a
// file of the site ("index.html" for the page) with other bytes; corpo is
// null for a file the site does not have. `comprimir` gzips what a web host
// would, for a browser that takes it.
export async function servir(raiz = SITE, { trocar = null, comprimir = false } = {}) {
  const enviados = [], pedidos = [];
  const servidor = createServer(async (req, res) => {
    const url = new URL(req.url, `http://${req.headers.host}`);
    pedidos.push(url.href);
    const { port } = servidor.address();
    if (url.host !== `127.0.0.1:${port}` && url.host !== `localhost:${port}`) return res.writeHead(502).end();
    const caminho = decodeURIComponent(url.pathname);
    let arquivo = normalize(join(raiz, caminho));
    if (!arquivo.startsWith(raiz)) return res.writeHead(403).end();
    if (caminho.endsWith('/')) arquivo = join(arquivo, 'index.html');
    let corpo = await readFile(arquivo).catch(() => null);
    if (trocar) corpo = await trocar(relative(raiz, arquivo), corpo);
    if (corpo === null) return res.writeHead(404).end();
    const cabecalhos = { 'content-type': TIPOS[extname(arquivo)] ?? 'application/octet-stream', 'cache-control': 'no-cache' };
    if (comprimir && COMPRIMIVEIS.has(extname(arquivo)) && /\bgzip\b/.test(req.headers['accept-encoding'] ?? '')) {
      corpo = gzipSync(corpo, { level: 9 });
      Object.assign(cabecalhos, { 'content-encoding': 'gzip', vary: 'Accept-Encoding' });
    }
    res.writeHead(200, { ...cabecalhos, 'content-length': corpo.length });
    res.end(corpo);
    enviados.push({ caminho, bytes: corpo.length, quando: performance.now() });
  });
  // As a proxy it is asked for https addresses by CONNECT: none is answered.
  servidor.on('connect', (req, socket) => {
    pedidos.push(`https://${req.url}/`);
    socket.end('HTTP/1.1 502 Bad Gateway\r\n\r\n');
  });
  await new Promise((ok) => servidor.listen(0, '127.0.0.1', ok));
  const endereco = `http://127.0.0.1:${servidor.address().port}/`;
  // Closed is closed: a browser's kept-alive connections are cut too, so
  // nothing is answered after it.
  const fechar = () => new Promise((ok) => {
    servidor.close(ok);
    servidor.closeAllConnections();
  });
  return { endereco, enviados, pedidos, fechar };
}

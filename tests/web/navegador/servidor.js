// The built site served on 127.0.0.1 by a small static server: what the
// browser tests need whichever browser drives them.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { join, extname, normalize, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const aqui = dirname(fileURLToPath(import.meta.url));
export const SITE = resolve(process.env.VARZENO_SITE ?? join(aqui, '../../../build-web/site'));

const TIPOS = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png', '.woff2': 'font/woff2',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.mp3': 'audio/mpeg',
  '.ini': 'text/plain',
};

// Serves SITE; counts the bytes of each response, for the transfer figures.
export async function servir(raiz = SITE) {
  const enviados = [];
  const servidor = createServer(async (req, res) => {
    const caminho = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    let arquivo = normalize(join(raiz, caminho));
    if (!arquivo.startsWith(raiz)) return res.writeHead(403).end();
    if (caminho.endsWith('/')) arquivo = join(arquivo, 'index.html');
    try {
      const corpo = await readFile(arquivo);
      res.writeHead(200, { 'content-type': TIPOS[extname(arquivo)] ?? 'application/octet-stream', 'cache-control': 'no-cache' });
      res.end(corpo);
      enviados.push({ caminho, bytes: corpo.length, quando: performance.now() });
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((ok) => servidor.listen(0, '127.0.0.1', ok));
  const endereco = `http://127.0.0.1:${servidor.address().port}/`;
  return { endereco, enviados, fechar: () => new Promise((ok) => servidor.close(ok)) };
}

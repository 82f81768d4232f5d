// What the player keeps: the candidates across reloads and tabs, in the
// browser's storage; a storage that refuses; jogo.ini out and in, byte for
// byte the desktop's, and files that are not one.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile, mkdtemp, writeFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import pngjs from 'pngjs';
import { servir, abrirNavegador, abrirJogo } from './ajuda.js';

// A grey PNG of w × h pixels.
function png(w, h) {
  const imagem = new pngjs.PNG({ width: w, height: h, colorType: 0, inputColorType: 0, inputHasAlpha: false });
  imagem.data.fill(0x80);
  return pngjs.PNG.sync.write(imagem, { colorType: 0, inputColorType: 0, inputHasAlpha: false });
}

const ASSETS = join(dirname(fileURLToPath(import.meta.url)), '../../../assets');
let servidor, navegador, pasta;
before(async () => {
  servidor = await servir();
  navegador = await abrirNavegador();
  pasta = await mkdtemp(join(tmpdir(), 'varzeno-arquivos-'));
});
after(async () => {
  await navegador.fechar();
  await servidor.fechar();
  await rm(pasta, { recursive: true, force: true });
});

async function paraCandidatos(p) {
  await p.getByRole('button', { name: 'Começar' }).click();
  await p.getByRole('button', { name: 'Próxima página' }).click();
}

// Windows-1252 for the Latin-1 letters and the few others the tests use.
function cp1252(t) {
  const extra = { '€': 0x80, '“': 0x93, '”': 0x94, '—': 0x97 };
  return Buffer.from([...t].map((c) => extra[c] ?? c.codePointAt(0)));
}
function arquivoIni(linhas) {
  return Buffer.concat(linhas.map((l) => Buffer.concat([cp1252(l), Buffer.from('\r\n')])));
}

test('names and photos survive a reload and a closed tab', async () => {
  const { pagina: p } = await abrirJogo(servidor, navegador);
  await paraCandidatos(p);
  await p.locator('#Ncan3').fill('Zé do Caixão');
  const escolha = p.waitForEvent('filechooser');
  await p.getByRole('button', { name: 'Trocar foto de Candidato 45' }).click();
  await (await escolha).setFiles(join(ASSETS, 'grafico.png'));
  await p.waitForFunction(() => document.querySelector('#Fcan4 img').src.startsWith('data:image/png'));
  const foto = await p.locator('#Fcan4 img').getAttribute('src');
  await p.reload();
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  assert.equal(await p.locator('#Ncan3').inputValue(), 'Zé do Caixão');
  assert.equal(await p.locator('#Fcan4 img').getAttribute('src'), foto);
  // The photo is stored shrunk to the slot (twice its size, for dense screens).
  const lado = await p.locator('#Fcan4 img').evaluate((i) => i.naturalWidth);
  assert.equal(lado, 178);
  await p.close();
  const { pagina: q } = await abrirJogo(servidor, navegador);
  assert.equal(await q.locator('#Ncan3').inputValue(), 'Zé do Caixão');
  // Back as it was, for the tests after this one.
  await q.evaluate(() => localStorage.clear());
  await q.close();
});

test('a record cut short or forged is never read', async () => {
  for (const valor of ['{"versao":1,"candidatos":[{"nome":"Meio', '{"versao":1,"candidatos":[]}',
    JSON.stringify({ versao: 1, candidatos: Array(6).fill({ nome: 'X', descricao: 'd', caminho: '', foto: 'javascript:alert(1)' }) })]) {
    const { pagina: p, erros } = await abrirJogo(servidor, navegador);
    await p.evaluate((v) => localStorage.setItem('varzeno.candidatos', v), valor);
    await p.reload();
    await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
    assert.equal(await p.locator('#Ncan1').inputValue(), 'Candidato 15', valor);
    assert.deepEqual(erros, []);
    await p.evaluate(() => localStorage.clear());
    await p.close();
  }
});

test('a storage that refuses: the game plays and says so once', async () => {
  const contexto = await navegador.contexto.browser()?.newContext() ?? navegador.contexto;
  const p = await contexto.newPage();
  // A full storage, as a browser's private mode or quota gives it.
  await p.addInitScript(() => {
    Storage.prototype.setItem = function () { throw new DOMException('cheio', 'QuotaExceededError'); };
  });
  await p.goto(servidor.endereco);
  await p.waitForFunction(() => document.documentElement.dataset.pronto === '1');
  await paraCandidatos(p);
  await p.locator('#Ncan1').fill('Novo');
  const d = p.getByRole('dialog');
  await d.waitFor();
  assert.match(await d.innerText(), /não ficarão guardadas/);
  await p.getByRole('button', { name: 'Ok' }).click();
  await p.locator('#Ncan1').fill('Novo nome');
  await p.waitForTimeout(200);
  assert.equal(await d.isVisible(), false, 'said twice');
  // And the game goes on with the new name.
  await p.getByRole('button', { name: 'Novo nome', exact: true }).dblclick();
  await p.getByRole('button', { name: 'Iniciar campanha' }).click();
  assert.equal(await p.locator('#Label14').innerText(), 'Novo nome');
  await p.close();
});

test('two tabs follow each other', async () => {
  const { pagina: a } = await abrirJogo(servidor, navegador);
  const { pagina: b } = await abrirJogo(servidor, navegador);
  await paraCandidatos(a);
  await a.locator('#Ncan2').fill('Da aba A');
  await b.waitForFunction(() => document.getElementById('Ncan2').value === 'Da aba A');
  await paraCandidatos(b);
  await b.locator('#Ncan5').fill('Da aba B');
  await a.waitForFunction(() => document.getElementById('Ncan5').value === 'Da aba B');
  // Neither wrote the other's change away.
  assert.equal(await a.locator('#Ncan2').inputValue(), 'Da aba A');
  const guardado = JSON.parse(await a.evaluate(() => localStorage.getItem('varzeno.candidatos')));
  assert.equal(guardado.candidatos[1].nome, 'Da aba A');
  assert.equal(guardado.candidatos[4].nome, 'Da aba B');
  await a.evaluate(() => localStorage.clear());
  await a.close();
  await b.close();
});

test('jogo.ini out and in, as the desktop writes it', async () => {
  const { pagina: p } = await abrirJogo(servidor, navegador);
  // A desktop's file: photo paths, accents, the euro and curly quotes.
  const linhas = ['0'];
  for (let k = 1; k <= 6; ++k)
    linhas.push(k === 2 ? 'C:\\Meus documentos\\fotos\\joão.jpg' : '', `Candidata ${k} “Ação”`, `Descrição ${k}: € e — travessão`);
  const desktop = arquivoIni(linhas);
  const caminho = join(pasta, 'jogo.ini');
  await writeFile(caminho, desktop);
  let escolha = p.waitForEvent('filechooser');
  await p.getByRole('button', { name: 'Importar jogo.ini' }).click();
  await (await escolha).setFiles(caminho);
  await p.waitForFunction(() => document.getElementById('Ncan1').value === 'Candidata 1 “Ação”');
  assert.equal(await p.locator('#Dcan6').innerText(), 'Descrição 6: € e — travessão');
  // The imported path is kept; its slot shows the placeholder.
  assert.match(await p.locator('#Fcan2 img').getAttribute('src'), /figuras\/foto25\.png$/);

  const baixar = p.waitForEvent('download');
  await p.getByRole('button', { name: 'Exportar jogo.ini' }).click();
  const arquivo = await baixar;
  assert.equal(arquivo.suggestedFilename(), 'jogo.ini');
  const exportado = await readFile(await arquivo.path());
  assert.deepEqual(exportado, desktop);
  await p.evaluate(() => localStorage.clear());
  await p.close();
});

test('files that are not a jogo.ini change nothing', async () => {
  const { pagina: p } = await abrirJogo(servidor, navegador);
  const casos = [
    ['vazio.ini', Buffer.alloc(0), /vazio/],
    ['foto.ini', await readFile(join(ASSETS, 'foto15.png')), /não é de texto/],
    ['utf8.ini', Buffer.from(['0', ...Array(18).fill('Ação')].join('\r\n'), 'utf8'), /UTF-8/],
    ['utf16.ini', Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from('0\r\n', 'utf16le')]), /UTF-16/],
    ['enorme.ini', Buffer.alloc(400 * 1024, 'a'), /grande demais/],
    ['outro.ini', Buffer.from('[janela]\r\nlargura=650\r\n'), /não é um jogo\.ini/],
  ];
  for (const [nome, bytes, mensagem] of casos) {
    const caminho = join(pasta, nome);
    await writeFile(caminho, bytes);
    const escolha = p.waitForEvent('filechooser');
    await p.getByRole('button', { name: 'Importar jogo.ini' }).click();
    await (await escolha).setFiles(caminho);
    const d = p.getByRole('dialog');
    await d.waitFor();
    const texto = await d.innerText();
    assert.match(texto, mensagem, nome);
    assert.match(texto, /Nada foi mudado\.$/, nome);
    await p.getByRole('button', { name: 'Ok' }).click();
    assert.equal(await p.locator('#Ncan1').inputValue(), 'Candidato 15', nome);
  }
  // A photo the browser cannot decode, and a metafile, are refused in Portuguese.
  await paraCandidatos(p);
  for (const [nome, bytes, mensagem] of [['quebrada.jpg', Buffer.from('não é uma foto'), /não é uma foto que o navegador/],
    ['desenho.wmf', Buffer.from([0xd7, 0xcd, 0xc6, 0x9a, 0, 0]), /metarquivo/],
    // Past the desktop's bounds: a side over 65,535 pixels.
    ['faixa.png', png(70000, 1), /^A figura "faixa\.png" é grande demais \(70000 x 1 pixels\): o jogo abre fotos de até 67\.108\.864 pixels/]]) {
    const caminho = join(pasta, nome);
    await writeFile(caminho, bytes);
    const escolha = p.waitForEvent('filechooser');
    await p.getByRole('button', { name: 'Trocar foto de Candidato 15' }).click();
    await (await escolha).setFiles(caminho);
    const d = p.getByRole('dialog');
    await d.waitFor();
    assert.match(await d.innerText(), mensagem);
    await p.getByRole('button', { name: 'Ok' }).click();
    assert.match(await p.locator('#Fcan1 img').getAttribute('src'), /figuras\/foto15\.png$/);
  }
  await p.close();
});

// The six candidates: photo (chooses the candidate), camera button (swaps
// the photo), name box and party description, at the desktop's places: the
// stylesheet's, from the table the desktop builds from (jogo/leiaute.h).
import { ligarBotao } from './botao.js';

const $ = (id) => document.getElementById(id);

// aoMudar(k) is told when slot k's name or photo changes.
// cabe(texto) tells whether a name can be kept in the desktop's jogo.ini.
// verificar(nome, bytes, largura, altura) holds a photo to the desktop's bounds.
// leiaute is that table, by widget name.
export function montarCandidatos(T, { escolher, aviso, cabe, verificar, leiaute, aoMudar = () => {} }) {
  // Per slot: the photo chosen in the browser (a small PNG) or null for the
  // placeholder, and the photo path an imported jogo.ini gave, kept as text.
  const fotos = Array.from({ length: 7 }, () => ({ foto: null, caminho: '' }));
  const conteudo = $('candidatosConteudo');
  const titulo = document.createElement('h2');
  titulo.id = 'Label34';
  titulo.textContent = T.escolhaCandidato;
  conteudo.appendChild(titulo);

  const seletor = document.createElement('input');
  seletor.type = 'file';
  seletor.accept = 'image/jpeg,image/png,image/bmp,image/x-icon,image/vnd.microsoft.icon,image/gif,image/webp,.jpg,.jpeg,.png,.bmp,.ico,.gif,.webp';
  seletor.hidden = true;
  document.body.appendChild(seletor);
  let slotDoSeletor = 0;

  for (let k = 1; k <= 6; ++k) {
    const numero = 10 * k + 5;

    const foto = document.createElement('button');
    foto.type = 'button';
    foto.id = 'Fcan' + k;
    foto.className = 'foto';
    foto.dataset.slot = k;
    foto.title = T.dicaFoto;
    const img = document.createElement('img');
    img.loading = 'lazy';  // after the page, as its other hidden pictures
    img.src = `figuras/foto${numero}.png`;
    img.srcset = `figuras/foto${numero}@2x.png 2x`;
    img.alt = '';
    img.draggable = false;
    foto.appendChild(img);
    // A double click chooses, as on the desktop; a finger's tap does too.
    foto.addEventListener('dblclick', () => escolher(k));
    foto.addEventListener('pointerup', (e) => {
      if (e.pointerType === 'touch') escolher(k);
    });
    foto.addEventListener('click', (e) => {
      if (e.detail === 0) escolher(k);  // a screen reader's press
    });
    conteudo.appendChild(foto);

    const camera = document.createElement('button');
    camera.type = 'button';
    camera.id = 'Mq' + k;
    camera.className = 'botao camera';
    camera.dataset.slot = k;
    camera.title = T.dicaCamera;
    ligarBotao(camera, { aoSoltar: () => trocarFoto(k) });
    conteudo.appendChild(camera);

    const nome = document.createElement('input');
    nome.type = 'text';
    nome.id = 'Ncan' + k;
    nome.className = 'nome';
    nome.value = T.nomesIniciais[k - 1];
    nome.setAttribute('aria-label', T.nomeDaCaixaDeNome);
    nome.spellcheck = false;
    nome.autocomplete = 'off';
    conteudo.appendChild(nome);

    const descricao = document.createElement('p');
    descricao.id = 'Dcan' + k;
    descricao.className = 'descricao';
    descricao.textContent = T.descricoes[k - 1];
    conteudo.appendChild(descricao);

    const nomear = () => {
      foto.setAttribute('aria-label', nome.value);
      foto.setAttribute('aria-description', 'Escolher este candidato');
      camera.setAttribute('aria-label', T.trocarFotoDe + nome.value);
    };
    // A name box takes only what the settings file can hold.
    let aceito = nome.value;
    nome.addEventListener('input', () => {
      if (!cabe(nome.value)) {
        nome.value = aceito;
        return;
      }
      aceito = nome.value;
      nomear();
      aoMudar(k);
    });
    nome.nomear = () => {
      aceito = nome.value;
      nomear();
    };
    nomear();
  }

  function trocarFoto(k) {
    slotDoSeletor = k;
    seletor.value = '';
    seletor.click();
  }
  seletor.addEventListener('change', async () => {
    const arquivo = seletor.files?.[0];
    if (!arquivo || !slotDoSeletor) return;
    const k = slotDoSeletor;
    try {
      mostrarFoto(k, await reduzirFoto(arquivo, verificar, leiaute['Fcan' + k].w));
      fotos[k].caminho = '';
      aoMudar(k);
    } catch (e) {
      aviso(e.message);
    }
  });
  function mostrarFoto(k, url) {
    fotos[k].foto = url;
    const img = $('Fcan' + k).querySelector('img');
    if (url) {
      img.srcset = '';
      img.src = url;
    } else {
      img.src = `figuras/foto${10 * k + 5}.png`;
      img.srcset = `figuras/foto${10 * k + 5}@2x.png 2x`;
    }
  }

  // The six as they stand, slots 1..6 at 0..5.
  function ler() {
    return [1, 2, 3, 4, 5, 6].map((k) => ({ nome: $('Ncan' + k).value, descricao: $('Dcan' + k).textContent,
      caminho: fotos[k].caminho, foto: fotos[k].foto }));
  }

  function aplicar(lista) {
    lista.forEach((c, i) => {
      const k = i + 1;
      $('Ncan' + k).value = c.nome;
      $('Ncan' + k).nomear();
      $('Dcan' + k).textContent = c.descricao;
      fotos[k].caminho = c.caminho;
      mostrarFoto(k, c.foto);
    });
  }
  return { trocarFoto, ler, aplicar };
}

// Decoded by the browser, shrunk to the slot's size at twice its pixels
// (sharp on dense screens), kept as a small PNG.
// The photo at twice its side on the page, for sharp screens.
export async function reduzirFoto(arquivo, verificar, ladoNaPagina) {
  if (/\.(wmf|emf)$/i.test(arquivo.name) || /wmf|emf/i.test(arquivo.type))
    throw new Error('Esta foto é um metarquivo (WMF ou EMF), que o jogo no navegador não abre. Escolha uma foto jpg, png, bmp, ico, gif ou webp.');
  const grande = verificar(arquivo.name, arquivo.size, 0, 0);
  if (grande) throw new Error(grande);
  let bitmap;
  try {
    bitmap = await createImageBitmap(arquivo);
  } catch {
    throw new Error(`O arquivo "${arquivo.name}" não é uma foto que o navegador consiga abrir.`);
  }
  const alem = verificar(arquivo.name, arquivo.size, bitmap.width, bitmap.height);
  if (alem) {
    bitmap.close();
    throw new Error(alem);
  }
  const lado = 2 * ladoNaPagina;
  const tela = document.createElement('canvas');
  tela.width = tela.height = lado;
  const g = tela.getContext('2d');
  g.imageSmoothingQuality = 'high';
  g.drawImage(bitmap, 0, 0, lado, lado);
  bitmap.close();
  return tela.toDataURL('image/png');
}

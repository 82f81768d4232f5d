// "Exportar jogo.ini" and "Importar jogo.ini": the candidates to and from
// the desktop's own file, byte for byte, through the shared C++ reader and
// writer. A refused file changes nothing.
export function ligarArquivoIni({ motor, candidatos, aviso, aoImportar }) {
  const exportar = document.getElementById('exportar');
  const importar = document.getElementById('importar');
  const seletor = document.createElement('input');
  seletor.type = 'file';
  seletor.accept = '.ini,text/plain';
  seletor.hidden = true;
  document.body.appendChild(seletor);

  exportar.addEventListener('click', () => {
    const lista = candidatos.ler().map((c) => ({ foto: c.caminho, nome: c.nome, descricao: c.descricao }));
    const r = motor.montarJogoIni(lista);
    if (r.erro) {
      aviso(r.erro);
      return;
    }
    const url = URL.createObjectURL(new Blob([r.bytes], { type: 'application/octet-stream' }));
    const a = Object.assign(document.createElement('a'), { href: url, download: 'jogo.ini' });
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  });

  importar.addEventListener('click', () => {
    seletor.value = '';
    seletor.click();
  });
  seletor.addEventListener('change', async () => {
    const arquivo = seletor.files?.[0];
    if (!arquivo) return;
    // Read no more than a jogo.ini can be, plus one byte to tell a larger file.
    const bytes = new Uint8Array(await arquivo.slice(0, motor.tamanhoMaximoIni() + 1).arrayBuffer());
    const recusa = motor.verificarJogoIni(bytes);
    if (recusa) {
      aviso(recusa);
      return;
    }
    // An imported photo path is kept as text; the slot shows the placeholder
    // until a picture is chosen in the browser.
    const lidos = motor.lerJogoIni(bytes).map((c) => ({ nome: c.nome, descricao: c.descricao, caminho: c.foto, foto: null }));
    candidatos.aplicar(lidos);
    aoImportar();
  });
}

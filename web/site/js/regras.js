// The rules page: headings and bodies at their places in the scroll box,
// then the line and the link to the game's own page, shipped beside it.
const $ = (id) => document.getElementById(id);

export function montarRegras(T) {
  const conteudo = $('regrasConteudo');
  const texto = (titulo, topo, altura, t) => {
    const el = document.createElement(titulo ? 'h2' : 'p');
    el.className = titulo ? 'titulo' : 'corpo';
    el.style.top = topo + 'px';
    if (!titulo) el.style.height = altura + 'px';
    el.textContent = t;
    conteudo.appendChild(el);
  };
  for (const r of T.regras) texto(r.titulo, r.topo, r.altura, r.texto);
  texto(false, T.topoLeiaMais, 18, T.leiaMais);
  const link = document.createElement('a');
  link.id = 'Label36';
  link.href = 'pagina/index.html';
  link.target = '_blank';
  link.rel = 'noopener';
  link.textContent = T.enderecoPagina;
  // Read by where it goes, not by the bare address.
  link.setAttribute('aria-label', `${T.leiaMais} ${T.enderecoPagina}`);
  link.style.top = T.topoLeiaMais + 23 + 'px';
  conteudo.appendChild(link);
  conteudo.style.height = T.topoLeiaMais + 23 + 25 + 8 + 'px';
  // The box scrolls by the keys of the page; it takes the focus itself.
  $('ScrollBox1').tabIndex = 0;
  $('ScrollBox1').setAttribute('role', 'region');
  // With the focus on it, a reader in its focus mode reads its description:
  // how to go on from here, then the rules themselves.
  $('ScrollBox1').setAttribute('aria-describedby', 'pgregras regrasConteudo');
}

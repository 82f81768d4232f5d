#!/usr/bin/python3
"""Writes the site's page with what its first frame needs inside it: the
stylesheet, and the script that sets the window's scale (and what else the
first frame must know) before the first layout. The first paint then waits on no second request, and the window is
never laid out at a size it leaves. The page's policy admits each by its
hash, so no other inline style or script runs. The widgets' places, written
from the table the desktop builds from, go in at the stylesheet's
/* leiaute */ line. Arguments: the page, the stylesheet, the places' rules,
the first frame's script, the page to write."""
import base64
import hashlib
import sys

pagina, estilo, leiaute, quadro, saida = sys.argv[1:6]
html = open(pagina, encoding='utf-8').read()
css = open(estilo, encoding='utf-8').read()
lugares = open(leiaute, encoding='utf-8').read()
js = open(quadro, encoding='utf-8').read()
LINK = '<link rel="stylesheet" href="estilo.css">'
SCRIPT = '<script src="js/primeiro_quadro.js"></script>'
ESTILOS = "style-src 'self'"
SCRIPTS = "script-src 'self'"
MARCA = '/* leiaute */\n'
for texto, quantas in ((LINK, 1), (SCRIPT, 1), (ESTILOS, 1), (SCRIPTS, 1)):
    if html.count(texto) != quantas:
        sys.exit(f'{pagina}: expected {texto} once')
if css.count(MARCA) != 1 or '</style' in css + lugares or '</script' in js:
    sys.exit(f'{estilo}, {quadro}: expected one {MARCA.strip()} line, and no </style or </script')
if not lugares.strip():
    sys.exit(f'{leiaute}: no places')
css = css.replace(MARCA, lugares)


def hash_de(texto):
    return "'sha256-" + base64.b64encode(hashlib.sha256(texto.encode('utf-8')).digest()).decode('ascii') + "'"


html = (html.replace(LINK, f'<style>{css}</style>').replace(ESTILOS, f'{ESTILOS} {hash_de(css)}')
        .replace(SCRIPT, f'<script>{js}</script>').replace(SCRIPTS, f'{SCRIPTS} {hash_de(js)}'))
with open(saida, 'w', encoding='utf-8') as f:
    f.write(html)

#!/usr/bin/python3
"""Writes the site's page with its stylesheet inside it: the first paint then
waits on no second request. The page's policy admits that one style by its
hash, so no other inline style runs. The widgets' places, written from the
table the desktop builds from, go in at the stylesheet's /* leiaute */ line.
Arguments: the page, the stylesheet, the places' rules, the page to write."""
import base64
import hashlib
import sys

pagina, estilo, leiaute, saida = sys.argv[1:5]
html = open(pagina, encoding='utf-8').read()
css = open(estilo, encoding='utf-8').read()
lugares = open(leiaute, encoding='utf-8').read()
LINK = '<link rel="stylesheet" href="estilo.css">'
POLITICA = "style-src 'self'"
MARCA = '/* leiaute */\n'
if html.count(LINK) != 1 or html.count(POLITICA) != 1 or css.count(MARCA) != 1 or '</style' in css + lugares:
    sys.exit(f'{pagina}, {estilo}: expected one stylesheet link, one style-src and one {MARCA.strip()} line, and no </style')
if not lugares.strip():
    sys.exit(f'{leiaute}: no places')
css = css.replace(MARCA, lugares)
hash_ = base64.b64encode(hashlib.sha256(css.encode('utf-8')).digest()).decode('ascii')
html = html.replace(LINK, f'<style>{css}</style>').replace(POLITICA, f"{POLITICA} 'sha256-{hash_}'")
with open(saida, 'w', encoding='utf-8') as f:
    f.write(html)

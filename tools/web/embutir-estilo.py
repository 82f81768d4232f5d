#!/usr/bin/python3
"""Writes the site's page with its stylesheet inside it: the first paint then
waits on no second request. The page's policy admits that one style by its
hash, so no other inline style runs.
Arguments: the page, the stylesheet, the page to write."""
import base64
import hashlib
import sys

pagina, estilo, saida = sys.argv[1:4]
html = open(pagina, encoding='utf-8').read()
css = open(estilo, encoding='utf-8').read()
LINK = '<link rel="stylesheet" href="estilo.css">'
POLITICA = "style-src 'self'"
if html.count(LINK) != 1 or html.count(POLITICA) != 1 or '</style' in css:
    sys.exit(f'{pagina}: expected one stylesheet link and one style-src, and a stylesheet with no </style')
hash_ = base64.b64encode(hashlib.sha256(css.encode('utf-8')).digest()).decode('ascii')
html = html.replace(LINK, f'<style>{css}</style>').replace(POLITICA, f"{POLITICA} 'sha256-{hash_}'")
with open(saida, 'w', encoding='utf-8') as f:
    f.write(html)

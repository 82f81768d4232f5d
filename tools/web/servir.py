#!/usr/bin/env python3
"""Serves the web edition's folder on 127.0.0.1 with Python's http.server,
with the types a browser needs for the engine and the app manifest.

    servir.py FOLDER [PORT]"""
import functools
import http.server
import sys

pasta = sys.argv[1]
porta = int(sys.argv[2]) if len(sys.argv) > 2 else 8650


class Tratador(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".mjs": "text/javascript",
        ".webmanifest": "application/manifest+json",
        ".woff2": "font/woff2",
        ".mp3": "audio/mpeg",
        ".avif": "image/avif",
        ".webp": "image/webp",
    }


servidor = http.server.ThreadingHTTPServer(("127.0.0.1", porta), functools.partial(Tratador, directory=pasta))
print(f"Varzeno no navegador: http://127.0.0.1:{servidor.server_address[1]}/  (Ctrl+C para parar)", flush=True)
try:
    servidor.serve_forever()
except KeyboardInterrupt:
    pass

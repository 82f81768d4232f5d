#!/usr/bin/env python3
"""Gives a picture of the game its cut-away parts as transparency, for the page.

The window and the message are cut from their pictures where the picture at
the game's size is magenta (#FF00FF); the music button keys out the colour of
its bottom-left pixel. The twice-size picture takes the mask of the picture
at the game's size, doubled, so both outlines are the same.

    recortar.py magenta|canto ORIGINAL_1X [ORIGINAL_2X] SAIDA_1X [SAIDA_2X]

Reads uncompressed BMP (8 or 24 bits) and 8-bit RGB PNG; writes RGBA PNG.
Standard library only."""
import struct
import sys
import zlib


def ler_bmp(dados):
    if dados[:2] != b"BM":
        raise ValueError("not a BMP")
    inicio = struct.unpack_from("<I", dados, 10)[0]
    tam_cab, w, h, _, bits, compressao = struct.unpack_from("<IiiHHI", dados, 14)
    if compressao != 0 or bits not in (8, 24):
        raise ValueError("only uncompressed 8- and 24-bit BMP")
    paleta = []
    if bits == 8:
        p = 14 + tam_cab
        cores = struct.unpack_from("<I", dados, 46)[0] or 256
        paleta = [(dados[p + 4 * i + 2], dados[p + 4 * i + 1], dados[p + 4 * i]) for i in range(cores)]
    passo = ((w * bits + 31) // 32) * 4
    de_baixo = h > 0
    h = abs(h)
    linhas = []
    for y in range(h):
        fy = h - 1 - y if de_baixo else y
        o = inicio + fy * passo
        if bits == 8:
            linhas.append([paleta[i] for i in dados[o:o + w]])
        else:
            linhas.append([(dados[o + 3 * x + 2], dados[o + 3 * x + 1], dados[o + 3 * x]) for x in range(w)])
    return w, h, linhas


def ler_png(dados):
    if dados[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    p, idat = 8, b""
    while p < len(dados):
        n, tipo = struct.unpack_from(">I4s", dados, p)
        corpo = dados[p + 8:p + 8 + n]
        if tipo == b"IHDR":
            w, h, prof, cor, _, _, entrelacado = struct.unpack(">IIBBBBB", corpo)
            if prof != 8 or cor != 2 or entrelacado:
                raise ValueError("only 8-bit RGB PNG, not interlaced")
        elif tipo == b"IDAT":
            idat += corpo
        p += 12 + n
    bruto = zlib.decompress(idat)
    bpp, passo = 3, w * 3
    anterior = bytearray(passo)
    linhas = []
    for y in range(h):
        f = bruto[y * (passo + 1)]
        s = bytearray(bruto[y * (passo + 1) + 1:(y + 1) * (passo + 1)])
        for i in range(passo):
            a = s[i - bpp] if i >= bpp else 0
            b = anterior[i]
            c = anterior[i - bpp] if i >= bpp else 0
            if f == 1:
                s[i] = (s[i] + a) & 255
            elif f == 2:
                s[i] = (s[i] + b) & 255
            elif f == 3:
                s[i] = (s[i] + (a + b) // 2) & 255
            elif f == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                s[i] = (s[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        linhas.append([tuple(s[3 * x:3 * x + 3]) for x in range(w)])
        anterior = s
    return w, h, linhas


def ler(caminho):
    with open(caminho, "rb") as f:
        dados = f.read()
    return ler_bmp(dados) if dados[:2] == b"BM" else ler_png(dados)


def gravar_png(caminho, w, h, linhas, mascara, escala):
    bruto = bytearray()
    anterior = bytes(w * 4)
    for y in range(h):
        linha = bytearray()
        for x in range(w):
            r, g, b = linhas[y][x]
            opaco = mascara[y // escala][x // escala]
            linha += bytes((r, g, b, 255)) if opaco else b"\0\0\0\0"
        # "Up" where it packs better than none: the pictures have long runs.
        cima = bytes((linha[i] - anterior[i]) & 255 for i in range(len(linha)))
        if sum(min(v, 256 - v) for v in cima) < sum(min(v, 256 - v) for v in linha):
            bruto += b"\x02" + cima
        else:
            bruto += b"\x00" + linha
        anterior = linha
    def bloco(tipo, corpo):
        return struct.pack(">I", len(corpo)) + tipo + corpo + struct.pack(">I", zlib.crc32(tipo + corpo))
    with open(caminho, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bloco(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
                + bloco(b"IDAT", zlib.compress(bytes(bruto), 9)) + bloco(b"IEND", b""))


def main(args):
    modo, resto = args[0], args[1:]
    if modo not in ("magenta", "canto") or len(resto) not in (2, 4):
        sys.exit(__doc__)
    pares = [(resto[0], resto[1])] if len(resto) == 2 else [(resto[0], resto[2]), (resto[1], resto[3])]
    w, h, linhas = ler(pares[0][0])
    chave = (255, 0, 255) if modo == "magenta" else linhas[h - 1][0]
    mascara = [[p != chave for p in linha] for linha in linhas]
    gravar_png(pares[0][1], w, h, linhas, mascara, 1)
    if len(pares) == 2:
        w2, h2, linhas2 = ler(pares[1][0])
        if (w2, h2) != (2 * w, 2 * h):
            sys.exit(f"{pares[1][0]}: not twice the size of {pares[0][0]}")
        gravar_png(pares[1][1], w2, h2, linhas2, mascara, 2)


if __name__ == "__main__":
    main(sys.argv[1:])

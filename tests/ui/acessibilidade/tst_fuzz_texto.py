"""Asks every text object of the game for text at random offsets, through
the real accessibility bus, as any screen reader might.

Offsets run from below zero to past the end (the length itself included),
with every boundary type AT-SPI has, and a deadline for each answer: a query
that does not come back in time, or a game that no longer answers, fails the
test. The game is then closed by its own button, so it must still be well.

Usage: tst_fuzz_texto.py GAME [QUERIES]   (run by leitor.sh's setting: inside a
private D-Bus session, with the accessibility bus up)
"""

import os
import random
import sys
import time

from arvore import Falha, executar, fechar_pelo_botao, no_barramento, nos
import pyatspi
from gi.repository import Atspi

PRAZO = 5.0  # seconds for any one answer

FRONTEIRAS = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
              pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
              pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]
GRANULARIDADES = [Atspi.TextGranularity.CHAR, Atspi.TextGranularity.WORD, Atspi.TextGranularity.SENTENCE,
                  Atspi.TextGranularity.LINE, Atspi.TextGranularity.PARAGRAPH]


def textos(app):
    achados = []
    for a in nos(app):
        try:
            achados.append((a, a.queryText()))
        except NotImplementedError:
            continue
        except Exception:
            continue
    return achados


def perguntar(sorte, texto):
    """One query of a random kind; returns its name, for the failure."""
    n = texto.characterCount
    o = sorte.choice([sorte.randint(-3, n + 3), n, n - 1, 0, -1, n + 1, 2 ** 31 - 1, -(2 ** 31)])
    b = sorte.choice(FRONTEIRAS)
    tipo = sorte.randrange(9)
    if tipo == 0:
        texto.getTextAtOffset(o, b)
    elif tipo == 1:
        texto.getTextBeforeOffset(o, b)
    elif tipo == 2:
        texto.getTextAfterOffset(o, b)
    elif tipo == 3:
        texto.getText(o, sorte.choice([o + sorte.randint(-2, 5), -1, n, n + 7]))
    elif tipo == 4:
        texto.getCharacterExtents(o, pyatspi.DESKTOP_COORDS)
    elif tipo == 5:
        Atspi.Text.get_string_at_offset(texto.obj, o, sorte.choice(GRANULARIDADES))
    elif tipo == 6:
        texto.getAttributeRun(o, True)
    elif tipo == 7:
        texto.getCharacterAtOffset(o)
    else:
        texto.getRangeExtents(o, o + sorte.randint(-2, 5), pyatspi.WINDOW_COORDS)
    return "%d em %d (fronteira %d)" % (tipo, o, b)


def main():
    jogo = os.path.abspath(sys.argv[1])
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    semente = int(os.environ.get("VARZENO_FUZZ_SEMENTE", time.time_ns() % 100000))
    print("semente:", semente)
    sorte = random.Random(semente)
    # A call that takes longer than the deadline raises instead of waiting.
    Atspi.set_timeout(int(PRAZO * 1000), int(PRAZO * 1000))

    def corpo(processo):
        app = no_barramento(processo)
        fim = time.monotonic() + 60
        objetos = []
        # The six name boxes at least (Qt 6.4's labels have no text interface).
        while time.monotonic() < fim and sum(a.name == "Nome do candidato" for a, _ in objetos) < 6:
            objetos = textos(app)
            time.sleep(0.2)
        print("objetos de texto:", len(objetos), ", ".join("%s %r" % (a.getRoleName(), a.name) for a, _ in objetos))
        if sum(a.name == "Nome do candidato" for a, _ in objetos) < 6:
            raise Falha("as seis caixas de nome não têm texto")
        pior = 0.0
        for i in range(total):
            a, texto = objetos[i % len(objetos)]
            inicio = time.monotonic()
            try:
                oque = perguntar(sorte, texto)
            except Exception as e:  # a refused query is fine; a late one is not
                oque = "recusada: %s" % e
                if "Timeout" in str(e) or "NoReply" in str(e):
                    raise Falha("%r não respondeu: %s" % (a.name, e))
            gasto = time.monotonic() - inicio
            pior = max(pior, gasto)
            if gasto > PRAZO:
                raise Falha("%r levou %.1f s para a pergunta %s" % (a.name, gasto, oque))
            if processo.poll() is not None:
                raise Falha("o jogo saiu com %s depois da pergunta %s" % (processo.returncode, oque))
        print("ok: %d perguntas, a mais lenta em %.3f s" % (total, pior))
        fechar_pelo_botao(app, processo)

    return executar(jogo, corpo)


if __name__ == "__main__":
    sys.exit(main())

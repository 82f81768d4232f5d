"""The campaign diary as a screen reader finds it on the accessibility bus.

Starts the game, plays three weeks doing nothing by accessible actions,
opens the diary by its link's action and reads it as a reader's table
navigation does: a table named "Diário da campanha" with its column and row
headers, each cell readable and placed under its headers; then its Ok
closes it. Exits non-zero on the first failure.

Usage: tst_diario_leitor.py GAME   (run by leitor.sh inside a private D-Bus
session, under Xvfb)
"""

import os
import sys

from arvore import achar, checar, esperar, executar, fechar_pelo_botao, no_barramento, nos, pressionar
import pyatspi
from gi.repository import Atspi

COLUNAS = ["Evento", "Ação", "Penalidade", "Dinheiro", "Popularidade", "Honestidade", "Posição", "Líder"]


def fechar_alertas(app):
    alerta = achar(app, pyatspi.ROLE_ALERT)
    if alerta is None:
        return False
    pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Ok", alerta), "o Ok do alerta"))
    esperar(lambda: achar(app, pyatspi.ROLE_ALERT) is None, "o alerta fechar")
    return True


def semanas(app):
    for a in nos(app):
        try:
            if a.getRole() == pyatspi.ROLE_LABEL and a.name.startswith("Semanas até"):
                return a.name
        except Exception:
            continue
    return None


def ler_tabela(app):
    tabela = esperar(lambda: achar(app, pyatspi.ROLE_TABLE, "Diário da campanha"), "a tabela do diário")
    dialogo = tabela
    while dialogo is not None and dialogo.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME):
        dialogo = dialogo.parent
    checar(dialogo is not None and dialogo.name == "Diário da campanha", "uma janela 'Diário da campanha'")
    t = tabela.queryTable()
    checar(t.nColumns == len(COLUNAS), "%d colunas" % t.nColumns)
    cabecalhos = [t.getColumnHeader(c).name for c in range(t.nColumns)]
    checar(cabecalhos == COLUNAS, "cabeçalhos das colunas: " + ", ".join(cabecalhos))
    checar(t.nRows == 3, "uma linha por semana jogada (%d)" % t.nRows)
    for r in range(t.nRows):
        checar(t.getRowHeader(r).name == "1o turno, semana %d" % (r + 1), "cabeçalho da linha %d: %s" % (r, t.getRowHeader(r).name))
        acao = t.getAccessibleAt(r, 1)
        checar(acao.getRole() == pyatspi.ROLE_TABLE_CELL and acao.name == "Não fazer nada.",
               "célula da ação na semana %d: %r" % (r + 1, acao.name))
        # A reader given the focused cell finds its row and column, and so
        # their headers, through the table.
        indice = acao.getIndexInParent()
        checar((t.getRowAtIndex(indice), t.getColumnAtIndex(indice)) == (r, 1),
               "a célula se acha na linha %d, coluna 1" % r)
        checar(t.getAccessibleAt(r, 2).name == "0%", "sem penalidade, 0%")
        checar(t.getAccessibleAt(r, 6).name.endswith("o"), "a posição na pesquisa: " + t.getAccessibleAt(r, 6).name)
    return dialogo


def main():
    jogo = os.path.abspath(sys.argv[1])
    Atspi.set_timeout(10000, 60000)

    def corpo(processo):
        app = no_barramento(processo)
        pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar"), "a página de título"))
        pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Próxima página"), "a página de regras"))
        pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Candidato 35"), "os candidatos"))
        pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Iniciar campanha"), "os adversários"))
        passar = esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Passar a semana"), "a área do jogo")
        jogadas = 0
        while jogadas < 3:
            if fechar_alertas(app):
                continue
            antes = semanas(app)
            pressionar(passar)
            esperar(lambda: semanas(app) != antes or achar(app, pyatspi.ROLE_ALERT), "a semana passar")
            jogadas += 1
        while fechar_alertas(app):
            pass

        link = esperar(lambda: achar(app, pyatspi.ROLE_LINK, "Diário da campanha"), "o link do diário")
        pressionar(link)
        dialogo = ler_tabela(app)
        pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Ok", dialogo), "o Ok do diário"))
        esperar(lambda: achar(app, pyatspi.ROLE_TABLE, "Diário da campanha") is None, "o diário fechar")
        print("ok: o diário fechou pelo seu Ok")
        fechar_pelo_botao(app, processo)

    return executar(jogo, corpo)


if __name__ == "__main__":
    sys.exit(main())

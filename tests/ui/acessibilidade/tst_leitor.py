"""Plays a whole game through the accessibility bus, as a screen reader does.

Starts the game, finds it on the AT-SPI desktop, checks that every control
has its role and name and that hidden pages do not show, then plays from the
title page to a decided game using only accessible actions (buttons' and
radio buttons' actions, the spinner's value) and reads the results back: the
messages announced as alerts, the poll rows and the chart's description.
Exits non-zero on the first failure.

With --leitor-depois the game is started before the accessibility bus, so
no reader is listening while its window is built; the bus comes later, and
the controls must come described all the same.

Usage: tst_leitor.py GAME [--leitor-depois]   (run by leitor.sh inside a private
D-Bus session)
"""

import os
import re
import subprocess
import sys
import time

from arvore import (Falha, achar, bombear, checar, esperar, executar, fechar_pelo_botao, mostrando, no_barramento, nos,
                    pressionar, todos)
import pyatspi
from gi.repository import Atspi

anuncios = []  # (role name, accessible name) of alerts that came up


fora_da_arvore = []  # (event, role, name) of events from objects a reader cannot reach


def alcancavel(a):
    """Whether `a` is among its parent's children, and so on up to the app."""
    for _ in range(50):
        if a.getRole() == pyatspi.ROLE_APPLICATION:
            return True
        pai = a.parent
        if pai is None:
            return False
        if not any(pai.getChildAtIndex(i) == a for i in range(pai.childCount)):
            return False
        a = pai
    return False


def ao_evento_qualquer(evento):
    try:
        if evento.host_application is None or evento.host_application.name != "Varzeno":
            return
        fonte = evento.source
        if fonte.getRole() in (pyatspi.ROLE_APPLICATION, pyatspi.ROLE_FRAME, pyatspi.ROLE_ALERT):
            return
        # Losing the focus as the pages cover it is no news to be heard.
        if evento.type.startswith("object:state-changed:focused") and not evento.detail1:
            return
        if not alcancavel(fonte):
            fora_da_arvore.append((evento.type, fonte.getRoleName(), fonte.name))
    except Exception:
        pass


def ao_evento(evento):
    try:
        fonte = evento.source
        if fonte.getRole() != pyatspi.ROLE_ALERT:
            return
        mostrando = fonte.getState().contains(pyatspi.STATE_SHOWING)
        if evento.type.startswith("object:state-changed:showing") and not evento.detail1:
            return
        if mostrando:
            anuncios.append(fonte.name)
    except Exception:
        pass


def conferir_controles(app):
    """Every control is there with its role and name; nothing unnamed."""
    esperados = [
        (pyatspi.ROLE_PUSH_BUTTON, "Começar", 1),
        (pyatspi.ROLE_PUSH_BUTTON, "Página anterior", 3),
        (pyatspi.ROLE_PUSH_BUTTON, "Próxima página", 2),
        (pyatspi.ROLE_PUSH_BUTTON, "Iniciar campanha", 1),
        (pyatspi.ROLE_PUSH_BUTTON, "Fechar", 1),
        (pyatspi.ROLE_SPIN_BUTTON, "Número de adversários", 1),
        (pyatspi.ROLE_TEXT, "Nome do candidato", 6),
        (pyatspi.ROLE_IMAGE, "Gráfico de Desempenho", 1),
    ]
    for k in range(1, 7):
        nome = "Candidato %d" % (10 * k + 5)
        esperados += [(pyatspi.ROLE_PUSH_BUTTON, nome, 1), (pyatspi.ROLE_PUSH_BUTTON, "Trocar foto de " + nome, 1)]
    for papel, nome, quantos in esperados:
        achados = todos(app, papel, nome, so_visiveis=False)
        checar(len(achados) == quantos, "%d × %s %r" % (quantos, str(papel), nome))
    foto = todos(app, pyatspi.ROLE_PUSH_BUTTON, "Candidato 15", so_visiveis=False)[0]
    checar(foto.description == "Escolher este candidato", "a foto diz o que faz")

    controles = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT,
                 pyatspi.ROLE_IMAGE, pyatspi.ROLE_ALERT, pyatspi.ROLE_LINK, pyatspi.ROLE_FILLER}
    sem_nome = []
    for a in nos(app):
        try:
            papel = a.getRole()
            if papel in controles and not a.name and (papel != pyatspi.ROLE_FILLER or a.childCount == 0):
                sem_nome.append(a.getRoleName())
        except Exception:
            continue
    checar(not sem_nome, "nenhum controle sem nome (%s)" % ", ".join(sem_nome))


def conferir_paginas(app):
    """Only the title page shows."""
    checar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar") is not None, "a página de título mostra 'Começar'")
    for nome in ("Iniciar campanha", "Candidato 15", "Trocar foto de Candidato 15", "Próxima página"):
        escondidos = todos(app, pyatspi.ROLE_PUSH_BUTTON, nome, so_visiveis=False)
        checar(escondidos and not any(mostrando(a) for a in escondidos), "%r, numa página escondida, não mostra" % nome)
        for a in escondidos:
            checar(not a.getState().contains(pyatspi.STATE_VISIBLE), "%r não se diz visível" % nome)
    checar(not todos(app, pyatspi.ROLE_PUSH_BUTTON, "Passar a semana"), "a área do jogo, coberta, não mostra")


def responder_alerta(app, texto):
    alerta = esperar(lambda: achar(app, pyatspi.ROLE_ALERT, texto), "o alerta %r" % texto)
    esperar(lambda: texto in anuncios, "o anúncio de %r" % texto)
    ok = [a for a in todos(app, pyatspi.ROLE_PUSH_BUTTON, "Ok") if a.parent == alerta]
    checar(len(ok) == 1, "o alerta %r tem seu botão Ok" % texto)
    # Where they are, as a reader's review asks (window and screen).
    for a in (alerta, ok[0]):
        for coordenadas in (pyatspi.WINDOW_COORDS, pyatspi.DESKTOP_COORDS):
            caixa = a.queryComponent().getExtents(coordenadas)
            checar(caixa.width > 0 and caixa.height > 0, "%s %r tem tamanho" % (a.getRoleName(), a.name))
    pressionar(ok[0])
    esperar(lambda: not achar(app, pyatspi.ROLE_ALERT, texto), "o alerta %r fechar" % texto)


def semanas(app):
    for a in todos(app, pyatspi.ROLE_LABEL):
        if a.name.startswith("Semanas até"):
            return a.name
    return None


def jogar(app):
    pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar"))
    pressionar(esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Próxima página"), "a página de regras"))
    esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Candidato 15"), "a página dos candidatos")
    # Forward without a candidate: the game's own message, as an alert.
    pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Próxima página"))
    responder_alerta(app, "Selecione seu candidato!")
    checar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Candidato 15") is not None, "ainda na página dos candidatos")

    pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Candidato 35"))
    iniciar = esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Iniciar campanha"), "a página dos adversários")
    giro = achar(app, pyatspi.ROLE_SPIN_BUTTON, "Número de adversários")
    valor = giro.queryValue()
    checar((valor.minimumValue, valor.maximumValue, valor.currentValue) == (2, 5, 2), "adversários: 2, de 2 a 5")
    valor.currentValue = 3
    esperar(lambda: giro.queryValue().currentValue == 3, "o número de adversários mudar para 3")
    pressionar(iniciar)

    passar = esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Passar a semana"), "a área do jogo")
    checar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Música") is not None, "o botão da música aparece no jogo")
    marcas = todos(app, pyatspi.ROLE_RADIO_BUTTON)
    checar(len(marcas) == 4 and all(m.name for m in marcas), "quatro opções com seus textos")
    nada = achar(app, pyatspi.ROLE_RADIO_BUTTON, "Não fazer nada, 4 de 4")
    checar(nada.getState().contains(pyatspi.STATE_CHECKED), "'Não fazer nada.' começa marcada")
    primeira = [m for m in marcas if m.name != nada.name][0]
    pressionar(primeira)
    esperar(lambda: primeira.getState().contains(pyatspi.STATE_CHECKED), "a primeira opção ficar marcada")
    checar(not nada.getState().contains(pyatspi.STATE_CHECKED), "só uma opção marcada")
    pressionar(nada)
    esperar(lambda: nada.getState().contains(pyatspi.STATE_CHECKED), "'Não fazer nada.' voltar a ser marcada")

    estatisticas = ("Dinheiro:", "Popularidade:", "Honestidade:")
    linhas = [a.name for a in todos(app, pyatspi.ROLE_LABEL)
              if re.fullmatch(r".+: \d+%", a.name) and not a.name.startswith(estatisticas)]
    checar(any(a.name.startswith("Popularidade: ") for a in todos(app, pyatspi.ROLE_LABEL)),
           "a popularidade lida com seu valor")
    checar(len(linhas) >= 5, "a pesquisa lida linha a linha: " + " | ".join(linhas))
    checar(any(l.startswith("Candidato 35: ") for l in linhas), "o jogador está na pesquisa")

    # Week after week, doing nothing, answering every message.
    for _ in range(80):
        if todos(app, pyatspi.ROLE_PUSH_BUTTON, "Ok") and not todos(app, pyatspi.ROLE_ALERT):
            break  # the chart's Ok
        alertas = todos(app, pyatspi.ROLE_ALERT)
        if alertas:
            responder_alerta(app, alertas[0].name)
            continue
        antes = semanas(app)
        pressionar(passar)
        esperar(lambda: semanas(app) != antes or todos(app, pyatspi.ROLE_ALERT)
                or todos(app, pyatspi.ROLE_PUSH_BUTTON, "Ok"), "a semana passar")
    else:
        raise Falha("o jogo não terminou")
    checar("Você ganhou!" in anuncios or "Você perdeu!" in anuncios, "o resultado foi anunciado")

    grafico = esperar(lambda: achar(app, pyatspi.ROLE_IMAGE, "Gráfico de Desempenho"), "o gráfico")
    descricao = grafico.description
    checar(descricao.startswith("Pesquisa final. ") and "Candidato 35: " in descricao,
           "o gráfico em palavras: " + descricao)
    checar(len(re.findall(r"[^;.]+: \d+%", descricao)) >= 3, "cada nome com sua porcentagem")
    pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Ok"))
    esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar"), "a volta à página de título")


def main():
    jogo = os.path.abspath(sys.argv[1])
    # A loaded machine may take more than the library's default second to
    # answer; a step's own deadline is what counts.
    Atspi.set_timeout(10000, 60000)
    depois = "--leitor-depois" in sys.argv[2:]
    barramento = []

    def corpo(processo):
        if depois:
            time.sleep(2)  # the game is up, nobody reading
            barramento.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
        pyatspi.Registry.registerEventListener(ao_evento, "object:state-changed:showing",
                                               "object:property-change:accessible-name")
        pyatspi.Registry.registerEventListener(ao_evento_qualquer, "object:property-change:accessible-name",
                                               "object:state-changed:focused", "focus:")
        app = no_barramento(processo)
        esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar"), "a página de título")
        conferir_controles(app)
        conferir_paginas(app)
        if depois:
            pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Começar"))
            esperar(lambda: achar(app, pyatspi.ROLE_PUSH_BUTTON, "Próxima página"), "a página de regras")
        else:
            jogar(app)
        print("anúncios:", " | ".join(anuncios))
        bombear(0.5)
        checar(not fora_da_arvore, "nenhum aviso de fora da árvore (%s)" %
               "; ".join("%s %s %r" % f for f in fora_da_arvore[:5]))
        fechar_pelo_botao(app, processo)
        checar(os.path.exists("jogo.ini"), "jogo.ini gravado na pasta de trabalho")

    return executar(jogo, corpo, lambda: [b.terminate() for b in barramento])


if __name__ == "__main__":
    sys.exit(main())

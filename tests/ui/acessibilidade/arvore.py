"""What the tests that read the game through the accessibility bus share:
the game started and found on the bus, its tree walked, objects found and
pressed, waits that let the bus deliver its events meanwhile, and how a
step fails. A test's main is `executar(jogo, corpo)`."""

import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

PRAZO = 20.0  # seconds for any one step to show its effect


class Falha(Exception):
    pass


def checar(cond, texto):
    if not cond:
        raise Falha(texto)
    print("ok:", texto)


def bombear(segundos=0.05):
    """Lets the bus deliver its events for a moment."""
    contexto = GLib.MainContext.default()
    fim = time.monotonic() + segundos
    while time.monotonic() < fim:
        while contexto.pending():
            contexto.iteration(False)
        time.sleep(0.01)


def esperar(condicao, oque, prazo=PRAZO):
    fim = time.monotonic() + prazo
    while time.monotonic() < fim:
        try:
            valor = condicao()
        except Exception:  # an object went away under us: ask again
            valor = None
        if valor:
            return valor
        bombear()
    raise Falha("tempo esgotado esperando " + oque)


def nos(raiz):
    """Every object under `raiz`, depth first, in the tree's order; an object
    that goes away meanwhile is passed over."""
    pilha = [raiz]
    while pilha:
        a = pilha.pop()
        yield a
        try:
            n = a.childCount
        except Exception:
            continue
        for i in reversed(range(n)):
            try:
                c = a.getChildAtIndex(i)
            except Exception:
                c = None
            if c is not None:
                pilha.append(c)


def mostrando(a):
    return a.getState().contains(pyatspi.STATE_SHOWING)


def todos(app, papel, nome=None, so_visiveis=True, dentro_de=None):
    achados = []
    for a in nos(dentro_de or app):
        try:
            if a.getRole() != papel or (nome is not None and a.name != nome):
                continue
            if so_visiveis and not mostrando(a):
                continue
            achados.append(a)
        except Exception:
            continue
    return achados


def achar(app, papel, nome=None, dentro_de=None):
    achados = todos(app, papel, nome, dentro_de=dentro_de)
    return achados[0] if achados else None


def pressionar(a, acao=None):
    acoes = a.queryAction()
    nomes = [acoes.getName(i) for i in range(acoes.nActions)]
    indice = nomes.index(acao) if acao else 0
    if not acoes.doAction(indice):
        raise Falha("a ação %s de %r falhou" % (nomes[indice], a.name))


def no_barramento(processo, prazo=60):
    """The game's application object, once it is on the bus."""
    desktop = pyatspi.Registry.getDesktop(0)

    def achado():
        if processo.poll() is not None:
            raise Falha("o jogo saiu antes de aparecer (status %d)" % processo.returncode)
        return next((a for a in desktop if a is not None and a.name == "Varzeno"), None)

    fim = time.monotonic() + prazo
    while time.monotonic() < fim:
        app = achado()
        if app is not None:
            return app
        bombear(0.2)
    raise Falha("o jogo não apareceu no barramento de acessibilidade")


def fechar_pelo_botao(app, processo):
    pressionar(achar(app, pyatspi.ROLE_PUSH_BUTTON, "Fechar"))
    checar(processo.wait(timeout=20) == 0, "o jogo fechou pelo botão 'Fechar'")


def executar(jogo, corpo, ao_fim=None):
    """Starts the game, runs corpo(processo), and says how it went: 0, or 1
    after printing the failure. The game is killed if still running, and
    ao_fim, if given, runs last."""
    processo = subprocess.Popen([jogo])
    try:
        corpo(processo)
    except Falha as f:
        print("FALHA:", f)
        return 1
    finally:
        if processo.poll() is None:
            processo.kill()
        if ao_fim is not None:
            ao_fim()
    return 0

"""A whole game by keys alone, heard through Orca.

Orca runs with its debug file (started before the game, as a blind player's
desktop has it); the test presses keys as the player would and asserts on
what Orca SPEAKS, the debug file's SPEECH OUTPUT lines: the name box's whole
text, the spinner's number, the campaign's start with where the player
stands, every week that passes (quiet or with an event), each message, the
result and the chart's final poll, and the campaign diary cell by cell
with its headers. The accessibility bus is read only to
know which message is up, never to decide what was heard.

Usage: tst_orca.py GAME   (run by orca.sh)
"""

import os
import re
import shutil
import subprocess
import sys
import time

from arvore import Falha, checar
import pyatspi
from gi.repository import Atspi

ORCA = None
PRAZO = 30.0  # seconds for Orca to say what a key should bring
# The text, then the voice Orca used: a dict, or a list of them.
LINHA = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)?\s*(?:\[?\{.*\}\]?)?\s*$")
SEMANAS = re.compile(r"Semanas até ([12])o turno: (\d+)")


class Orca:
    def __init__(self, pasta):
        self.arquivo = os.path.join(pasta, "orca-debug.out")
        preferencias = os.path.join(pasta, "orca-prefs")
        os.makedirs(preferencias, exist_ok=True)
        iniciar = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_iniciar.py")
        self.processo = subprocess.Popen(["/usr/bin/python3", iniciar, self.arquivo, preferencias],
                                         stdout=open(os.path.join(pasta, "orca-saida.txt"), "w"), stderr=subprocess.STDOUT)

    def falas(self):
        try:
            with open(self.arquivo, encoding="utf-8", errors="replace") as f:
                linhas = f.read().splitlines()
        except FileNotFoundError:
            return []
        falas = []
        for l in linhas:
            m = LINHA.search(l)
            if m:
                falas.append(m.group(1).strip())
        return falas

    def mostrar_ouvido(self):
        """What was heard, for whoever reads a failure."""
        print("--- ouvido:")
        for f in self.falas():
            print("  ", f[:200])

    def marca(self):
        return len(self.falas())

    def esperar(self, teste, oque, desde=0, prazo=PRAZO):
        """The first utterance from `desde` on that passes `teste` (a regex
        or a function), waiting for it."""
        if isinstance(teste, str):
            teste = re.compile(teste)
        if isinstance(teste, re.Pattern):
            padrao = teste
            teste = lambda f: padrao.search(f)  # noqa: E731
        fim = time.monotonic() + prazo
        while True:
            falas = self.falas()
            for i in range(desde, len(falas)):
                if teste(falas[i]):
                    return i, falas[i]
            if time.monotonic() > fim:
                raise Falha("Orca não disse %s; disse: %s" % (oque, " | ".join(falas[desde:])))
            if self.processo.poll() is not None:
                raise Falha("Orca saiu: " + open(os.path.join(os.path.dirname(self.arquivo), "orca-saida.txt")).read()[-2000:])
            time.sleep(0.1)

    def ouvido(self, desde, ate=None):
        return self.falas()[desde:ate]

    def parar(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.processo.kill()


def calmo(orca, quieto=0.3, prazo=5.0):
    """Waits until Orca has written nothing for a moment. Qt hands each key
    to the readers and waits only 100 ms for them: a key pressed while Orca
    is busy reaches the game but not Orca, which then misreads the move."""
    fim = time.monotonic() + prazo
    antes, desde = -1, time.monotonic()
    while time.monotonic() < fim:
        tamanho = os.path.getsize(orca.arquivo) if os.path.exists(orca.arquivo) else 0
        if tamanho != antes:
            antes, desde = tamanho, time.monotonic()
        elif time.monotonic() - desde >= quieto:
            return
        time.sleep(0.05)


def tecla(*teclas):
    for t in teclas:
        calmo(ORCA)
        subprocess.run(["xdotool", "key", t], check=True)


def com_ctrl(seta):
    """Ctrl held, then the arrow once Orca has heard the Ctrl, as a person
    presses them."""
    calmo(ORCA)
    marca = ORCA.marca()
    subprocess.run(["xdotool", "keydown", "ctrl"], check=True)
    ORCA.esperar("control", "a tecla Ctrl", marca)
    calmo(ORCA)
    subprocess.run(["xdotool", "key", seta], check=True)
    calmo(ORCA)  # Orca reads the move by the keys held when it comes
    subprocess.run(["xdotool", "keyup", "ctrl"], check=True)


def alerta(app):
    """The name of the message up, if one is."""
    pilha = [app]
    while pilha:
        a = pilha.pop()
        try:
            if a.getRole() == pyatspi.ROLE_ALERT and a.getState().contains(pyatspi.STATE_SHOWING):
                return a.name
            pilha.extend(a.getChildAtIndex(i) for i in range(a.childCount))
        except Exception:
            continue
    return None


def responder(orca, app, desde):
    """Hears the message up and closes it with Enter."""
    texto = alerta(app)
    orca.esperar(lambda f: texto in f, "a mensagem %r" % texto, desde)
    print("ok: mensagem ouvida:", texto)
    marca = orca.marca()
    tecla("Return")
    fim = time.monotonic() + PRAZO
    while alerta(app) == texto and time.monotonic() < fim:
        time.sleep(0.1)
    checar(alerta(app) != texto, "a mensagem %r fechou com Enter" % texto)
    return texto, marca


def ate_a_campanha(orca):
    i, _ = orca.esperar("Começar", "o botão 'Começar'")
    marca = orca.marca()
    tecla("Return")
    orca.esperar("Regras", "a página das regras", marca)
    orca.esperar("Mentiras, fofocas", "o texto das regras", marca)
    orca.esperar("direita", "como seguir das regras", marca)
    marca = orca.marca()
    tecla("Right")
    orca.esperar(r"^Candidato 15 botão", "a foto do primeiro candidato", marca)

    # The name box, with the whole of its text.
    marca = orca.marca()
    tecla("Tab")
    orca.esperar(r"^Trocar foto de Candidato 15", "o botão da câmera", marca)
    marca = orca.marca()
    tecla("Tab")
    orca.esperar("Nome do candidato", "a caixa do nome", marca)
    orca.esperar(r"Candidato 15 selecionado", "o nome inteiro, selecionado", marca)
    time.sleep(0.5)
    cortado = [f for f in orca.ouvido(marca) if re.search(r"Candidato 1(?!5)\b", f)]
    checar(not cortado, "o nome não perde a última letra (%s)" % " | ".join(cortado))
    marca = orca.marca()
    com_ctrl("Left")
    orca.esperar(r"^15$", "a palavra '15' sob o cursor", marca)
    marca = orca.marca()
    tecla("shift+Tab", "shift+Tab")
    orca.esperar(r"^Candidato 15 botão", "a volta à foto", marca)

    # The opponents: the spinner says its number at each step.
    marca = orca.marca()
    tecla("Return")
    orca.esperar("Adversários", "a página dos adversários", marca)
    orca.esperar(r"Número de adversários\W+2", "o número de adversários ao chegar", marca)
    for numero, seta in ((3, "Up"), (4, "Up"), (3, "Down")):
        marca = orca.marca()
        tecla(seta)
        orca.esperar(r"Número de adversários\W+%d\b" % numero, "o número %d" % numero, marca)
    print("ok: o número de adversários é dito a cada passo")
    # The review keys reach the number too (keypad 7: the line above).
    marca = orca.marca()
    for _ in range(4):
        tecla("KP_Home")
        if any(re.search(r"Número de adversários: 3", f) for f in orca.ouvido(marca)):
            break
    orca.esperar(r"Número de adversários: 3", "o número na revisão da tela", marca, prazo=5)
    # With the focus on the spinner, its number as it changes.
    marca = orca.marca()
    tecla("Tab")
    # Orca 48 says the role between the name and the number, 43 after both.
    orca.esperar(r"^Número de adversários\b.*\b3\b", "o seletor com seu número ao receber o foco", marca)
    marca = orca.marca()
    tecla("Down")
    orca.esperar(r"^2$", "o novo número, dito pelo seletor com o foco", marca)
    marca = orca.marca()
    tecla("Up")
    orca.esperar(r"^3$", "o novo número, dito pelo seletor com o foco", marca)


OPCAO = re.compile(r"(.*) Din: (-?\d+) +Pop: (-?\d+) +hon: (-?\d+), ([1-3]) de 4")


def escolher(opcoes, dinheiro):
    """What a player who heard the options would take: the most popularity
    the money pays for, honesty breaking ties; nothing if none helps."""
    pagaveis = {k: e for k, e in opcoes.items() if dinheiro + e[0] >= 0 and (e[1] > 0 or e[2] > 0)}
    if not pagaveis:
        return 0
    return max(pagaveis, key=lambda k: (pagaveis[k][1] * 10 + pagaveis[k][2], pagaveis[k][0]))


def campanha(orca, app):
    marca = orca.marca()
    tecla("Return")
    _, inicio = orca.esperar(r"Campanha iniciada", "o começo da campanha", marca)
    for parte in (r"Semanas até 1o turno: 20", r"Dinheiro: \d+", r"Popularidade: \d+%", r"Honestidade: \d+"):
        checar(re.search(parte, inicio), "o começo diz %s" % parte)
    checar(inicio.index("Honestidade") < inicio.index("Não fazer nada"), "onde se está, antes da primeira opção")

    # The poll on demand, in rank order.
    marca = orca.marca()
    tecla("p")
    _, pesquisa = orca.esperar(r"Pesquisa: ", "a pesquisa pela tecla P", marca)
    partes = [int(p) for p in re.findall(r": (\d+)%", pesquisa)]
    checar("Candidato 15: " in pesquisa and len(partes) == 5, "a pesquisa inteira: " + pesquisa)
    checar(partes == sorted(partes, reverse=True), "a pesquisa em ordem")

    # The options, heard by moving through them, each with its place.
    for posicao in (3, 2, 1):
        marca = orca.marca()
        tecla("Up")
        orca.esperar(r"Din: -?\d+ +Pop: -?\d+ +hon: -?\d+, %d de 4" % posicao, "a opção %d com seus efeitos" % posicao,
                     marca)
    marca = orca.marca()
    tecla("1")  # the option that has the focus already: said again
    orca.esperar(r", 1 de 4", "a opção marcada de novo pela tecla", marca)
    marca = orca.marca()
    tecla("0")
    orca.esperar(r"Não fazer nada, 4 de 4", "'Não fazer nada' ao marcá-la", marca)

    semanas = (1, 20)
    dinheiro = int(re.search(r"Dinheiro: (\d+)", inicio).group(1))
    calmas = 0
    mensagens = []
    for _ in range(60):
        # The three options heard, each by its digit; the best one taken.
        opcoes = {}
        for k in (3, 2, 1):
            marca = orca.marca()
            tecla(str(k))
            _, f = orca.esperar(OPCAO, "a opção %d pela sua tecla" % k, marca)
            m = OPCAO.search(f)
            checar(int(m.group(5)) == k, "a tecla %d lê a opção %d: %s" % (k, k, f))
            opcoes[k] = tuple(int(m.group(i)) for i in (2, 3, 4))
        k = escolher(opcoes, dinheiro)
        marca = orca.marca()
        tecla(str(k))
        orca.esperar(r", %d de 4" % (k if k else 4), "a opção escolhida, %d" % k, marca)
        marca = orca.marca()
        tecla("Return")
        # A week heard, or a message.
        fim = time.monotonic() + PRAZO
        ouvida = None
        while time.monotonic() < fim and ouvida is None and alerta(app) is None:
            for f in orca.ouvido(marca):
                m = SEMANAS.search(f)
                if m and (int(m.group(1)), int(m.group(2))) != semanas:
                    ouvida = (int(m.group(1)), int(m.group(2)))
            time.sleep(0.1)
        for f in orca.ouvido(marca):
            if re.search(r"Dinheiro: (\d+)", f):
                dinheiro = int(re.search(r"Dinheiro: (\d+)", f).group(1))
        if ouvida is not None and alerta(app) is None:
            checar(ouvida[0] > semanas[0] or ouvida[1] < semanas[1], "semana calma ouvida: %s" % (ouvida,))
            semanas = ouvida
            calmas += 1
            continue
        if alerta(app) is None:
            raise Falha("Enter não trouxe semana nem mensagem; Orca disse: " + " | ".join(orca.ouvido(marca)))
        texto, depois = responder(orca, app, marca)
        mensagens.append(texto)
        if texto in ("Você ganhou!", "Você perdeu!"):
            return texto, calmas, mensagens
        # After the message, where the campaign stands.
        _, f = orca.esperar(SEMANAS.pattern, "a semana depois da mensagem", depois)
        m = SEMANAS.search(f)
        semanas = (int(m.group(1)), int(m.group(2)))
        checar(re.search(r"Dinheiro: \d+", f), "depois de %r, a situação" % texto)
        dinheiro = int(re.search(r"Dinheiro: (\d+)", f).group(1))
    raise Falha("o jogo não terminou")


def versao_orca():
    """Orca's major version: 43 on Debian 12, 48 on Debian 13."""
    saida = subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout
    m = re.search(r"(\d+)\.", saida)
    return int(m.group(1)) if m else 0


def diario(orca, app):
    """The chart's weeks as a table: D opens the diary; Orca reads the
    row the focus comes into, then, moving along it, each cell with its
    column's header; a row's header shows on its braille line. Escape
    closes the diary, back on the chart's Ok."""
    marca = orca.marca()
    tecla("d")
    tabela = None
    fim = time.monotonic() + PRAZO
    while tabela is None and time.monotonic() < fim:
        pilha = [app]
        while pilha and tabela is None:
            a = pilha.pop()
            try:
                if a.getRole() == pyatspi.ROLE_TABLE and a.name == "Diário da campanha":
                    tabela = a.queryTable()
                pilha.extend(a.getChildAtIndex(i) for i in range(a.childCount))
            except Exception:
                continue
        time.sleep(0.1)
    checar(tabela is not None, "o diário é uma tabela")
    linha = tabela.nRows - 1
    acao = tabela.getAccessibleAt(linha, 1).name
    if versao_orca() >= 48:
        # Orca 48 says neither the window's title nor the table's size as the
        # diary opens: it reads the row the focus lands on, the latest week.
        orca.esperar(lambda f: acao in f, "a linha da última semana, %r" % acao, marca)
        print("ok: Orca 48 leu a última semana ao abrir o diário:", " | ".join(orca.ouvido(marca)))
        print("Orca 48: a leitura célula a célula e o braille são conferidos só com o Orca 43, onde foram medidos")
        marca = orca.marca()
        tecla("Escape")
        orca.esperar(r"\bOk\b", "a volta ao Ok do gráfico", marca)
        return
    orca.esperar(r"Diário da campanha", "o diário aberto pela tecla D", marca)
    orca.esperar(r"^tabela com \d+ linhas 8 colunas", "a tabela e seu tamanho", marca)
    # The focus starts on the latest week: into its row, the row is read.
    marca = orca.marca()
    tecla("Right")
    orca.esperar(lambda f: acao in f, "a ação da semana %r" % acao, marca)
    # Along the row: the new column's header, then the cell.
    cabecalho = tabela.getColumnHeader(2).name
    celula = tabela.getAccessibleAt(linha, 2).name
    marca = orca.marca()
    tecla("Right")
    i, _ = orca.esperar(lambda f: f.startswith(cabecalho), "o cabeçalho da coluna %r" % cabecalho, marca)
    # In the same utterance or the next, after the header.
    orca.esperar(lambda f: celula.rstrip(".") in f.replace(cabecalho, "", 1), "a célula %r" % celula, i)
    print("ok: coluna e célula ouvidas:", " | ".join(orca.ouvido(marca)))
    # Up a row: the row is read, its header on the braille line.
    acima = tabela.getRowHeader(linha - 1).name
    antes = os.path.getsize(orca.arquivo)
    marca = orca.marca()
    tecla("Up")
    orca.esperar(lambda f: True, "a linha de cima", marca)
    fim = time.monotonic() + PRAZO
    braille = ""
    while acima + " cabeçalho de linha" not in braille and time.monotonic() < fim:
        time.sleep(0.2)
        with open(orca.arquivo, "rb") as f:
            f.seek(antes)
            texto = f.read().decode("utf-8", errors="replace")
        # A braille line goes on over the indented lines after it.
        braille = " ".join(l for l in texto.split("\n") if "BRAILLE LINE:" in l or l.startswith("                  "))
    checar(acima + " cabeçalho de linha" in braille, "o cabeçalho da linha %r em braille" % acima)
    marca = orca.marca()
    tecla("Escape")
    orca.esperar(r"\bOk\b", "a volta ao Ok do gráfico", marca)


def main():
    jogo = os.path.abspath(sys.argv[1])
    Atspi.set_timeout(10000, 60000)
    comeco = time.monotonic()
    global ORCA
    orca = ORCA = Orca(os.getcwd())
    processo = None
    try:
        orca.esperar("Leitor de tela ativado", "que está ativo", prazo=90)
        processo = subprocess.Popen([jogo])
        desktop = pyatspi.Registry.getDesktop(0)
        fim = time.monotonic() + 60
        app = None
        while app is None and time.monotonic() < fim:
            app = next((a for a in desktop if a is not None and a.name == "Varzeno"), None)
            time.sleep(0.2)
        if app is None:
            raise Falha("o jogo não apareceu no barramento")
        ate_a_campanha(orca)
        resultado, calmas, mensagens = campanha(orca, app)
        checar(calmas >= 3, "%d semanas calmas, cada uma ouvida" % calmas)
        print("mensagens:", " | ".join(mensagens))

        # The chart, drawn: its poll in words, then its Ok.
        marca = orca.marca()
        _, poll = orca.esperar(r"Pesquisa final\.", "a pesquisa final do gráfico", marca)
        checar(re.search(r"Candidato 15: \d+%", poll), "o jogador está na pesquisa final: " + poll)
        # Three opponents, the player and the blank and null votes.
        checar(len(re.findall(r": \d+%", poll)) == 5, "cada um dos cinco da pesquisa com sua parte")
        diario(orca, app)
        marca = orca.marca()
        tecla("Return")
        orca.esperar(r"^Começar", "a volta à página de título", marca)
        tecla("ctrl+q")
        checar(processo.wait(timeout=30) == 0, "o jogo fechou por Ctrl+Q")
        # Every signal reached Orca well formed (a reorder from Qt 6.4 does not).
        with open(os.path.join(os.getcwd(), "orca-saida.txt"), errors="replace") as f:
            malformados = [l for l in f if "invalid signature" in l]
        checar(not malformados, "nenhum sinal malformado (%s)" % "".join(malformados[:3]))
        print("ok: %s, em %.0f s" % (resultado, time.monotonic() - comeco))
    except Falha as f:
        print("FALHA:", f)
        return 1
    finally:
        if processo is not None and processo.poll() is None:
            processo.kill()
        orca.parar()
        copia = os.environ.get("VARZENO_ORCA_DEBUG")
        if copia and os.path.exists(orca.arquivo):
            shutil.copy(orca.arquivo, copia)
        orca.mostrar_ouvido()
    return 0


if __name__ == "__main__":
    sys.exit(main())

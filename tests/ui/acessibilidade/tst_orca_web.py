"""A whole game of the web edition by keys alone, heard through Orca, in a
headed browser (Debian's chromium or firefox-esr) under Xvfb.

The same model as tst_orca.py, whose Orca handle and key helpers it shares:
the test presses real X keys (xdotool) as a player would, chooses each week
from what Orca SPOKE (the debug file's SPEECH OUTPUT lines), and asserts on
it: the campaign start, each option heard and then applied as heard (the
money and honesty the next quiet week says move by its effects), every
message said once and the week after it, P and S, the result once and the
chart's poll. What Orca said is kept in VARZENO_ORCA_TRANSCRICAO.

Usage: tst_orca_web.py NAVEGADOR:SITE   (run by orca.sh)
"""

import json
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tst_orca as T  # noqa: E402
from arvore import Falha, checar  # noqa: E402

OPCAO = re.compile(r"(.*) Din: (-?\d+) +Pop: (-?\d+) +hon: (-?\d+), ([1-4]) de 4")
SEMANA = re.compile(r"Semanas até ([12])o turno: (\d+)\. Dinheiro: (-?\d+)\. Popularidade: (-?\d+)%\. Honestidade: (-?\d+)\.")
MENSAGEM = re.compile(r"^(.+?)\.? diálogo")


# What the game refuses, with its reasons: the week does not pass.
RECUSAS = ("Sem dinheiro Suficiente", "Você não pode ir tão mal nas pesquisas", "Você não pode ser tão descarado assim!")


def escolher(opcoes, dinheiro, popularidade, honestidade):
    """The desktop test's player, who also raises money when short of it,
    so the options it takes change the money both ways; it takes nothing
    the figures it heard say the game would refuse."""
    aceitas = {k: e for k, e in opcoes.items() if popularidade + e[1] >= 0 and honestidade + e[2] >= 0}
    k = T.escolher(aceitas, dinheiro)
    if k == 0 or dinheiro < 3000:
        ganho = max(aceitas, key=lambda j: aceitas[j][0], default=0)
        if ganho and aceitas[ganho][0] > 0:
            return ganho
    return k


def preferencias(pasta):
    """Orca's settings: all defaults but the say-all on page load, which
    under this null sound sink never ends (speech-dispatcher reports no
    utterance done), and a say-all in progress keeps Orca from its focus
    mode."""
    caminho = os.path.join(pasta, "orca-prefs")
    os.makedirs(caminho, exist_ok=True)
    geral = {"sayAllOnLoad": False}
    with open(os.path.join(caminho, "user-settings.conf"), "w") as f:
        json.dump({"general": geral, "pronunciations": {}, "keybindings": {},
                   "profiles": {"default": dict(geral, profile=["Default", "default"])}}, f)


def abrir(navegador, url, pasta):
    perfil = os.path.join(pasta, "perfil-" + navegador)
    os.makedirs(perfil, exist_ok=True)
    saida = open(os.path.join(pasta, navegador + ".txt"), "w")
    if navegador == "firefox":
        with open(os.path.join(perfil, "user.js"), "w") as f:
            for chave, valor in (("accessibility.force_disabled", "0"), ("browser.shell.checkDefaultBrowser", "false"),
                                 ("datareporting.policy.dataSubmissionEnabled", "false"),
                                 ("browser.aboutwelcome.enabled", "false"),
                                 ("browser.startup.homepage_override.mstone", '"ignore"')):
                f.write('user_pref("%s", %s);\n' % (chave, valor))
        env = dict(os.environ, GNOME_ACCESSIBILITY="1", MOZ_ENABLE_WAYLAND="0")
        programa = os.environ.get("VARZENO_FIREFOX", "/usr/bin/firefox-esr")
        return subprocess.Popen([programa, "--no-remote", "--profile", perfil, url], env=env, stdout=saida,
                                stderr=subprocess.STDOUT)
    programa = os.environ.get("VARZENO_CHROMIUM", "/usr/bin/chromium")
    return subprocess.Popen([programa, "--no-sandbox", "--user-data-dir=" + perfil, "--force-renderer-accessibility",
                             "--no-first-run", "--no-default-browser-check", "--password-store=basic",
                             "--disable-gpu", "--disable-features=Translate", url],
                            stdout=saida, stderr=subprocess.STDOUT)


def ouvir(orca, teste, oque, desde):
    return orca.esperar(teste, oque, desde)[1]


def ate_a_campanha(orca):
    orca.esperar("Começar", "o botão 'Começar'")
    marca = orca.marca()
    T.tecla("Return")
    orca.esperar("Regras do jogo", "a página das regras", marca)
    orca.esperar("para a direita, a escolha do candidato", "como seguir das regras", marca)
    orca.esperar("Mentiras, fofocas", "o texto das regras", marca)
    marca = orca.marca()
    T.tecla("Right")  # the game's next-page key, not the reader's
    orca.esperar(r"^Candidato 15 botão", "a foto do primeiro candidato pela seta para a direita", marca)
    marca = orca.marca()
    T.tecla("Return")
    orca.esperar(r"Número de adversários\W+2", "o número de adversários", marca)
    marca = orca.marca()
    T.tecla("Up")
    orca.esperar(r"^3$|Número de adversários\W+3", "o número 3", marca)
    marca = orca.marca()
    T.tecla("Down")
    orca.esperar(r"^2$|Número de adversários\W+2", "o número 2", marca)


def campanha(orca):
    marca = orca.marca()
    T.tecla("Return")
    inicio = ouvir(orca, "Campanha iniciada", "o começo da campanha", marca)
    m = SEMANA.search(inicio)
    checar(m and m.group(2) == "20", "o começo diz as semanas, o dinheiro, a popularidade e a honestidade: " + inicio)
    checar("1, 2 e 3 marcam uma ação" in inicio and "Marcada: " in inicio, "o começo diz as teclas e a opção marcada")
    dinheiro, popularidade, honestidade = int(m.group(3)), int(m.group(4)), int(m.group(5))

    marca = orca.marca()
    T.tecla("p")
    pesquisa = ouvir(orca, r"^Pesquisa: ", "a pesquisa pela tecla P", marca)
    checar("Candidato 15: " in pesquisa and len(re.findall(r": \d+%", pesquisa)) == 4, "a pesquisa inteira: " + pesquisa)
    marca = orca.marca()
    T.tecla("s")
    s = ouvir(orca, SEMANA, "a situação pela tecla S", marca)
    checar(SEMANA.search(s).group(3) == str(dinheiro), "S diz o dinheiro do começo")

    semanas = (1, 20)
    calmas, mensagens, aplicadas = 0, [], 0
    for _ in range(80):
        opcoes = {}
        for k in (3, 2, 1):
            marca = orca.marca()
            T.tecla(str(k))
            m = OPCAO.search(ouvir(orca, OPCAO, "a opção %d pela sua tecla" % k, marca))
            checar(int(m.group(5)) == k, "a tecla %d lê a opção %d: %s" % (k, k, m.group(0)))
            opcoes[k] = tuple(int(m.group(i)) for i in (2, 3, 4))
        # The option marked already, by its key: said again.
        marca = orca.marca()
        T.tecla("1")
        orca.esperar(r", 1 de 4", "a opção marcada dita de novo pela sua tecla", marca)
        k = escolher(opcoes, dinheiro, popularidade, honestidade)
        if k != 1:
            marca = orca.marca()
            T.tecla(str(k))
            orca.esperar(r", %d de 4" % (k if k else 4), "a opção escolhida, %d" % k, marca)
        # After the round's last week Enter decides the round: no option is
        # played, and the second round starts where the first one ended.
        efeito = opcoes.get(k, (0, 0, 0)) if semanas[1] > 0 else (0, 0, 0)
        marca = orca.marca()
        T.tecla("Return")
        fim = time.monotonic() + T.PRAZO
        semana = mensagem = None
        while time.monotonic() < fim and semana is None and mensagem is None:
            for f in orca.ouvido(marca):
                ms = SEMANA.search(f)
                mm = MENSAGEM.search(f)
                if mm:
                    mensagem = mm.group(1)
                    break
                if ms and (int(ms.group(1)), int(ms.group(2))) != semanas:
                    semana = ms
                    break
            time.sleep(0.1)
        if semana is not None:
            novo = (int(semana.group(3)), int(semana.group(5)))
            checar(novo == (dinheiro + efeito[0], honestidade + efeito[2]),
                   "semana calma %s: a opção %d aplicada como ouvida (dinheiro %d%+d, honestidade %d%+d)"
                   % (semana.group(2), k, dinheiro, efeito[0], honestidade, efeito[2]))
            dinheiro, honestidade = novo
            popularidade = int(semana.group(4))
            semanas = (int(semana.group(1)), int(semana.group(2)))
            calmas += 1
            aplicadas += 1
            continue
        if mensagem is None:
            raise Falha("Enter não trouxe semana nem mensagem; Orca disse: " + " | ".join(orca.ouvido(marca)))
        time.sleep(1.0)
        T.calmo(orca)
        ditas = sum(f.count(mensagem) for f in orca.ouvido(marca))
        checar(ditas == 1, "a mensagem %r dita uma vez (%d)" % (mensagem, ditas))
        mensagens.append(mensagem)
        marca = orca.marca()
        T.tecla("Return")
        if mensagem in ("Você ganhou!", "Você perdeu!"):
            return mensagem, calmas, mensagens, aplicadas, marca
        if mensagem in RECUSAS:
            # Refused: the week stays, and the option marked is said again.
            orca.esperar(r", %d de 4" % (k if k else 4), "a opção marcada depois da recusa %r" % mensagem, marca)
            continue
        semana = SEMANA.search(ouvir(orca, SEMANA, "a semana depois da mensagem %r" % mensagem, marca))
        semanas = (int(semana.group(1)), int(semana.group(2)))
        dinheiro, popularidade, honestidade = int(semana.group(3)), int(semana.group(4)), int(semana.group(5))
    raise Falha("o jogo não terminou")


def main():
    navegador, site = sys.argv[1].split(":", 1)
    pasta = os.getcwd()
    comeco = time.monotonic()
    preferencias(pasta)
    orca = T.ORCA = T.Orca(pasta)
    servidor = subprocess.Popen(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "../../../tools/web/servir.py"),
                                 site, "0"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    browser = None
    try:
        url = re.search(r"http://\S+", servidor.stdout.readline()).group(0)
        orca.esperar("Leitor de tela ativado", "que está ativo", prazo=90)
        browser = abrir(navegador, url, pasta)
        ate_a_campanha(orca)
        resultado, calmas, mensagens, aplicadas, marca = campanha(orca)
        checar(calmas >= 3 and aplicadas >= 3, "%d semanas calmas, cada uma ouvida com a opção aplicada" % calmas)
        print("mensagens:", " | ".join(mensagens))
        _, poll = orca.esperar(r"Pesquisa final\.", "a pesquisa final do gráfico", marca, prazo=60)
        checar(re.search(r"Candidato 15: \d+%", poll), "o jogador está na pesquisa final: " + poll)
        T.calmo(orca)
        checar(sum(f.count(resultado) for f in orca.ouvido(marca - 3)) <= 1, "o resultado dito uma vez")
        marca = orca.marca()
        T.tecla("Return")
        orca.esperar(r"^Começar", "a volta à página de título", marca)
        print("ok: %s em %s, em %.0f s" % (resultado, navegador, time.monotonic() - comeco))
    except Falha as f:
        print("FALHA:", f)
        return 1
    finally:
        if browser is not None and browser.poll() is None:
            browser.terminate()
            try:
                browser.wait(timeout=20)
            except subprocess.TimeoutExpired:
                browser.kill()
        servidor.terminate()
        orca.parar()
        destino = os.environ.get("VARZENO_ORCA_TRANSCRICAO")
        if destino:
            os.makedirs(destino, exist_ok=True)
            with open(os.path.join(destino, "orca-web-%s.txt" % navegador), "w") as f:
                f.write("\n".join(orca.falas()) + "\n")
            if os.path.exists(orca.arquivo):
                shutil.copy(orca.arquivo, os.path.join(destino, "orca-web-%s-debug.out" % navegador))
        orca.mostrar_ouvido()
    return 0


if __name__ == "__main__":
    sys.exit(main())

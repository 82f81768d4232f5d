"""The tests' Orca beside a user's own: orca_iniciar.py starts Orca while
another process of the same user is named orca (orca.sh starts that
stand-in and checks afterwards that it was not touched), Orca comes up and
speaks, and stopping it by the PID the test holds ends every process it
started (Orca, speech-dispatcher) and nothing else.

Usage: tst_orca_vizinho.py [GAME]   (run by orca.sh; the game is not used)
"""

import os
import subprocess
import sys
import time

AQUI = os.path.dirname(os.path.abspath(__file__))


def filhos():
    """PID -> (parent PID, start time, name) of every process here."""
    tabela = {}
    for nome in os.listdir("/proc"):
        if not nome.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % nome) as f:
                dados = f.read()
        except OSError:
            continue
        comando = dados[dados.index("(") + 1:dados.rindex(")")]
        campos = dados[dados.rindex(")") + 2:].split()
        tabela[int(nome)] = (int(campos[1]), campos[19], comando)
    return tabela


def descendentes(raiz):
    tabela = filhos()
    achados, fila = {}, [raiz]
    while fila:
        pid = fila.pop()
        for filho, (pai, inicio, comando) in tabela.items():
            if pai == pid and filho not in achados:
                achados[filho] = (inicio, comando)
                fila.append(filho)
    return achados


def vivos(processos):
    tabela = filhos()
    return {p: c for p, (inicio, c) in processos.items() if p in tabela and tabela[p][1] == inicio}


def main():
    pasta = os.getcwd()
    debug = os.path.join(pasta, "orca-debug.out")
    preferencias = os.path.join(pasta, "orca-prefs")
    os.makedirs(preferencias, exist_ok=True)
    with open(os.path.join(pasta, "orca-saida.txt"), "w") as saida:
        orca = subprocess.Popen(["/usr/bin/python3", os.path.join(AQUI, "orca_iniciar.py"), debug, preferencias],
                                stdout=saida, stderr=subprocess.STDOUT)
    try:
        # Orca says it is on; speech-dispatcher is up by then.
        fim = time.monotonic() + 60
        falou = False
        while time.monotonic() < fim and orca.poll() is None:
            if os.path.exists(debug) and "SPEECH OUTPUT:" in open(debug, errors="replace").read():
                falou = True
                break
            time.sleep(0.2)
        if not falou:
            print("FALHA: Orca não falou ao lado do outro orca; saiu com", orca.poll(), ":",
                  open(os.path.join(pasta, "orca-saida.txt"), errors="replace").read()[-2000:])
            return 1
        print("ok: Orca começou e falou ao lado do outro processo chamado orca")
        iniciados = descendentes(orca.pid)
        nomes = sorted(c for _, c in iniciados.values())
        if "orca" not in nomes:
            print("FALHA: nenhum processo orca entre os iniciados:", nomes)
            return 1
        print("ok: iniciados", nomes)
    finally:
        if orca.poll() is None:
            orca.terminate()
            try:
                orca.wait(timeout=20)
            except subprocess.TimeoutExpired:
                orca.kill()
                orca.wait()
    if orca.returncode != 0:
        print("FALHA: o iniciador de Orca saiu com", orca.returncode)
        return 1
    restantes = vivos(iniciados)
    if restantes:
        print("FALHA: ficaram processos que o teste iniciou:", restantes)
        return 1
    print("ok: parado pelo PID, nada do que iniciou ficou")
    return 0


if __name__ == "__main__":
    sys.exit(main())

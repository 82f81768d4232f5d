"""Starts Orca for a test beside any reader already running, and stops only
what it started; its debug file written line by line, and a Brazilian
Portuguese voice.

Orca refuses to start while another process of the same user is named
`orca` (it looks with `pgrep -u UID -x orca`), and with --replace it sends
SIGKILL to all of them: the user's own screen reader too, in every session.
So Orca runs here in a PID namespace of its own with its own /proc, where
it sees only itself and starts without --replace; what it spawns
(speech-dispatcher) lives and ends in there. This process stays outside as
the handle: SIGTERM or SIGINT to it, or the end of the process that started
it, kills the namespace through the one process it started (unshare, by its
PID; its --kill-child takes Orca, and the kernel the rest of the namespace)
and nothing else.

Orca opens its debug file with Python's default buffering, so the last
utterances could sit unwritten while the test waits for them; inside the
namespace this runs Orca's own launcher with that one file opened
line-buffered. Its voice follows the pt_BR locale orca.sh builds.

Usage: orca_iniciar.py DEBUG_FILE PREFS_DIR
"""

import builtins
import ctypes
import os
import runpy
import signal
import subprocess
import sys

DENTRO = "--no-proprio-espaco"
PR_SET_PDEATHSIG = 1
PR_SET_CHILD_SUBREAPER = 36


def prctl(opcao, valor):
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(opcao, int(valor), 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(%d)" % opcao)


def ao_morrer_o_pai(sinal):
    """The calling process gets `sinal` when the process that started it ends."""
    prctl(PR_SET_PDEATHSIG, sinal)


def filhos(pid):
    try:
        with open("/proc/%d/task/%d/children" % (pid, pid)) as f:
            return [int(p) for p in f.read().split()]
    except OSError:
        return []


def orca(arquivo, preferencias):
    """Orca itself, run inside its namespace."""
    _abrir = builtins.open

    def abrir(nome, modo="r", *args, **kwargs):
        if nome == arquivo and "w" in modo:
            return _abrir(nome, modo, buffering=1, encoding="utf-8")
        return _abrir(nome, modo, *args, **kwargs)

    builtins.open = abrir
    sys.argv = ["orca", "-u", preferencias, "--debug-file=" + arquivo]
    runpy.run_path("/usr/bin/orca", run_name="__main__")


def fora(argumentos):
    """The handle outside: starts the namespace and ends it, by PID."""
    ao_morrer_o_pai(signal.SIGTERM)
    # Orca, left by unshare, comes to this process, which waits for it.
    prctl(PR_SET_CHILD_SUBREAPER, 1)
    opcoes = ["--pid", "--fork", "--mount-proc", "--kill-child=SIGKILL"]
    if os.geteuid() != 0:
        # A user without CAP_SYS_ADMIN gets it in a user namespace of their
        # own, mapped to themselves so D-Bus still knows them.
        opcoes = ["--user", "--map-current-user"] + opcoes
    espaco = subprocess.Popen(
        ["unshare", *opcoes, "--", sys.executable, os.path.abspath(__file__), DENTRO, *argumentos],
        preexec_fn=lambda: ao_morrer_o_pai(signal.SIGKILL))

    parado = []
    primeiro = []  # the namespace's first process, Orca

    def parar(sinal, quadro):
        # Only the kill here: the wait below, interrupted, collects it.
        parado.append(sinal)
        primeiro.extend(filhos(espaco.pid))
        espaco.kill()

    signal.signal(signal.SIGTERM, parar)
    signal.signal(signal.SIGINT, parar)
    status = espaco.wait()
    # The namespace ends when its first process does, after unshare: the
    # kernel kills and reaps the rest before that one's own end is seen.
    for pid in primeiro:
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass
    sys.exit(0 if parado else status)


if __name__ == "__main__":
    if sys.argv[1] == DENTRO:
        orca(sys.argv[2], sys.argv[3])
    else:
        fora(sys.argv[1:3])

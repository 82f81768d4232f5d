"""Stands in for a user's own screen reader: a process named `orca`, of the
same user as the test, that writes down every signal it gets.

Usage: orca_vizinho.py SIGNALS_FILE
"""

import ctypes
import signal
import sys

PR_SET_NAME = 15

arquivo = sys.argv[1]
ctypes.CDLL(None).prctl(PR_SET_NAME, b"orca", 0, 0, 0)


def anotar(sinal, quadro):
    with open(arquivo, "a") as f:
        f.write(signal.Signals(sinal).name + "\n")


for s in signal.valid_signals():
    if s not in (signal.SIGKILL, signal.SIGSTOP):
        try:
            signal.signal(s, anotar)
        except (OSError, ValueError):
            pass
while True:
    signal.pause()

"""Starts Orca with its debug file written line by line, and a Brazilian
Portuguese voice.

Orca opens its debug file with Python's default buffering, so the last
utterances could sit unwritten while the test waits for them; this runs
Orca's own launcher with that one file opened line-buffered. Its voice
follows the pt_BR locale orca.sh builds.

Usage: orca_iniciar.py DEBUG_FILE PREFS_DIR
"""

import builtins
import runpy
import sys

arquivo, preferencias = sys.argv[1], sys.argv[2]
_abrir = builtins.open


def abrir(nome, modo="r", *args, **kwargs):
    if nome == arquivo and "w" in modo:
        return _abrir(nome, modo, buffering=1, encoding="utf-8")
    return _abrir(nome, modo, *args, **kwargs)


builtins.open = abrir
sys.argv = ["orca", "--replace", "-u", preferencias, "--debug-file=" + arquivo]
runpy.run_path("/usr/bin/orca", run_name="__main__")

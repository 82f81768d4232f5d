#!/usr/bin/env bash
# The package as a player gets it, on a fresh Debian root with nothing of
# the project's installed (scripts/test-debian.sh runs it there, as root):
# apt installs the file alone, pulling every dependency without the
# recommended ones; the installed game runs headless, then on an X screen
# from the PATH a player's shell has, and writes jogo.ini where it is
# started; the desktop entry validates; man shows both pages in both
# languages; apt-get remove leaves nothing but the player's jogo.ini.
# Usage: instalado.sh DEB
set -euo pipefail
deb=$(realpath "$1")
aqui=$(cd "$(dirname "$0")" && pwd)
. "$aqui/comum.sh"
export DEBIAN_FRONTEND=noninteractive

apt-get update -qq
apt-get install -y -qq --no-install-recommends "$deb" >/tmp/instalar.txt 2>&1 ||
  { cat /tmp/instalar.txt; falha "apt-get install $(basename "$deb")"; }
echo "installed with $(grep -c '^Setting up ' /tmp/instalar.txt) packages: $(dpkg-query -W -f='${Version}' varzeno)"
dpkg-query -L varzeno >/tmp/arquivos.txt
# Where the sound module is (the architecture's folder) pacote_deb.sh checks.
modulo=$(grep '/varzeno/varzeno-som\.so$' /tmp/arquivos.txt) || falha "no sound module in the package"
apt-get check -qq || falha "apt-get check after installing"

# With nothing but what the package pulled: Qt's own offscreen platform.
# The checks are those of the cmake --install test (comum.sh).
rodar_instalado /usr/games/varzeno /usr/share/varzeno/assets /usr/libexec/varzeno/varzeno-metafile "$modulo"

# What the checks below need, after the package: it must not have leaned on them.
apt-get install -y -qq --no-install-recommends xvfb xauth desktop-file-utils man-db >/tmp/ferramentas.txt 2>&1 ||
  { cat /tmp/ferramentas.txt; falha "installing the test tools"; }

# On an X screen, by a player (not root), started by name from the PATH
# Debian's /etc/profile gives a player's login shell, in a folder of theirs.
grep -q '^jogador:' /etc/passwd || {
  echo 'jogador:x:4242:4242:Jogador:/home/jogador:/bin/bash' >>/etc/passwd
  echo 'jogador:x:4242:' >>/etc/group
}
jogador=/home/jogador/partida
mkdir -p "$jogador"
chown -R 4242:4242 /home/jogador
como_jogador() {
  runuser -u jogador -- env -i HOME=/home/jogador LANG=C.UTF-8 TERM=dumb bash -lc "$1"
}
for programa in varzeno varzeno-sim; do
  [ "$(como_jogador "command -v $programa")" = /usr/games/$programa ] || falha "$programa is not /usr/games/$programa on a player's PATH"
done
como_jogador "cd $jogador && XDG_RUNTIME_DIR=\$(mktemp -d) VARZENO_SAIR_APOS_MS=2000 \
  timeout 60 bash $aqui/../com_xvfb.sh 1024x768x24 varzeno >/tmp/xvfb-saida.txt 2>/tmp/xvfb-erros.txt" ||
  { cat /tmp/xvfb-erros.txt; falha "the game on Xvfb ended with an error"; }
cat /tmp/xvfb-erros.txt
! grep -q '^erro: ' /tmp/xvfb-erros.txt || falha "the game showed an error box on Xvfb"
[ "$(wc -l <"$jogador/jogo.ini")" -ge 19 ] || falha "no whole jogo.ini where the player started the game"

desktop-file-validate /usr/share/applications/io.github.varzeno.Varzeno.desktop || falha "the desktop entry"

# man as a player runs it; the Portuguese pages by the language.
for pagina in varzeno varzeno-sim; do
  MANWIDTH=80 man -P cat "$pagina" >/tmp/pagina.txt 2>/tmp/pagina-erros.txt || falha "man $pagina"
  grep -q '^SYNOPSIS' /tmp/pagina.txt || falha "man $pagina: no SYNOPSIS"
  LANGUAGE=pt_BR MANWIDTH=80 man -L pt_BR -P cat "$pagina" >/tmp/pagina.txt 2>>/tmp/pagina-erros.txt || falha "man -L pt_BR $pagina"
  grep -q '^SINOPSE' /tmp/pagina.txt || falha "man -L pt_BR $pagina: not the Portuguese page"
  [ ! -s /tmp/pagina-erros.txt ] || { cat /tmp/pagina-erros.txt; falha "man $pagina warned"; }
done
grep -q 'VARZENO_SEMENTE' <(MANWIDTH=80 man -P cat 6 varzeno) || falha "man varzeno does not tell VARZENO_SEMENTE"
como_jogador 'varzeno-sim --jogos 3 --semente 1' | grep -qx 'jogos: 3' || falha "varzeno-sim on a player's PATH"

# Removed: none of its files, nothing of it in dpkg's records; the player's
# jogo.ini stays.
apt-get remove -y -qq varzeno >/tmp/remover.txt 2>&1 || { cat /tmp/remover.txt; falha "apt-get remove"; }
while IFS= read -r f; do
  [ -d "$f" ] || [ ! -e "$f" ] || falha "$f is left after apt-get remove"
done </tmp/arquivos.txt
for pasta in /usr/share/varzeno /usr/libexec/varzeno "$(dirname "$modulo")" /usr/share/doc/varzeno; do
  [ ! -e "$pasta" ] || falha "$pasta is left after apt-get remove"
done
! ls /var/lib/dpkg/info/varzeno.* 2>/dev/null || falha "dpkg keeps records of varzeno"
restos=$(find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /src -o -path /var/cache/apt \) -prune -o \
  -iname '*varzeno*' -print || true)
[ -z "$restos" ] || falha "left after apt-get remove: $restos"
[ "$(ls -A "$jogador")" = jogo.ini ] || falha "the player's folder holds $(ls -A "$jogador"), not jogo.ini alone"
echo "ok: $(basename "$deb") installed by apt, ran headless and on Xvfb from /usr/games, pages shown, removed clean"
echo "1 passed, 0 failed"

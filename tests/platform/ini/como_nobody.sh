#!/bin/sh
# Runs a test as nobody when started as root, since root writes anywhere.
# The binary is copied to a folder nobody can reach first: the build tree
# may sit under a home folder closed to other users.
set -eu
teste=$1
if [ "$(id -u)" != 0 ]; then exec "$teste"; fi
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
chmod 755 "$pasta"
cp "$teste" "$pasta/"
runuser -u nobody -- "$pasta/$(basename "$teste")"

#pragma once
// Where the game's own files (wave files, the web page) and its helper
// programs are found: the build tree keeps them beside the executable (data
// in `assets`); an installed game finds them through the relative paths from
// its bin folder to its data and helper folders, so a relocated tree (any
// install prefix, `dpkg -x` into a scratch folder) works as well.

#include <QString>
#include <QStringList>

QStringList PastasDoJogo();

// The absolute path of `relativo` in the first of those folders that has
// it, or empty.
QString LocalizarNoJogo(const QString& relativo);

// The absolute path of the helper program `nome`: beside the executable,
// then in the installed helpers folder; empty when neither has it.
QString LocalizarAuxiliar(const QString& nome);

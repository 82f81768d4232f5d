#pragma once
// Where the game's own files (wave files, the web page) are found: the
// `assets` folder beside the executable in the build tree, then the
// installed data folder.

#include <QString>
#include <QStringList>

QStringList PastasDoJogo();

// The absolute path of `relativo` in the first of those folders that has
// it, or empty.
QString LocalizarNoJogo(const QString& relativo);

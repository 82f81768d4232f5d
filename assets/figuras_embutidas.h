#pragma once
// The game's own pictures, compiled in already decoded: showing them at
// start needs no PNG or BMP decoder, no resource lookup and no copy, and
// Qt's picture plugins are not brought up before the window's first paint.
// The build generates them from the pictures of this folder (tools/bruto).

#include <QImage>
#include <QString>

// The picture of the file `nome` of this folder ("Imp.bmp", "foto15.png"),
// exactly as Qt decodes that file; a null picture when the game has none by
// that name. The pixels stay in the program's read-only data until the
// picture is drawn on, which then works on a copy of its own.
// Each picture has a double drawn at twice the size ("Imp@2x.bmp", device
// pixel ratio 2), which the picture carries (VarianteDupla) for screens of
// a higher ratio; it is not touched on a screen of ratio 1.
QImage FiguraEmbutida(const QString& nome);

// "Imp.bmp" -> "Imp@2x.bmp".
QString NomeDaDupla(const QString& nome);

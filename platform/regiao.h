#pragma once
// Window outline cut from a background picture: every pixel that is not
// exactly magenta #FF00FF belongs to the window.

#include <QImage>
#include <QRegion>

class QWidget;

// The opaque part of the picture, built row by row from runs of pixels.
QRegion RegiaoOpaca(const QImage& fundo);

// Sizes the window to the picture and makes the opaque part its mask.
// Used by the main window and by the message dialog alike. `fundo` is the
// picture at the game's own size, never its double: the outline is in the
// window's own pixels at every device pixel ratio.
void ModelarJanela(QWidget& janela, const QImage& fundo);

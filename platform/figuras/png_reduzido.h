#pragma once
// PNG photos of any size within the photo limits, decoded row by row into
// the reduced picture: memory holds a row and the result, never the whole
// picture (Qt's reader would need 8 bytes a pixel for 16-bit files).

#include <QIODevice>
#include <QImage>
#include <QString>
#include <stop_token>

// Reads the PNG from `origem` into a picture at most `lado` pixels on its
// longest side, proportions kept, each pixel the mean of those it covers.
// 1 to 16 bits per channel, palette, grey, alpha and interlaced files.
// Throws std::runtime_error in UTF-8 naming `caminho` when the file is
// damaged, beyond the photo limits, or `parar` is asked.
QImage LerPngReduzido(QIODevice& origem, int lado, const QString& caminho, std::stop_token parar = {});

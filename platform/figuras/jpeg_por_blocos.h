#pragma once
// Large progressive JPEG photos read from their DC terms alone. A
// progressive file sends every 8 x 8 block's mean (its DC term) in the first
// scans and the detail after; libjpeg keeps every coefficient of the whole
// picture until the last scan (about 3 bytes a pixel: 150 MB for 50
// megapixels), while a slot shows far less than one pixel per block. This
// reader keeps one value per block and skips the detail scans, so such a
// photo takes a few MB. Each block's value is the one libjpeg gives when it
// decodes at 1/8 of the size.

#include <QIODevice>
#include <QImage>
#include <QString>
#include <stop_token>

// Reads the JPEG in `origem` reduced to at most `lado` pixels on its longest
// side, proportions kept, before any EXIF turn. Returns a null image, having
// read part of `origem`, when the file is not one this reader is for: not
// progressive, arithmetic-coded, 12-bit, CMYK, unusual sampling, or too
// small for 1/8 of it to fill `lado` (Qt's reader takes those at little
// cost). Throws std::runtime_error in UTF-8 naming `caminho` when the file is
// damaged (far more DC scans than any encoder writes included), beyond the
// photo limits, or `parar` is asked. Damage inside the
// coded data greys what follows it, as libjpeg does.
QImage LerJpegProgressivoReduzido(QIODevice& origem, int lado, const QString& caminho, std::stop_token parar = {});

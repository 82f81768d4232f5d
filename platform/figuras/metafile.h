#pragma once
// Decoders of the two metafile formats, drawn to pixels. They run inside
// the helper process varzeno-metafile (and the fuzzers), never in the game:
// the libraries under them trust their input too much. Failures throw
// std::runtime_error with a message in UTF-8.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace metafile {

// Walks the records of an enhanced metafile: a header record first, every
// record at least 8 bytes, a multiple of 4, inside the file, the chain ended
// by EMR_EOF. Returns the length up to the end of EMR_EOF.
qsizetype VerificarCadeiaEmf(const QByteArray& emf);

// The size of the header's frame at 96 dpi, scaled down to the size limit
// (a vector picture loses nothing by it).
QSize TamanhoEmf(const QByteArray& emf);

// The chain check, then libemf2svg on a zero-padded copy.
QByteArray EmfParaSvg(const QByteArray& emf, QSize tamanho);

// Qt's SVG renderer on a white page of the given size.
QImage DesenharSvg(const QByteArray& svg, QSize tamanho);

QImage DecodificarEmf(const QByteArray& emf);

// libwmf's gd renderer at 96 dpi, scaled down to the size limit, as PNG.
QByteArray WmfParaPng(const QByteArray& wmf);

// The largest size of the same proportions that fits the limits.
QSize ReduzirAoLimite(double largura, double altura);

}  // namespace metafile

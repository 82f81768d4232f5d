#pragma once
// Decoders of the two metafile formats, drawn to pixels. They run inside
// the helper process varzeno-metafile (and the fuzzers), never in the game:
// the libraries under them trust their input too much. Failures throw
// std::runtime_error with a message in UTF-8.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include "limites.h"

namespace metafile {

// Walks the records of an enhanced metafile: a header record first, every
// record at least 8 bytes, a multiple of 4, inside the file, the chain ended
// by EMR_EOF. Returns the length up to the end of EMR_EOF.
qsizetype VerificarCadeiaEmf(const QByteArray& emf);

// The size of the header's frame at 96 dpi, scaled down to the size limit
// (a vector picture loses nothing by it).
// ladoMaximo lowers the side limit further (the fuzzers draw small).
QSize TamanhoEmf(const QByteArray& emf, int ladoMaximo = kLadoMaximoFigura);

// The chain check, then libemf2svg on a zero-padded copy.
QByteArray EmfParaSvg(const QByteArray& emf, QSize tamanho);

// Qt's SVG renderer on a white page of the given size.
QImage DesenharSvg(const QByteArray& svg, QSize tamanho);

QImage DecodificarEmf(const QByteArray& emf, int ladoMaximo = kLadoMaximoFigura);

// Walks the records of a Windows metafile, with or without its placeable
// header: a META header whose longest record fits the file, every record at
// least 3 words and inside the file, the chain ended by the end record.
// libwmf allocates by the header's numbers before it checks them. Returns
// the length up to the end of the end record.
qsizetype VerificarCadeiaWmf(const QByteArray& wmf);

// The chain check, then libwmf's gd renderer at 96 dpi, scaled down to the size limit, as PNG.
QByteArray WmfParaPng(const QByteArray& wmf, int ladoMaximo = kLadoMaximoFigura);

// The largest size of the same proportions that fits the limits.
QSize ReduzirAoLimite(double largura, double altura, int ladoMaximo = kLadoMaximoFigura);

}  // namespace metafile

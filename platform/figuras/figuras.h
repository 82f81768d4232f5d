#pragma once
// Picture files loaded by their extension, for the candidates' photos.

#include <QImage>
#include <QString>
#include <stop_token>

#include "limites.h"

// The longest side a candidate's photo is decoded to: its 89 x 89 box at
// twice the pixels, for screens that double them; the box stretches it.
inline constexpr int kLadoFoto = 178;

// Loads the picture file by its extension, compared in lower case: "bmp",
// "ico", "jpg", "jpeg" and "png" through Qt (png row by row through
// libpng), "emf" and "wmf" through the helper process varzeno-metafile.
// Any other extension is refused with "Unknown picture file extension
// (.ext)". With `lado` > 0 the file is a photo: decoded straight to at most
// `lado` pixels on its longest side, proportions kept, within the photo
// limits (limites.h), JPEG turned upright by its EXIF orientation; with 0
// the picture comes at its own size, within the picture limits. A missing,
// unreadable, damaged or too large picture throws std::runtime_error with a
// message in UTF-8 naming the file; so does a load stopped through
// `parar` (a metafile's helper is ended at once).
// Safe on any thread: no widget, no pixmap.
QImage CarregarFigura(const QString& caminho, int lado = 0, std::stop_token parar = {});

// Decodes picture bytes of one Qt format ("bmp", "ico", "jpg", "png"), the
// format fixed, within the size limits. Throws std::runtime_error.
QImage DecodificarFiguraQt(const QByteArray& bytes, const char* formato);

// The helper that draws metafiles: by default "varzeno-metafile" beside
// the running executable; tests name another one. Empty restores the
// default.
void DefinirAuxiliarMetafile(const QString& caminho);
QString AuxiliarMetafile();

// How long the helper may take before it is killed, in milliseconds.
void DefinirPrazoMetafile(int milissegundos);
inline constexpr int kPrazoMetafilePadrao = 10000;

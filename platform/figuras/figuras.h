#pragma once
// Picture files loaded by their extension, for the candidates' photos.

#include <QImage>
#include <QString>

#include "limites.h"

// Loads the picture file by its extension, compared in lower case: "bmp",
// "ico", "jpg", "jpeg" and "png" through Qt, "emf" and "wmf" through the
// helper process varzeno-metafile. Any other extension is refused with
// "Unknown picture file extension (.ext)". A missing, unreadable, damaged or
// too large picture throws std::runtime_error with a message in UTF-8.
QImage CarregarFigura(const QString& caminho);

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

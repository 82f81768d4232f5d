#pragma once
// The table the build generates (tools/bruto) from the pictures of this
// folder: each one's pixels as Qt decodes it, in the program's read-only
// data.

#include <QImage>
#include <QRgb>

struct TFiguraCompilada {
  const char* nome;  // the file's name in this folder
  int largura, altura;
  QImage::Format formato;
  qsizetype bytesPorLinha;
  const QRgb* cores;  // the colour table, for indexed formats
  int numCores;
  const uchar* pixels;  // altura * bytesPorLinha bytes, 16-byte aligned
};

extern const TFiguraCompilada kFigurasCompiladas[];
extern const int kNumFigurasCompiladas;

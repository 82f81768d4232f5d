// Shared drawing helpers of the asset generator: fonts, masks, bevels, buttons
// and the 256-colour conversion of the window background.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace arte {

// The key colour that the game cuts away from its shaped windows.
inline constexpr QRgb kMagenta = 0xFFFF00FF;

// Every picture is drawn at the game's own size (scale 1) and again at twice
// that size (scale 2) for screens of twice the density, by the same code:
// sizes and coordinates stay those of scale 1, the pixels are finer.
int escala();
void definirEscala(int s);

// A picture of w x h at the current scale, filled with `fundo`.
QImage nova(int w, int h, const QColor& fundo);
QImage transparente(int w, int h);

// Aliased strokes of a painter on a picture drawn at a larger scale fall on
// the same whole pixels as at scale 1 (Qt centres wide pens on the line).
void alinharTracos(QPainter& p);

// Liberation Sans at a pixel height, hinted for crisp small lettering.
QFont fonte(int px, bool negrito = true, bool italico = false);

// A set of pixels: the regions of a picture that bevels and fills work on.
// Its size and coordinates are those of the picture at the current scale.
struct Mascara {
  int w = 0, h = 0;
  std::vector<unsigned char> v;

  Mascara() = default;
  Mascara(int largura, int altura) : w(largura), h(altura), v(size_t(largura) * altura, 0) {}
  bool dentro(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && v[size_t(y) * w + x]; }
  void marcar(int x, int y, bool on = true) { v[size_t(y) * w + x] = on ? 1 : 0; }
};

// `pertence` is asked in the coordinates of scale 1, so each of its pixels
// covers a block at a larger scale.
Mascara mascaraDe(int w, int h, const std::function<bool(int, int)>& pertence);
Mascara mascaraDe(int w, int h, const QPainterPath& forma);
// A shape that meets a window's outline: rasterised at scale 1 and each pixel
// made a block, so that at any scale it cuts exactly where the outline does.
Mascara mascaraDeContorno(int w, int h, const QPainterPath& forma);

// The coordinate at scale 1 of the centre of a pixel at the current scale
// (the pixel's own coordinate at scale 1).
double logico(int px);

QColor misturar(const QColor& a, const QColor& b, double t);

// Fills the masked pixels with colours from `cor(x, y)`, x and y being the
// pixel's coordinates at the current scale.
void preencher(QImage& img, const Mascara& m, const std::function<QColor(int, int)>& cor);

// Shades the rim of a masked region: edges facing up-left take `claro`, those
// facing down-right take `escuro`, fading over `largura` pixels of scale 1. A sunken
// region swaps the two.
void chanfrar(QImage& img, const Mascara& m, const QColor& claro, const QColor& escuro, int largura,
              bool elevado = true);

// Paints the outermost ring of a region (pixels touching the outside) in
// `cor`, one pixel of scale 1 thick.
void contornar(QImage& img, const Mascara& m, const QColor& cor);

// A teal push button with centred bold lettering, filling `r` entirely.
// `fundo` is the colour its rounded corners blend into.
void botao(QImage& img, const QRect& r, const QString& texto, bool apertado, int px, const QColor& fundo);

// Text drawn with a one-pixel drop shadow.
void textoComSombra(QImage& img, const QRect& caixa, int alinhamento, const QString& texto, const QFont& f,
                    const QColor& cor, const QColor& sombra, int dx = 1, int dy = 1);

// 256-colour conversion. `exatas` are kept exactly and pixels of those colours
// keep them; pixels under `chave` become magenta and no other pixel does.
QImage indexar(const QImage& rgb, const std::vector<QRgb>& exatas, const Mascara& chave);

// Entry points of the two halves of the generator.
bool gerarImagens(const QString& pasta);
bool gerarSons(const QString& pasta);
// The application icon, SVG and PNGs, under PASTA/icons/hicolor.
bool gerarIcone(const QString& pasta);

}  // namespace arte

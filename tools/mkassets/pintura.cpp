#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "arte.h"

namespace arte {

namespace {
int escalaAtual = 1;
}  // namespace

int escala() { return escalaAtual; }
void definirEscala(int s) { escalaAtual = s; }

QImage nova(int w, int h, const QColor& fundo) {
  QImage img(w * escalaAtual, h * escalaAtual, QImage::Format_RGB32);
  img.setDevicePixelRatio(escalaAtual);
  img.fill(fundo);
  return img;
}

QImage transparente(int w, int h) {
  QImage img(w * escalaAtual, h * escalaAtual, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(escalaAtual);
  img.fill(Qt::transparent);
  return img;
}

void alinharTracos(QPainter& p) {
  // A one-pixel pen at scale 1 covers the pixel right of and below the
  // line; a wider pen is centred on it, half a pixel of scale 1 off.
  if (escalaAtual > 1) p.translate(0.5, 0.5);
}

double logico(int px) { return (px + 0.5) / escalaAtual - 0.5; }

QFont fonte(int px, bool negrito, bool italico) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(px);
  f.setBold(negrito);
  f.setItalic(italico);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

Mascara mascaraDe(int w, int h, const std::function<bool(int, int)>& pertence) {
  const int s = escalaAtual;
  Mascara m(w * s, h * s);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (pertence(x / s, y / s)) m.marcar(x, y);
  return m;
}

Mascara mascaraDe(int w, int h, const QPainterPath& forma) {
  // Aliased rasterisation: a pixel belongs when its centre is inside, so
  // the outline stays crisp and the bevels follow it pixel by pixel.
  const int s = escalaAtual;
  QImage tela(w * s, h * s, QImage::Format_Grayscale8);
  tela.setDevicePixelRatio(s);
  tela.fill(0);
  {
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(forma, Qt::white);
  }
  Mascara m(w * s, h * s);
  for (int y = 0; y < m.h; ++y) {
    const uchar* linha = tela.constScanLine(y);
    for (int x = 0; x < m.w; ++x)
      if (linha[x] > 127) m.marcar(x, y);
  }
  return m;
}

Mascara mascaraDeContorno(int w, int h, const QPainterPath& forma) {
  const int s = escalaAtual;
  escalaAtual = 1;
  const Mascara base = mascaraDe(w, h, forma);
  escalaAtual = s;
  return mascaraDe(w, h, [&base](int x, int y) { return base.dentro(x, y); });
}

QColor misturar(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto canal = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(canal(a.red(), b.red()), canal(a.green(), b.green()), canal(a.blue(), b.blue()));
}

void preencher(QImage& img, const Mascara& m, const std::function<QColor(int, int)>& cor) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.dentro(x, y)) img.setPixel(x, y, cor(x, y).rgb());
}

void chanfrar(QImage& img, const Mascara& m, const QColor& claro, const QColor& escuro, int largura, bool elevado) {
  largura *= escalaAtual;
  const QColor luz = elevado ? claro : escuro;
  const QColor sombra = elevado ? escuro : claro;
  QImage origem = img.copy();
  for (int y = 0; y < m.h; ++y) {
    for (int x = 0; x < m.w; ++x) {
      if (!m.dentro(x, y)) continue;
      int dLuz = 0, dSombra = 0;
      for (int d = 1; d <= largura && !dLuz; ++d)
        if (!m.dentro(x - d, y) || !m.dentro(x, y - d) || !m.dentro(x - d, y - d)) dLuz = d;
      for (int d = 1; d <= largura && !dSombra; ++d)
        if (!m.dentro(x + d, y) || !m.dentro(x, y + d) || !m.dentro(x + d, y + d)) dSombra = d;
      if (!dLuz && !dSombra) continue;
      const QColor base = QColor::fromRgb(origem.pixel(x, y));
      QColor alvo;
      int d;
      if (dLuz && (!dSombra || dLuz < dSombra)) {
        alvo = luz;
        d = dLuz;
      } else if (dSombra && (!dLuz || dSombra < dLuz)) {
        alvo = sombra;
        d = dSombra;
      } else {
        // A corner facing both ways (a diagonal edge): half of each.
        alvo = misturar(luz, sombra, 0.5);
        d = dLuz;
      }
      const double forca = 1.0 - double(d - 1) / largura;
      img.setPixel(x, y, misturar(base, alvo, 0.85 * forca).rgb());
    }
  }
}

void contornar(QImage& img, const Mascara& m, const QColor& cor) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      if (!m.dentro(x, y)) continue;
      bool borda = false;
      for (int d = 1; d <= escalaAtual && !borda; ++d)
        borda = !m.dentro(x - d, y) || !m.dentro(x + d, y) || !m.dentro(x, y - d) || !m.dentro(x, y + d);
      if (borda) img.setPixel(x, y, cor.rgb());
    }
}

void textoComSombra(QImage& img, const QRect& caixa, int alinhamento, const QString& texto, const QFont& f,
                    const QColor& cor, const QColor& sombra, int dx, int dy) {
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(f);
  p.setPen(sombra);
  p.drawText(caixa.translated(dx, dy), alinhamento, texto);
  p.setPen(cor);
  p.drawText(caixa, alinhamento, texto);
}

void botao(QImage& img, const QRect& r, const QString& texto, bool apertado, int px, const QColor& fundo) {
  const QColor borda(0x0F, 0x2E, 0x2C);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, fundo);

  // Body: a teal face lit from above; pressed, the light comes from below
  // and the face sinks.
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  if (apertado) {
    g.setColorAt(0.0, QColor(0x17, 0x55, 0x4F));
    g.setColorAt(1.0, QColor(0x25, 0x74, 0x6A));
  } else {
    g.setColorAt(0.0, QColor(0x4C, 0xB3, 0xA4));
    g.setColorAt(0.48, QColor(0x2F, 0x8E, 0x82));
    g.setColorAt(0.52, QColor(0x26, 0x80, 0x75));
    g.setColorAt(1.0, QColor(0x1B, 0x64, 0x5C));
  }
  const QRect corpo = r.adjusted(1, 1, -1, -1);
  p.fillRect(corpo, g);

  // Frame with softened corners.
  p.save();
  alinharTracos(p);
  p.setPen(borda);
  p.drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
  p.drawLine(r.left() + 1, r.bottom(), r.right() - 1, r.bottom());
  p.drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
  p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom() - 1);
  p.restore();
  const QColor canto = misturar(fundo, borda, 0.45);
  for (QPoint c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
    p.fillRect(QRect(c, QSize(1, 1)), canto);
  alinharTracos(p);

  // Inner rim: highlight on top, shade at the bottom (inverted when pressed).
  const QColor claro = apertado ? QColor(0x0C, 0x3B, 0x37) : QColor(0x9B, 0xE6, 0xD8);
  const QColor escuro = apertado ? QColor(0x2E, 0x86, 0x7B) : QColor(0x12, 0x4A, 0x44);
  p.setPen(claro);
  p.drawLine(corpo.left(), corpo.top(), corpo.right(), corpo.top());
  p.setPen(misturar(claro, apertado ? QColor(0x17, 0x55, 0x4F) : QColor(0x4C, 0xB3, 0xA4), 0.5));
  p.drawLine(corpo.left(), corpo.top() + 1, corpo.left(), corpo.bottom() - 1);
  p.setPen(escuro);
  p.drawLine(corpo.left(), corpo.bottom(), corpo.right(), corpo.bottom());
  p.drawLine(corpo.right(), corpo.top() + 1, corpo.right(), corpo.bottom() - 1);
  p.end();

  // Lettering: white on the raised face; pressed, dimmer and one pixel
  // further down and right, as if pushed in.
  const QRect caixa = apertado ? r.translated(1, 1) : r;
  const QColor letra = apertado ? QColor(0xB4, 0xCF, 0xCA) : QColor(0xFF, 0xFF, 0xFF);
  const QColor sombra = apertado ? QColor(0x0B, 0x33, 0x30) : QColor(0x0D, 0x3D, 0x38);
  textoComSombra(img, caixa, Qt::AlignCenter, texto, fonte(px, true), letra, sombra);
}

}  // namespace arte

// The game's pictures. Every size, place and key colour here matches a widget
// of the game window or of the message dialog.
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

#include "arte.h"

namespace arte {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Colours the game reads back from the background picture.
const QColor kFundoPaginas(0x64, 0x71, 0x7E);  // page container, at (4, 6)
const QColor kFundoPainel(0x7E, 0xB1, 0xA2);   // statistics labels, at (508, 142)

// Writes an uncompressed BMP, 8 bits with its palette or 24 bits, bottom-up
// rows padded with zeros. Written by hand so that every run gives the same
// bytes (the stock writer leaves row padding unset).
bool gravarBmp(const QImage& img, const QString& caminho) {
  const bool indexada = img.format() == QImage::Format_Indexed8;
  const QImage rgb = indexada ? img : img.convertToFormat(QImage::Format_RGB32);
  const int w = img.width(), h = img.height();
  const int bytesLinha = ((indexada ? w : 3 * w) + 3) & ~3;
  const int cores = indexada ? 256 : 0;
  const int inicio = 14 + 40 + 4 * cores;
  QByteArray d;
  auto u16 = [&d](int v) {
    d.append(char(v & 0xFF));
    d.append(char((v >> 8) & 0xFF));
  };
  auto u32 = [&](quint32 v) {
    u16(int(v & 0xFFFF));
    u16(int(v >> 16));
  };
  d.append("BM");
  u32(quint32(inicio + bytesLinha * h));
  u32(0);
  u32(quint32(inicio));
  u32(40);
  u32(quint32(w));
  u32(quint32(h));
  u16(1);
  u16(indexada ? 8 : 24);
  u32(0);  // BI_RGB
  u32(quint32(bytesLinha * h));
  u32(3780);  // 96 dpi
  u32(3780);
  u32(quint32(cores));
  u32(0);
  const QList<QRgb> tabela = img.colorTable();
  for (int i = 0; i < cores; ++i) {
    const QRgb c = i < tabela.size() ? tabela[i] : 0;
    d.append(char(qBlue(c)));
    d.append(char(qGreen(c)));
    d.append(char(qRed(c)));
    d.append(char(0));
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray linha(bytesLinha, '\0');
    for (int x = 0; x < w; ++x) {
      if (indexada) {
        linha[x] = char(img.constScanLine(y)[x]);
      } else {
        const QRgb c = rgb.pixel(x, y);
        linha[3 * x] = char(qBlue(c));
        linha[3 * x + 1] = char(qGreen(c));
        linha[3 * x + 2] = char(qRed(c));
      }
    }
    d.append(linha);
  }
  QFile f(caminho);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(d) == d.size();
}

bool salvar(const QImage& img, const QString& pasta, const char* nome) {
  const QString caminho = QDir(pasta).filePath(QString::fromLatin1(nome));
  const bool bmp = caminho.endsWith(QLatin1String(".bmp"));
  const QImage final = img.format() == QImage::Format_Indexed8 ? img : img.convertToFormat(QImage::Format_RGB32);
  if (!(bmp ? gravarBmp(final, caminho) : final.save(caminho, "PNG"))) {
    std::fprintf(stderr, "falha ao gravar %s\n", qPrintable(caminho));
    return false;
  }
  std::printf("%-14s %3d x %3d\n", nome, final.width(), final.height());
  return true;
}

// Takes `n` pixels of scale 1 off the rim of a region.
Mascara encolher(const Mascara& m, int n = 1) {
  Mascara r = m;
  for (int i = 0; i < n * escala(); ++i) {
    Mascara a = r;
    for (int y = 0; y < m.h; ++y)
      for (int x = 0; x < m.w; ++x)
        if (a.dentro(x, y) &&
            (!a.dentro(x - 1, y) || !a.dentro(x + 1, y) || !a.dentro(x, y - 1) || !a.dentro(x, y + 1)))
          r.marcar(x, y, false);
  }
  return r;
}

// Adds `n` pixels of scale 1 around a region.
Mascara crescer(const Mascara& m, int n) {
  n *= escala();
  Mascara r = m;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (!m.dentro(x, y)) {
        bool perto = false;
        for (int dy = -n; dy <= n && !perto; ++dy)
          for (int dx = -n; dx <= n && !perto; ++dx) perto = m.dentro(x + dx, y + dy);
        if (perto) r.marcar(x, y);
      }
  return r;
}

QPainterPath retanguloRedondo(const QRectF& r, double raio) {
  QPainterPath p;
  p.addRoundedRect(r, raio, raio);
  return p;
}

QPainterPath estrela(QPointF c, double externo, double interno) {
  QPainterPath p;
  for (int i = 0; i < 10; ++i) {
    const double a = -kPi / 2 + i * kPi / 5;
    const double r = (i % 2) ? interno : externo;
    const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      p.moveTo(q);
    else
      p.lineTo(q);
  }
  p.closeSubpath();
  return p;
}

// The picture with the key colour exactly on `chave` and nowhere else.
QImage comChave(const QImage& img, const Mascara& chave) {
  QImage r = img.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      if (chave.dentro(x, y))
        r.setPixel(x, y, kMagenta);
      else if ((r.pixel(x, y) | 0xFF000000) == kMagenta)
        r.setPixel(x, y, qRgb(0xFE, 0x00, 0xFF));
  return r;
}

// Vertical gradient across [y0, y1].
std::function<QColor(int, int)> degrade(int y0, int y1, QColor cima, QColor baixo) {
  return [=](int, int y) { return misturar(cima, baixo, (logico(y) - y0) / std::max(1, y1 - y0)); };
}

// Pastes an antialiased drawing onto a background, keeping the background
// exactly where the drawing left nothing.
void colar(QImage& destino, const QImage& camada, QPoint em = {}) {
  QPainter p(&destino);
  p.drawImage(em, camada);
}

// A small ballot box with a paper going in, in a w x h box at (x, y).
void urna(QPainter& p, const QRectF& r, const QColor& corpo, const QColor& tampa, const QColor& papel) {
  const double w = r.width(), h = r.height();
  p.save();
  p.translate(r.topLeft());
  p.setRenderHint(QPainter::Antialiasing, true);
  // paper, half inserted
  QPainterPath folha;
  folha.addRect(QRectF(w * 0.30, 0, w * 0.40, h * 0.45));
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), std::max(0.6, w / 24)));
  p.setBrush(papel);
  p.drawPath(folha);
  p.setPen(QPen(QColor(0xC8, 0x1E, 0x1E), std::max(0.8, w / 14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF{QPointF(w * 0.38, h * 0.22), QPointF(w * 0.47, h * 0.32), QPointF(w * 0.62, h * 0.10)});
  // box body with a lid
  p.setPen(QPen(QColor(0x12, 0x1A, 0x20), std::max(0.7, w / 22)));
  p.setBrush(corpo);
  p.drawRoundedRect(QRectF(w * 0.06, h * 0.40, w * 0.88, h * 0.58), w * 0.06, w * 0.06);
  p.setBrush(tampa);
  p.drawRoundedRect(QRectF(0.5, h * 0.30, w - 1, h * 0.16), w * 0.05, w * 0.05);
  // slot
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x10, 0x14, 0x18));
  p.drawRect(QRectF(w * 0.28, h * 0.355, w * 0.44, std::max(1.0, h * 0.05)));
  p.restore();
}

// ---------------------------------------------------------------- window --

// The cut-away parts of the window, all right of x 483.
bool cortado(int x, int y) {
  if (y <= 20 && x >= 618 + y) return true;                                     // bevelled top-right corner
  if ((y <= 3 || (y >= 193 && y <= 196)) && x >= 484 && x <= 499) return true;  // notches on both sides of the hinge
  if (y >= 193 && y <= 196 && x >= 624 - (y - 193)) return true;                // small bottom-right corner
  return y == 197 && x >= 483;
}

constexpr int kW = 650, kH = 198;
// Page container (and, during a game, the play area) at 4, 6; 475 x 186.
const QRect kQuadro(4, 6, 475, 186);
const int kLinhasOpcoes[4] = {60, 89, 118, 143};

void desenharPlacaEsquerda(QImage& img) {
  const Mascara placa = mascaraDe(kW, kH, [](int x, int y) { return x <= 483 && !cortado(x, y); });
  preencher(img, placa, degrade(0, kH, QColor(0x5D, 0x6A, 0x77), QColor(0x4A, 0x56, 0x62)));
  contornar(img, placa, QColor(0x18, 0x1E, 0x24));
  chanfrar(img, encolher(placa), QColor(0xA4, 0xB1, 0xBD), QColor(0x2A, 0x33, 0x3C), 2);

  // The play area is set into the frame: its rim is in shade on top and
  // left, and catches the light at the bottom and right.
  QPainter p(&img);
  alinharTracos(p);
  const QRect q = kQuadro;
  p.setPen(QColor(0x2B, 0x34, 0x3D));
  p.drawLine(q.left() - 1, q.top() - 1, q.right() + 1, q.top() - 1);
  p.drawLine(q.left() - 1, q.top() - 1, q.left() - 1, q.bottom() + 1);
  p.setPen(QColor(0x3B, 0x46, 0x51));
  p.drawLine(q.left() - 2, q.top() - 2, q.right() + 2, q.top() - 2);
  p.drawLine(q.left() - 2, q.top() - 2, q.left() - 2, q.bottom() + 2);
  p.setPen(QColor(0x8E, 0x9B, 0xA8));
  p.drawLine(q.left(), q.bottom() + 1, q.right() + 1, q.bottom() + 1);
  p.drawLine(q.right() + 1, q.top(), q.right() + 1, q.bottom() + 1);
}

void desenharCalendario(QPainter& p, QRect r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF c = QRectF(r).adjusted(0.5, 1.5, -0.5, -0.5);
  p.setPen(QPen(QColor(0x14, 0x1B, 0x21), 1));
  p.setBrush(QColor(0xEE, 0xF2, 0xF4));
  p.drawRoundedRect(c, 2, 2);
  p.setBrush(QColor(0x2C, 0xA0, 0x92));
  p.drawRoundedRect(QRectF(c.left(), c.top(), c.width(), 5), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x8A, 0x96, 0xA2));
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(c.left() + 2 + i * 3, c.top() + 7 + j * 2.7, 2, 1.6));
  p.setBrush(QColor(0xC8, 0x1E, 0x1E));
  p.drawRect(QRectF(c.left() + 2 + 2 * 3, c.top() + 7 + 2 * 2.7, 2, 1.6));
  // rings
  p.setPen(QPen(QColor(0x14, 0x1B, 0x21), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(c.left() + 3.5, r.top() + 0.5), QPointF(c.left() + 3.5, r.top() + 3.5));
  p.drawLine(QPointF(c.right() - 3.5, r.top() + 0.5), QPointF(c.right() - 3.5, r.top() + 3.5));
  p.restore();
}

void desenharCidade(QPainter& p, const QRect& area, const QColor& predio, const QColor& janela, quint32 semente) {
  // A row of buildings with a few lit windows; the same seed gives the same town.
  quint32 s = semente;
  auto sorte = [&s](int n) {
    s = s * 1664525u + 1013904223u;
    return int((s >> 16) % quint32(n));
  };
  p.save();
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing, false);
  int x = area.left() - sorte(6);
  while (x < area.right()) {
    const int w = 9 + sorte(14);
    const int h = 6 + sorte(area.height() - 4);
    const QRect r(x, area.bottom() - h + 1, w, h);
    p.fillRect(r, predio);
    if (sorte(4) == 0) {  // a mast or a water tank on some roofs
      p.fillRect(QRect(x + w / 2, r.top() - 3, 1, 3), predio);
    }
    for (int jy = r.top() + 3; jy < r.bottom() - 1; jy += 4)
      for (int jx = x + 2; jx < x + w - 2; jx += 3)
        if (sorte(5) == 0) p.fillRect(QRect(jx, jy, 1, 2), janela);
    x += w + sorte(3);
  }
  p.restore();
}

void desenharQuadro(QImage& img) {
  const QRect q = kQuadro;
  {
    QPainter p(&img);
    p.fillRect(q, kFundoPaginas);
  }

  // Header band with the board's title.
  const Mascara faixa = mascaraDe(kW, kH, retanguloRedondo(QRectF(q.left() + 2, q.top() + 2, q.width() - 4, 22), 3));
  preencher(img, faixa, degrade(q.top() + 2, q.top() + 24, QColor(0x3A, 0x84, 0x7C), QColor(0x22, 0x5C, 0x57)));
  contornar(img, faixa, QColor(0x16, 0x33, 0x31));
  chanfrar(img, encolher(faixa), QColor(0x8C, 0xD4, 0xC8), QColor(0x18, 0x45, 0x41), 1);

  // The dark board the week's options are written on.
  const QRectF rPainel(q.left() + 2, q.top() + 26, q.width() - 4, q.height() - 28);
  const Mascara painel = mascaraDe(kW, kH, retanguloRedondo(rPainel, 3));
  preencher(img, painel,
            degrade(int(rPainel.top()), int(rPainel.bottom()), QColor(0x3C, 0x48, 0x54), QColor(0x2B, 0x34, 0x3E)));
  chanfrar(img, painel, QColor(0x8E, 0x9B, 0xA8), QColor(0x1B, 0x22, 0x29), 2, false);

  // A faint town along the bottom of the board.
  {
    QPainter p(&img);
    desenharCidade(p, QRect(q.left() + 4, 163, 340, 26), QColor(0x25, 0x2D, 0x36), QColor(0x5C, 0x58, 0x3E), 7);
  }

  // A band for each option row, with a socket for its mark.
  for (int i = 0; i < 4; ++i) {
    const int y = kLinhasOpcoes[i];
    const int direita = i == 3 ? 200 : q.right() - 5;
    const Mascara banda = mascaraDe(kW, kH, retanguloRedondo(QRectF(9, y - 4, direita - 9 + 1, 20), 4));
    preencher(img, banda, [&](int x, int yy) {
      const QColor base = QColor::fromRgb(img.pixel(x, yy));
      return misturar(base, QColor(0x5B, 0x6B, 0x7A), 0.38);
    });
    chanfrar(img, banda, QColor(0x70, 0x80, 0x8F), QColor(0x22, 0x29, 0x31), 1);
    const Mascara soquete =
        mascaraDe(kW, kH, [y](int x, int yy) { return x >= 12 && x <= 24 && yy >= y - 1 && yy <= y + 11; });
    preencher(img, soquete, [](int, int) { return QColor(0x1C, 0x23, 0x2A); });
    chanfrar(img, soquete, QColor(0x96, 0xA4, 0xB1), QColor(0x10, 0x15, 0x1A), 1, false);
  }

  // Socket of the confirm button (355, 160; 118 x 26).
  const Mascara encaixe = mascaraDe(kW, kH, retanguloRedondo(QRectF(352, 157, 124, 32), 3));
  preencher(img, encaixe, [](int, int) { return QColor(0x1F, 0x26, 0x2E); });
  chanfrar(img, encaixe, QColor(0x8E, 0x9B, 0xA8), QColor(0x12, 0x17, 0x1C), 2, false);

  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  urna(p, QRectF(10, q.top() + 4, 15, 18), QColor(0xEC, 0xF0, 0xF2), QColor(0x34, 0x41, 0x4D), Qt::white);
  p.end();

  QFont titulo = fonte(11, true);
  titulo.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
  textoComSombra(img, QRect(31, q.top() + 2, 300, 22), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("QUADRO DA CAMPANHA"), titulo, QColor(0xE4, 0xF7, 0xF2), QColor(0x12, 0x38, 0x35));

  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i == 1 ? QColor(0xFF, 0xD8, 0x4A) : QColor(0xB5, 0xE8, 0xDD));
    p.drawPath(estrela(QPointF(398 + i * 16, q.top() + 13), i == 1 ? 6 : 4.5, i == 1 ? 2.6 : 2));
  }
  desenharCalendario(p, QRect(11, 35, 15, 16));
  p.end();

  QFont lema = fonte(11, true, true);
  textoComSombra(img, QRect(215, 143, 129, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Cada voto conta!"),
                 lema, QColor(0x9C, 0xC9, 0xBF), QColor(0x1E, 0x26, 0x2E));
}

void desenharDobradica(QImage& img) {
  // A barrel hinge joins the play frame to the poll panel.
  const Mascara m = mascaraDe(kW, kH, [](int x, int y) { return x >= 484 && x <= 499 && y >= 4 && y <= 192; });
  preencher(img, m, [](int px, int py) {
    const double u = (logico(px) - 484) / 15.0;  // 0..1 across the barrel
    const int y = py / escala();
    const double luz = std::pow(std::sin(u * kPi), 0.7);  // round, lit in the middle
    QColor c = misturar(QColor(0x24, 0x2D, 0x35), QColor(0x8A, 0x98, 0xA4), 0.12 + 0.62 * luz);
    if ((y - 4) % 27 == 0 && y > 4)
      c = misturar(c, QColor(0x10, 0x15, 0x1A), 0.75);  // joint between knuckles
    else if ((y - 4) % 27 == 1 && y > 5)
      c = misturar(c, QColor(0xD6, 0xDE, 0xE5), 0.35);
    return c;
  });
  contornar(img, m, QColor(0x15, 0x1B, 0x21));
}

void desenharPlacaDireita(QImage& img) {
  const Mascara placa = mascaraDe(kW, kH, [](int x, int y) { return x >= 500 && !cortado(x, y); });
  preencher(img, placa, degrade(0, kH, QColor(0x4E, 0x6C, 0x75), QColor(0x3B, 0x55, 0x5D)));
  contornar(img, placa, QColor(0x13, 0x1F, 0x23));
  chanfrar(img, encolher(placa), QColor(0x9D, 0xC3, 0xC9), QColor(0x20, 0x32, 0x38), 2);

  // Poll screen: black where the names and shares are written (x 508..~620,
  // y 7..111), its top-right corner chamfered like the window's.
  const Mascara tela =
      mascaraDe(kW, kH, [](int x, int y) { return x >= 505 && x <= 620 && y >= 5 && y <= 113 && x <= 612 + y; });
  const Mascara moldura = crescer(tela, 2);
  preencher(img, moldura, [](int, int) { return QColor(0x22, 0x30, 0x35); });
  chanfrar(img, moldura, QColor(0xA8, 0xCB, 0xD0), QColor(0x0A, 0x10, 0x12), 2, false);
  preencher(img, tela, [](int, int) { return QColor(0, 0, 0); });

  // Statistics panel, flat #7EB1A2 behind its labels.
  const Mascara painel = mascaraDe(kW, kH, retanguloRedondo(QRectF(504, 119, 141, 72), 3));
  preencher(img, painel, [](int, int) { return kFundoPainel; });
  contornar(img, painel, QColor(0x1D, 0x3B, 0x37));
  chanfrar(img, encolher(painel), QColor(0xC4, 0xE4, 0xDB), QColor(0x4E, 0x80, 0x73), 1, false);

  // Socket of the close button (630, 25; 12 x 8).
  const Mascara soquete = mascaraDe(kW, kH, [](int x, int y) { return x >= 628 && x <= 643 && y >= 23 && y <= 34; });
  preencher(img, soquete, [](int, int) { return QColor(0x1A, 0x25, 0x29); });
  chanfrar(img, soquete, QColor(0xA8, 0xCB, 0xD0), QColor(0x0A, 0x10, 0x12), 1, false);

  // The panel's name along its spine.
  QImage rotulo = transparente(66, 16);
  {
    QFont f = fonte(9, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    QPainter p(&rotulo);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(f);
    p.setPen(QColor(0x14, 0x24, 0x28));
    p.drawText(QRect(1, 1, 66, 16), Qt::AlignCenter, QStringLiteral("PESQUISA"));
    p.setPen(QColor(0xBD, 0xE6, 0xDC));
    p.drawText(QRect(0, 0, 66, 16), Qt::AlignCenter, QStringLiteral("PESQUISA"));
  }
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.translate(628, 116);
  p.rotate(-90);
  p.drawImage(QPoint(0, 0), rotulo);
  p.resetTransform();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xD8, 0x4A));
  p.drawPath(estrela(QPointF(636, 43), 4.2, 1.8));
}

// Returns the picture in full colour; the BMP gets its palette later.
QImage desenharJanela() {
  QImage img = nova(kW, kH, QColor(0x50, 0x5C, 0x68));
  desenharPlacaEsquerda(img);
  desenharQuadro(img);
  desenharDobradica(img);
  desenharPlacaDireita(img);
  return img;
}

// ------------------------------------------------------------ small parts --

QImage desenharReprodutor(const QImage& fundo) {
  // Pocket music player at 456, 8 of the window, over the window's own
  // pixels so its antialiased edge needs no halo; magenta where it is not.
  QImage camada = transparente(23, 39);
  {
    QPainter p(&camada);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient metal(0, 0, 23, 0);
    metal.setColorAt(0.0, QColor(0xB8, 0xC2, 0xCB));
    metal.setColorAt(0.35, QColor(0xF1, 0xF4, 0xF6));
    metal.setColorAt(1.0, QColor(0x93, 0x9F, 0xAA));
    p.setPen(QPen(QColor(0x1E, 0x25, 0x2B), 1));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(2.5, 1.5, 18, 35), 4, 4);
    // screen
    QLinearGradient lcd(0, 5, 0, 16);
    lcd.setColorAt(0, QColor(0x9A, 0xF0, 0xE0));
    lcd.setColorAt(1, QColor(0x35, 0xA8, 0x98));
    p.setPen(QPen(QColor(0x2A, 0x33, 0x3A), 1));
    p.setBrush(lcd);
    p.drawRoundedRect(QRectF(5.5, 4.5, 12, 12), 1.5, 1.5);
    // a note on the screen
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x30, 0x2C));
    p.drawEllipse(QRectF(8.0, 11.0, 3.4, 2.6));
    p.drawRect(QRectF(10.6, 6.5, 0.9, 5.6));
    QPainterPath bandeira;
    bandeira.moveTo(10.6, 6.5);
    bandeira.cubicTo(12.6, 7.2, 14.4, 8.0, 13.8, 10.3);
    bandeira.cubicTo(13.6, 9.0, 12.6, 8.6, 11.5, 8.4);
    bandeira.closeSubpath();
    p.drawPath(bandeira);
    // click wheel
    QRadialGradient roda(QPointF(11.5, 26.5), 7.5, QPointF(10.5, 25));
    roda.setColorAt(0, QColor(0x5A, 0x67, 0x73));
    roda.setColorAt(1, QColor(0x24, 0x2C, 0x34));
    p.setPen(QPen(QColor(0x1A, 0x20, 0x26), 0.8));
    p.setBrush(roda);
    p.drawEllipse(QPointF(11.5, 26.5), 7, 7);
    p.setBrush(QColor(0xD8, 0xDE, 0xE3));
    p.drawEllipse(QPointF(11.5, 26.5), 2.6, 2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC9, 0xD1, 0xD8));
    p.drawRect(QRectF(10.5, 20.3, 2, 1.2));                                                   // menu
    p.drawPolygon(QPolygonF{QPointF(16.2, 25.6), QPointF(17.8, 26.5), QPointF(16.2, 27.4)});  // play
    p.drawPolygon(QPolygonF{QPointF(6.8, 25.6), QPointF(5.2, 26.5), QPointF(6.8, 27.4)});
  }
  QImage img = fundo.copy();
  colar(img, camada);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(camada.pixel(x, y)) == 0) img.setPixel(x, y, kMagenta);
  return img;
}

QImage desenharMarca(bool marcada) {
  QImage img = nova(11, 11, QColor(0x1A, 0x22, 0x28));
  {
    QPainter p(&img);
    QLinearGradient g(0, 1, 0, 10);
    g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    g.setColorAt(1, QColor(0xD2, 0xD9, 0xDF));
    p.fillRect(QRect(1, 1, 9, 9), g);
    p.save();
    alinharTracos(p);
    p.setPen(QColor(0x9C, 0xA7, 0xB1));
    p.drawLine(1, 1, 9, 1);
    p.drawLine(1, 1, 1, 9);
    p.restore();
    if (marcada) {
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(QPen(QColor(0x8C, 0x0B, 0x10), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      const QPolygonF risco{QPointF(2.6, 5.4), QPointF(4.6, 7.8), QPointF(8.6, 2.4)};
      p.drawPolyline(risco);
      p.setPen(QPen(QColor(0xE0, 0x1C, 0x22), 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(risco);
    }
  }
  return img;
}

QImage desenharFechar(bool apertado) {
  QImage img = nova(12, 8, QColor(0x1A, 0x25, 0x29));
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, 8);
  g.setColorAt(0, apertado ? QColor(0x7A, 0x17, 0x14) : QColor(0xE0, 0x55, 0x4C));
  g.setColorAt(1, apertado ? QColor(0xA4, 0x2A, 0x24) : QColor(0x94, 0x1E, 0x19));
  p.fillRect(QRect(1, 1, 10, 6), g);
  alinharTracos(p);
  p.setPen(QColor(0x3A, 0x0A, 0x08));
  p.drawRect(QRect(0, 0, 11, 7));
  p.end();
  // A pixel-exact 5 x 5 cross; pressed, it moves down-right. At a larger
  // scale each stroke keeps its width and takes the finer steps.
  const QRgb cruz = apertado ? qRgb(0xE6, 0xC4, 0xC0) : qRgb(0xFF, 0xFF, 0xFF);
  const int s = escala(), d = apertado ? s : 0;
  for (int i = 0; i < 5 * s; ++i)
    for (int k = 0; k < s; ++k) {
      const int y = s + i + d, x = std::min(3 * s + i + k, 8 * s - 1);
      img.setPixel(x + d, y, cruz);
      img.setPixel(8 * s - 1 - (x - 3 * s) + d, y, cruz);
    }
  return img;
}

QImage desenharSeta(bool direita, bool apertada) {
  QImage img = nova(25, 11, kFundoPaginas);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const double dy = apertada ? 1.0 : 0.0;
  QPainterPath seta;
  seta.moveTo(1.0, 4.5 + dy);
  seta.lineTo(9.5, 0.5 + dy);
  seta.lineTo(9.5, 2.8 + dy);
  seta.lineTo(23.5, 2.8 + dy);
  seta.lineTo(23.5, 6.2 + dy);
  seta.lineTo(9.5, 6.2 + dy);
  seta.lineTo(9.5, 8.5 + dy);
  seta.closeSubpath();
  if (direita) {
    QTransform espelho(-1, 0, 0, 1, 25, 0);
    seta = espelho.map(seta);
  }
  QLinearGradient g(0, dy, 0, 9 + dy);
  g.setColorAt(0, apertada ? QColor(0x3A, 0x98, 0x8B) : QColor(0xA6, 0xF5, 0xE7));
  g.setColorAt(1, apertada ? QColor(0x17, 0x62, 0x59) : QColor(0x22, 0xA0, 0x8F));
  // shadow, then the arrow
  if (!apertada) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2A, 0x31, 0x38, 150));
    p.drawPath(seta.translated(1, 1));
  }
  p.setPen(QPen(QColor(0x0D, 0x36, 0x31), 1));
  p.setBrush(g);
  p.drawPath(seta);
  return img;
}

QImage desenharCamera(bool apertada) {
  QImage img = nova(38, 31, kFundoPaginas);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const double dy = apertada ? 1.0 : 0.0;
  p.translate(0, dy);
  const QColor linha(0x12, 0x16, 0x1A);
  // viewfinder hump and shutter release
  p.setPen(QPen(linha, 1));
  p.setBrush(QColor(0x3C, 0x42, 0x49));
  p.drawRoundedRect(QRectF(12.5, 4.5, 13, 6), 1.5, 1.5);
  p.setBrush(apertada ? QColor(0x8E, 0x1C, 0x18) : QColor(0xD8, 0x3A, 0x30));
  p.drawRoundedRect(QRectF(28.5, 5.5 + (apertada ? 1 : 0), 5, 3.5 - (apertada ? 1 : 0)), 1, 1);
  // body
  QLinearGradient corpo(0, 8, 0, 29);
  corpo.setColorAt(0, QColor(0x5E, 0x66, 0x6F));
  corpo.setColorAt(0.5, QColor(0x3A, 0x40, 0x47));
  corpo.setColorAt(1, QColor(0x22, 0x26, 0x2B));
  p.setBrush(corpo);
  p.drawRoundedRect(QRectF(1.5, 8.5, 35, 20), 3, 3);
  // grip band
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1E, 0x22, 0x26, 150));
  p.drawRect(QRectF(2, 14, 34, 9));
  // flash window
  p.setPen(QPen(linha, 0.8));
  p.setBrush(apertada ? QColor(0xFF, 0xFF, 0xE8) : QColor(0xB9, 0xC4, 0xCC));
  p.drawRoundedRect(QRectF(3.5, 10.0, 6, 3.5), 0.8, 0.8);
  // lens
  QLinearGradient anel(0, 9, 0, 28);
  anel.setColorAt(0, QColor(0xE4, 0xE9, 0xED));
  anel.setColorAt(1, QColor(0x6C, 0x75, 0x7E));
  p.setPen(QPen(linha, 1));
  p.setBrush(anel);
  p.drawEllipse(QPointF(19, 18.5), 8.5, 8.5);
  QRadialGradient vidro(QPointF(19, 18.5), 6.2, QPointF(17, 16.5));
  vidro.setColorAt(0, QColor(0x5C, 0x9C, 0xD0));
  vidro.setColorAt(0.6, QColor(0x1F, 0x3E, 0x66));
  vidro.setColorAt(1, QColor(0x08, 0x10, 0x1C));
  p.setBrush(vidro);
  p.drawEllipse(QPointF(19, 18.5), 6.0, 6.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xFF, 0xFF, 200));
  p.drawEllipse(QPointF(16.8, 16.2), 1.6, 1.2);
  if (apertada) {
    // the flash going off
    QRadialGradient brilho(QPointF(6.5, 11.8), 9);
    brilho.setColorAt(0, QColor(0xFF, 0xFF, 0xD0, 230));
    brilho.setColorAt(0.35, QColor(0xFF, 0xF1, 0x9A, 120));
    brilho.setColorAt(1, QColor(0xFF, 0xF1, 0x9A, 0));
    p.setBrush(brilho);
    p.drawEllipse(QPointF(6.5, 11.8), 9, 9);
  }
  return img;
}

// Seven segments a..g, lit as on a common display.
const bool kSegmentos[10][7] = {
    {1, 1, 1, 1, 1, 1, 0}, {0, 1, 1, 0, 0, 0, 0}, {1, 1, 0, 1, 1, 0, 1}, {1, 1, 1, 1, 0, 0, 1}, {0, 1, 1, 0, 0, 1, 1},
    {1, 0, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 1},
};

void desenharDigito(QPainter& p, int ox, int digito) {
  const double xe = ox + 3.5, xd = ox + 13.5;   // left and right columns
  const double yc = 3.5, ym = 14.5, yb = 25.5;  // top, middle, bottom rows
  const double e = 1.6, folga = 1.0;            // half thickness, gap at the joints
  auto horizontal = [&](double y) {
    QPainterPath s;
    s.moveTo(xe + folga, y);
    s.lineTo(xe + folga + e, y - e);
    s.lineTo(xd - folga - e, y - e);
    s.lineTo(xd - folga, y);
    s.lineTo(xd - folga - e, y + e);
    s.lineTo(xe + folga + e, y + e);
    s.closeSubpath();
    return s;
  };
  auto vertical = [&](double x, double y0, double y1) {
    QPainterPath s;
    s.moveTo(x, y0 + folga);
    s.lineTo(x + e, y0 + folga + e);
    s.lineTo(x + e, y1 - folga - e);
    s.lineTo(x, y1 - folga);
    s.lineTo(x - e, y1 - folga - e);
    s.lineTo(x - e, y0 + folga + e);
    s.closeSubpath();
    return s;
  };
  const QPainterPath seg[7] = {horizontal(yc),       vertical(xd, yc, ym), vertical(xd, ym, yb), horizontal(yb),
                               vertical(xe, ym, yb), vertical(xe, yc, ym), horizontal(ym)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 7; ++i) {
    if (kSegmentos[digito][i]) {
      // a soft glow around the lit segment, then the segment
      p.setBrush(QColor(0x1D, 0xFF, 0x4A, 60));
      p.drawPath(seg[i].translated(0, 0));
      QPainterPathStroker halo;
      halo.setWidth(2.2);
      p.drawPath(halo.createStroke(seg[i]));
      p.setBrush(QColor(0x3A, 0xFF, 0x62));
    } else {
      p.setBrush(QColor(0x0C, 0x26, 0x12));
    }
    p.drawPath(seg[i]);
  }
}

QImage desenharDigitos() {
  QImage img = nova(85, 29, Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const int celulas[5] = {2, 2, 3, 4, 5};
  for (int c = 0; c < 5; ++c) desenharDigito(p, 17 * c, celulas[c]);
  return img;
}

QImage desenharGrafico() {
  // Shares run from y 100 (0 %) up to y 0 (100 %); weeks every 16 pixels;
  // the run-off from x 288 on.
  QImage img = nova(336, 102, Qt::black);
  QPainter p(&img);
  QLinearGradient ceu(0, 0, 0, 102);
  ceu.setColorAt(0, QColor(0x0D, 0x1A, 0x3C));
  ceu.setColorAt(1, QColor(0x07, 0x0F, 0x26));
  p.fillRect(img.rect(), ceu);
  p.fillRect(QRect(288, 0, 48, 102), QColor(0x30, 0x50, 0xA0, 40));
  const QColor fina(0x1A, 0x2D, 0x5E), forte(0x2C, 0x47, 0x8A);
  alinharTracos(p);
  for (int x = 0; x <= 336; x += 16) {
    p.setPen(fina);
    p.drawLine(x, 0, x, 101);
  }
  for (int v = 0; v <= 100; v += 10) {
    p.setPen(v == 0 ? forte : fina);
    p.drawLine(0, 100 - v, 335, 100 - v);
  }
  p.setPen(QPen(forte, 1, Qt::DashLine));
  p.drawLine(0, 50, 335, 50);  // half of the votes
  p.setPen(forte);
  p.drawLine(0, 101, 335, 101);
  p.end();
  const QColor rotulo(0x5B, 0x78, 0xB8), sombra(0x05, 0x0A, 0x18);
  textoComSombra(img, QRect(3, 0, 60, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("1º turno"), fonte(9, true),
                 rotulo, sombra);
  textoComSombra(img, QRect(290, 0, 46, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2º turno"),
                 fonte(9, true), rotulo, sombra);
  textoComSombra(img, QRect(3, 40, 30, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("50%"), fonte(9, true),
                 rotulo, sombra);
  return img;
}

QImage desenharFoto(int numero) {
  QImage img = nova(89, 89, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  // A faint head and shoulders, as on a campaign leaflet awaiting its photo.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xEB, 0xEE, 0xF1));
  p.drawEllipse(QPointF(44.5, 34), 15, 17);
  QPainterPath ombros;
  ombros.moveTo(10, 89);
  ombros.cubicTo(12, 62, 28, 55, 44.5, 55);
  ombros.cubicTo(61, 55, 77, 62, 79, 89);
  ombros.closeSubpath();
  p.drawPath(ombros);
  p.setPen(QColor(0xB9, 0xC0, 0xC7));
  p.setBrush(Qt::NoBrush);
  p.setRenderHint(QPainter::Antialiasing, false);
  alinharTracos(p);
  p.drawRect(QRect(0, 0, 88, 88));
  p.end();
  QFont f = fonte(40, true);
  textoComSombra(img, QRect(0, 18, 89, 50), Qt::AlignCenter, QString::number(numero), f, QColor(0x8B, 0x00, 0x00),
                 QColor(0xD9, 0xB8, 0xB8));
  QFont g = fonte(9, true);
  g.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
  textoComSombra(img, QRect(0, 70, 89, 12), Qt::AlignCenter, QStringLiteral("CANDIDATO"), g, QColor(0x8B, 0x00, 0x00),
                 QColor(0xF2, 0xE4, 0xE4), 0, 0);
  return img;
}

// ---------------------------------------------------------------- dialog --

QImage desenharDialogo() {
  const int w = 270, h = 120;
  QImage img = nova(w, h, QColor(0x50, 0x5C, 0x68));
  const Mascara forma = mascaraDeContorno(w, h, retanguloRedondo(QRectF(0, 0, w, h), 12));
  preencher(img, forma, degrade(0, h, QColor(0x62, 0x70, 0x7D), QColor(0x43, 0x4E, 0x59)));
  contornar(img, forma, QColor(0x15, 0x1B, 0x21));
  chanfrar(img, encolher(forma), QColor(0xA9, 0xB6, 0xC2), QColor(0x26, 0x2F, 0x38), 2);

  // The message sits in a dark well (text at 16, 16; 241 x 57).
  const Mascara poco = mascaraDe(w, h, retanguloRedondo(QRectF(10, 10, 251, 66), 5));
  preencher(img, poco, degrade(10, 76, QColor(0x2A, 0x33, 0x3C), QColor(0x21, 0x29, 0x31)));
  chanfrar(img, poco, QColor(0x9A, 0xA8, 0xB5), QColor(0x12, 0x17, 0x1C), 2, false);

  // Socket of the Ok button (98, 80; 75 x 26).
  const Mascara encaixe = mascaraDe(w, h, [](int x, int y) { return x >= 96 && x <= 174 && y >= 78 && y <= 107; });
  preencher(img, encaixe, [](int, int) { return QColor(0x1E, 0x25, 0x2C); });
  chanfrar(img, encaixe, QColor(0xA0, 0xAE, 0xBB), QColor(0x12, 0x17, 0x1C), 1, false);

  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (double x0 : {30.0, 212.0})
    for (int i = 0; i < 3; ++i) {
      p.setBrush(i == 1 ? QColor(0xFF, 0xD8, 0x4A) : QColor(0xB5, 0xE8, 0xDD));
      p.drawPath(estrela(QPointF(x0 + i * 14, 93), i == 1 ? 5.5 : 4, i == 1 ? 2.4 : 1.7));
    }
  p.end();

  // Outside the rounded outline: the key colour, nothing blended into it.
  for (int y = 0; y < forma.h; ++y)
    for (int x = 0; x < forma.w; ++x)
      if (!forma.dentro(x, y)) img.setPixel(x, y, kMagenta);
  return img;
}

QImage desenharBotaoDuplo(const QString& texto, int w, int px, const QColor& fundo) {
  // Two looks stacked: pressed on top, normal below.
  QImage img = nova(w, 52, fundo);
  botao(img, QRect(0, 0, w, 26), texto, true, px, fundo);
  botao(img, QRect(0, 26, w, 26), texto, false, px, fundo);
  return img;
}

QImage desenharBotao(const QString& texto, bool apertado, const QColor& fundo) {
  QImage img = nova(118, 26, fundo);
  botao(img, img.rect(), texto, apertado, 12, fundo);
  return img;
}

// ---------------------------------------------------------------- banner --

QImage desenharTitulo() {
  const int w = 475, h = 186;
  QImage img = nova(w, h, Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // Evening sky over the town, in the panel's slate and teal.
  QLinearGradient ceu(0, 0, 0, h);
  ceu.setColorAt(0.0, QColor(0x1D, 0x33, 0x46));
  ceu.setColorAt(0.55, QColor(0x2E, 0x62, 0x6B));
  ceu.setColorAt(1.0, QColor(0x5E, 0xA3, 0x98));
  p.fillRect(img.rect(), ceu);

  // Rays behind the title, as on a campaign poster.
  const QPointF centro(237, 80);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 24; i += 2) {
    QPainterPath raio;
    const double a0 = i * kPi / 12, a1 = (i + 1) * kPi / 12;
    raio.moveTo(centro);
    raio.lineTo(centro + QPointF(600 * std::cos(a0), 600 * std::sin(a0)));
    raio.lineTo(centro + QPointF(600 * std::cos(a1), 600 * std::sin(a1)));
    raio.closeSubpath();
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 14));
    p.drawPath(raio);
  }
  QRadialGradient aura(centro, 150);
  aura.setColorAt(0, QColor(0xFF, 0xF4, 0xC8, 70));
  aura.setColorAt(1, QColor(0xFF, 0xF4, 0xC8, 0));
  p.setBrush(aura);
  p.drawEllipse(centro, 150, 150);

  // Town hall in the middle of the town, the prize of the campaign.
  const QColor silhueta(0x14, 0x23, 0x2C), luz(0xF4, 0xD0, 0x6A);
  p.end();
  {
    QPainter q(&img);
    desenharCidade(q, QRect(0, 128, w, 58), silhueta, QColor(0x8E, 0x7A, 0x44), 11);
  }
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(silhueta);
  p.drawRect(QRectF(187, 158, 100, 28));  // body
  p.drawRect(QRectF(217, 144, 40, 16));   // upper storey
  QPainterPath cupula;
  cupula.moveTo(222, 145);
  cupula.cubicTo(222, 126, 252, 126, 252, 145);
  cupula.closeSubpath();
  p.drawPath(cupula);
  p.drawRect(QRectF(236, 119, 2, 12));  // flagpole
  p.setBrush(QColor(0x1E, 0x9E, 0x4A));
  p.drawRect(QRectF(238, 119, 9, 6));  // flag
  p.setBrush(QColor(0xF2, 0xC5, 0x00));
  p.drawPolygon(QPolygonF{QPointF(239.5, 122), QPointF(242.5, 120), QPointF(245.5, 122), QPointF(242.5, 124)});
  p.setBrush(luz);
  for (int i = 0; i < 7; ++i) p.drawRect(QRectF(193 + i * 13.5, 162, 5, 8));  // lit windows
  for (int i = 0; i < 7; ++i) p.drawRect(QRectF(193 + i * 13.5, 174, 5, 8));
  p.setBrush(QColor(0x0A, 0x12, 0x18));
  for (int i = 0; i < 5; ++i) p.drawRect(QRectF(189 + i * 24, 158, 3, 28));  // columns
  p.setBrush(silhueta);
  p.drawRect(QRectF(183, 154, 108, 5));  // cornice

  // Bunting across the top, in the colours of the flag.
  const QColor flamulas[4] = {QColor(0x1E, 0x9E, 0x4A), QColor(0xF2, 0xC5, 0x00), QColor(0x23, 0x55, 0xA8),
                              QColor(0xF4, 0xF4, 0xF0)};
  auto fio = [](double x) {
    // two sagging spans, hung from both corners and the middle
    const double u = std::fmod(x, 237.5) / 237.5;
    return 3 + 16 * 4 * u * (1 - u);
  };
  p.setPen(QPen(QColor(0x0E, 0x18, 0x20), 1.1));
  QPainterPath corda;
  corda.moveTo(0, fio(0));
  for (int x = 1; x <= w; ++x) corda.lineTo(x, fio(x == 237 || x == 238 ? 237.49 : x));
  p.setBrush(Qt::NoBrush);
  p.drawPath(corda);
  int n = 0;
  for (double x = 6; x < w - 8; x += 17, ++n) {
    const double y0 = fio(x), y1 = fio(x + 12);
    QPainterPath f;
    f.moveTo(x, y0);
    f.lineTo(x + 12, y1);
    f.lineTo(x + 6, (y0 + y1) / 2 + 14);
    f.closeSubpath();
    p.setPen(QPen(QColor(0x0E, 0x18, 0x20, 160), 0.8));
    p.setBrush(flamulas[n % 4]);
    p.drawPath(f);
  }

  // Ballot box on the left, megaphone on the right.
  p.setBrush(QColor(0, 0, 0, 60));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(68, 143), 42, 5);
  urna(p, QRectF(26, 66, 84, 78), QColor(0xF0, 0xF3, 0xF5), QColor(0x2B, 0xA5, 0x95), Qt::white);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2B, 0xA5, 0x95));
  p.drawRect(QRectF(40, 117, 56, 12));
  QFont vote = fonte(11, true);
  vote.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(vote);
  p.setPen(Qt::white);
  p.drawText(QRectF(40, 117, 56, 12), Qt::AlignCenter, QStringLiteral("VOTE"));

  p.save();
  p.translate(410, 112);
  p.rotate(-18);
  QLinearGradient cone(0, -16, 0, 16);
  cone.setColorAt(0, QColor(0xFF, 0xE0, 0x70));
  cone.setColorAt(1, QColor(0xD0, 0x8A, 0x10));
  QPainterPath corneta;
  corneta.moveTo(-26, -5);
  corneta.lineTo(18, -19);
  corneta.cubicTo(23, -10, 23, 10, 18, 19);
  corneta.lineTo(-26, 5);
  corneta.closeSubpath();
  p.setPen(QPen(QColor(0x2A, 0x1E, 0x08), 1.2));
  p.setBrush(cone);
  p.drawPath(corneta);
  p.setBrush(QColor(0x7A, 0x4E, 0x08));
  p.drawEllipse(QPointF(19, 0), 4, 19);
  p.setBrush(QColor(0x3A, 0x42, 0x4A));
  p.drawRoundedRect(QRectF(-34, -6, 10, 12), 2, 2);  // mouthpiece
  p.drawRoundedRect(QRectF(-18, 4, 6, 14), 2, 2);    // handle
  p.setPen(QPen(QColor(0xFF, 0xF4, 0xC8), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 3; ++i)  // sound waves
    p.drawArc(QRectF(22 - i * 7, -8 - i * 7, 16 + i * 14, 16 + i * 14), -40 * 16, 80 * 16);
  p.restore();

  // Plaque for the version line (right-aligned at 410, 55, width 59).
  p.setPen(QPen(QColor(0x1A, 0x2A, 0x33), 1));
  p.setBrush(QColor(0xE9, 0xF0, 0xEE));
  p.drawRoundedRect(QRectF(404.5, 52.5, 68, 17), 3, 3);
  p.setPen(QPen(QColor(0x2B, 0xA5, 0x95), 1));
  p.drawLine(QPointF(407, 68), QPointF(470, 68));

  // Title.
  QFont f = fonte(62, true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  QPainterPath titulo;
  const QString nome = QStringLiteral("Varzeno");
  const QFontMetricsF fm(f);
  const double largura = fm.horizontalAdvance(nome);
  titulo.addText(QPointF(237 - largura / 2, 96), f, nome);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x06, 0x14, 0x18, 130));
  p.drawPath(titulo.translated(3, 4));
  p.setPen(QPen(QColor(0x0C, 0x34, 0x33), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(titulo);
  QLinearGradient letra(0, 45, 0, 96);
  letra.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  letra.setColorAt(0.55, QColor(0xF2, 0xFA, 0xF7));
  letra.setColorAt(1, QColor(0xB8, 0xEA, 0xDE));
  p.setPen(QPen(QColor(0x2B, 0xA5, 0x95), 1.6));
  p.setBrush(letra);
  p.drawPath(titulo);

  // Subtitle between two rules.
  QFont s = fonte(17, true);
  s.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  const QString sub = QStringLiteral("Eleições municipais");
  const double ls = QFontMetricsF(s).horizontalAdvance(sub);
  p.setPen(QPen(QColor(0xFF, 0xD8, 0x4A), 2));
  p.drawLine(QPointF(237 - ls / 2 - 40, 113), QPointF(237 - ls / 2 - 10, 113));
  p.drawLine(QPointF(237 + ls / 2 + 10, 113), QPointF(237 + ls / 2 + 40, 113));
  p.end();
  textoComSombra(img, QRect(0, 102, w, 22), Qt::AlignCenter, sub, s, QColor(0xFF, 0xD8, 0x4A),
                 QColor(0x0A, 0x1E, 0x22));

  // Invitation to click, on a dark pill under the megaphone.
  const QString convite = QStringLiteral("clique para começar");
  QFont c = fonte(11, true);
  const int lc = int(QFontMetrics(c).horizontalAdvance(convite));
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 60), 1));
  p.setBrush(QColor(0x08, 0x12, 0x18, 170));
  p.drawRoundedRect(QRectF(465.5 - lc - 24, 165.5, lc + 24, 16), 8, 8);
  p.end();
  textoComSombra(img, QRect(465 - lc - 24, 166, lc + 24, 16), Qt::AlignCenter, convite, c, QColor(0xDD, 0xF6, 0xF0),
                 QColor(0x00, 0x00, 0x00));
  return img;
}

// The pictures at the current scale, each file named with `sufixo` before its
// extension ("Imp@2x.bmp"). `encaixe` is the colour of the confirm button's
// socket in the picture of scale 1, which both sizes of the button blend into.
bool gerarEscala(const QString& pasta, const char* sufixo, QColor& encaixe) {
  bool ok = true;
  auto gravar = [&](const QImage& img, const char* nome) {
    QByteArray n(nome);
    n.insert(n.lastIndexOf('.'), sufixo);
    ok = salvar(img, pasta, n.constData()) && ok;
  };

  const QImage janela = desenharJanela();
  const Mascara chave = mascaraDe(kW, kH, cortado);
  // The game's own background has 256 colours; its double keeps every
  // colour (24 bits), which a denser screen shows without dithering and
  // draws without a palette lookup.
  const QImage imp = escala() == 1 ? indexar(janela, {kFundoPaginas.rgb(), kFundoPainel.rgb(), qRgb(0, 0, 0)}, chave)
                                   : comChave(janela, chave);
  gravar(imp, "Imp.bmp");

  // Pictures that sit on the window are drawn over its final pixels.
  const int s = escala();
  QImage vista = imp.convertToFormat(QImage::Format_RGB32);
  vista.setDevicePixelRatio(s);
  gravar(desenharReprodutor(vista.copy(456 * s, 8 * s, 23 * s, 39 * s)), "Image9.png");
  gravar(desenharFechar(false), "Fim1.png");
  gravar(desenharFechar(true), "Fim2.png");
  gravar(desenharMarca(false), "Tic0.png");
  gravar(desenharMarca(true), "Tic1.png");
  if (s == 1) encaixe = QColor::fromRgb(vista.pixel(354, 159));
  gravar(desenharBotao(QStringLiteral("passar a semana"), false, encaixe), "Image7.png");
  gravar(desenharBotao(QStringLiteral("passar a semana"), true, encaixe), "Image8.png");

  gravar(desenharTitulo(), "Image1.png");
  gravar(desenharBotao(QStringLiteral("Iniciar campanha"), false, kFundoPaginas), "Image5.png");
  gravar(desenharBotao(QStringLiteral("Iniciar campanha"), true, kFundoPaginas), "Image6.png");
  gravar(desenharSeta(false, false), "sesq1.png");
  gravar(desenharSeta(false, true), "sesq2.png");
  gravar(desenharSeta(true, false), "sdir1.png");
  gravar(desenharSeta(true, true), "sdir2.png");
  gravar(desenharCamera(false), "maq1.png");
  gravar(desenharCamera(true), "maq2.png");
  gravar(desenharDigitos(), "Dig.png");
  gravar(desenharGrafico(), "grafico.png");
  for (int n : {15, 25, 35, 45, 55, 65}) {
    const QByteArray nome = "foto" + QByteArray::number(n) + ".png";
    gravar(desenharFoto(n), nome.constData());
  }

  gravar(desenharDialogo(), "dlgImp.bmp");
  gravar(desenharBotaoDuplo(QStringLiteral("Ok"), 75, 15, QColor(0x4A, 0x56, 0x62)), "img1.png");
  return ok;
}

}  // namespace

bool gerarImagens(const QString& pasta) {
  // Scale 1 first: the larger pictures take colours from it.
  QColor encaixe;
  definirEscala(1);
  bool ok = gerarEscala(pasta, "", encaixe);
  definirEscala(2);
  ok = gerarEscala(pasta, "@2x", encaixe) && ok;
  definirEscala(1);
  return ok;
}

}  // namespace arte

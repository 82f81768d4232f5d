// The application icon: a ballot box on a campaign badge, in the colours of
// the game window. Drawn with vector operations only, so the same drawing
// gives the scalable SVG and the PNG sizes of the desktop's icon theme.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

#include "arte.h"

namespace arte {
namespace {

constexpr double kLado = 256.0;  // drawing units; the SVG's view box
const char* const kId = "io.github.varzeno.Varzeno";

QPainterPath estrela(QPointF centro, double raioFora, double raioDentro) {
  constexpr double kPi = 3.14159265358979323846;
  QPainterPath p;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? raioDentro : raioFora;
    const double a = -kPi / 2 + i * kPi / 5;
    const QPointF v(centro.x() + r * std::cos(a), centro.y() + r * std::sin(a));
    if (i == 0)
      p.moveTo(v);
    else
      p.lineTo(v);
  }
  p.closeSubpath();
  return p;
}

void desenharIcone(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor contorno(0x12, 0x1A, 0x20);

  // Badge: the slate of the window panels with the teal band of its title.
  QLinearGradient fundo(0, 12, 0, 244);
  fundo.setColorAt(0, QColor(0x5D, 0x6A, 0x77));
  fundo.setColorAt(1, QColor(0x2B, 0x34, 0x3E));
  p.setPen(QPen(QColor(0x18, 0x1E, 0x24), 4));
  p.setBrush(fundo);
  p.drawRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
  QRadialGradient brilho(QPointF(128, 70), 150);
  brilho.setColorAt(0, QColor(0x3A, 0x84, 0x7C, 200));
  brilho.setColorAt(1, QColor(0x22, 0x5C, 0x57, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(brilho);
  p.drawRoundedRect(QRectF(16, 16, 224, 224), 40, 40);

  // Campaign stars above the box, the middle one in the poll's yellow.
  p.setPen(QPen(QColor(0x12, 0x38, 0x35), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(0xB5, 0xE8, 0xDD));
  p.drawPath(estrela(QPointF(58, 58), 17, 7));
  p.drawPath(estrela(QPointF(198, 58), 17, 7));
  p.setBrush(QColor(0xFF, 0xD8, 0x4A));
  p.drawPath(estrela(QPointF(128, 44), 24, 10));

  // The ballot paper, half inserted, with a red tick.
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(92, 62, 72, 80));
  p.setPen(QPen(QColor(0xC8, 0x1E, 0x1E), 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF{QPointF(106, 96), QPointF(122, 114), QPointF(150, 76)});

  // Box body, lid and slot.
  QLinearGradient corpo(0, 128, 0, 224);
  corpo.setColorAt(0, QColor(0xF4, 0xF7, 0xF8));
  corpo.setColorAt(1, QColor(0xC9, 0xD2, 0xD9));
  p.setPen(QPen(contorno, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(corpo);
  p.drawRoundedRect(QRectF(42, 128, 172, 96), 12, 12);
  QLinearGradient tampa(0, 110, 0, 142);
  tampa.setColorAt(0, QColor(0x3C, 0xC0, 0xAE));
  tampa.setColorAt(1, QColor(0x22, 0x8A, 0x7D));
  p.setBrush(tampa);
  p.drawRoundedRect(QRectF(30, 110, 196, 30), 9, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x10, 0x14, 0x18));
  p.drawRoundedRect(QRectF(84, 120, 88, 9), 4, 4);

  // Teal label on the box front, as on the game's own ballot boxes.
  p.setBrush(QColor(0x2B, 0xA5, 0x95));
  p.setPen(QPen(QColor(0x16, 0x33, 0x31), 3));
  p.drawRoundedRect(QRectF(74, 168, 108, 30), 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xE4, 0xF7, 0xF2));
  p.drawPath(estrela(QPointF(128, 183), 11, 4.5));
}

bool gravar(const QString& caminho, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(caminho).absolutePath())) {
    std::fprintf(stderr, "nao foi possivel criar a pasta de %s\n", qPrintable(caminho));
    return false;
  }
  QFile f(caminho);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "falha ao gravar %s\n", qPrintable(caminho));
    return false;
  }
  return true;
}

}  // namespace

bool gerarIcone(const QString& pasta) {
  bool ok = true;
  const QString base = QDir(pasta).filePath(QStringLiteral("icons/hicolor"));
  const QString nome = QString::fromLatin1(kId);

  QBuffer svg;
  svg.open(QIODevice::WriteOnly);
  QSvgGenerator gerador;
  gerador.setOutputDevice(&svg);
  gerador.setSize(QSize(int(kLado), int(kLado)));
  gerador.setViewBox(QRectF(0, 0, kLado, kLado));
  gerador.setResolution(96);
  gerador.setTitle(QStringLiteral("Varzeno"));
  gerador.setDescription(QStringLiteral("Urna de votação com estrelas de campanha"));
  {
    QPainter p(&gerador);
    desenharIcone(p);
  }
  ok = gravar(base + QStringLiteral("/scalable/apps/") + nome + QStringLiteral(".svg"), svg.data()) && ok;
  std::printf("%-14s %s\n", "icone", "scalable");

  for (int lado : {128, 256}) {
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
      QPainter p(&img);
      p.scale(lado / kLado, lado / kLado);
      desenharIcone(p);
    }
    QByteArray png;
    QBuffer saida(&png);
    saida.open(QIODevice::WriteOnly);
    img.convertToFormat(QImage::Format_ARGB32).save(&saida, "PNG");
    const QString pastaTamanho = QStringLiteral("/%1x%1/apps/").arg(lado);
    ok = gravar(base + pastaTamanho + nome + QStringLiteral(".png"), png) && ok;
    std::printf("%-14s %3d x %3d\n", "icone", lado, lado);
  }
  return ok;
}

}  // namespace arte

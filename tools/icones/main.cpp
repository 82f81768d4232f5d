// varzeno-icone: one square PNG of the game's icon, drawn from its SVG.
//   varzeno-icone ORIGEM.svg SAIDA.png LADO [--mascaravel COR]
// Plain, the badge fills the square on transparency. With --mascaravel the
// square is filled with COR and the badge drawn small enough for a
// launcher's mask (a circle, a squircle, a rounded square) never to cut it.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

// A launcher keeps at least the circle of 40 % of the side around the middle.
// The badge's rounded corners, with their outline, reach 148 of the drawing's
// 256 units from its middle: at 68 % of the side they stay within 0.4.
constexpr double kFracaoMascaravel = 0.68;

int uso() {
  std::fprintf(stderr, "Uso: varzeno-icone ORIGEM.svg SAIDA.png LADO [--mascaravel COR]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && !(argc == 6 && QString::fromUtf8(argv[4]) == QLatin1String("--mascaravel"))) return uso();
  bool ok = false;
  const int lado = QString::fromUtf8(argv[3]).toInt(&ok);
  if (!ok || lado < 16 || lado > 4096) return uso();
  const QColor fundo = argc == 6 ? QColor::fromString(QString::fromUtf8(argv[5])) : QColor();
  if (argc == 6 && !fundo.isValid()) {
    std::fprintf(stderr, "cor invalida: %s\n", argv[5]);
    return 2;
  }

  QSvgRenderer svg(QString::fromUtf8(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "nao foi possivel ler %s\n", argv[1]);
    return 1;
  }
  // A maskable icon is opaque to its edges: no alpha channel at all.
  QImage img(lado, lado, fundo.isValid() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  img.fill(fundo.isValid() ? fundo : QColor(Qt::transparent));
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double desenho = fundo.isValid() ? lado * kFracaoMascaravel : lado;
    const double margem = (lado - desenho) / 2;
    svg.render(&p, QRectF(margem, margem, desenho, desenho));
  }
  const QImage saida = fundo.isValid() ? img : img.convertToFormat(QImage::Format_ARGB32);
  if (!saida.save(QString::fromUtf8(argv[2]), "PNG")) {
    std::fprintf(stderr, "falha ao gravar %s\n", argv[2]);
    return 1;
  }
  return 0;
}

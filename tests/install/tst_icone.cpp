// The application icon as the desktop finds it: PNGs of the sizes their
// folders promise, with a transparent outside; an SVG that draws the same
// picture (the PNGs are not stale); and the desktop entry and the metainfo
// naming that icon and each other under the one application id.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>

namespace {
const QString kId = QStringLiteral("io.github.varzeno.Varzeno");
int g_falhas = 0;

void Conferir(bool ok, const QString& oQue) {
  if (ok) return;
  ++g_falhas;
  std::fprintf(stderr, "FALHA: %s\n", qPrintable(oQue));
}

QString Ler(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

// Mean absolute difference per channel, premultiplied, 0 to 255.
double Diferenca(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  double soma = 0;
  for (int j = 0; j < x.height(); ++j)
    for (int i = 0; i < x.width(); ++i) {
      const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
      soma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
              std::abs(qAlpha(p) - qAlpha(q));
    }
  return soma / (4.0 * x.width() * x.height());
}
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "uso: tst_icone ICONES_HICOLOR PASTA_PACKAGING METAINFO\n");
    return 2;
  }
  const QString icones = QString::fromLocal8Bit(argv[1]);
  const QString packaging = QString::fromLocal8Bit(argv[2]);

  QSvgRenderer svg(icones + QStringLiteral("/scalable/apps/") + kId + QStringLiteral(".svg"));
  Conferir(svg.isValid(), QStringLiteral("the SVG icon does not load"));
  Conferir(svg.viewBoxF().width() == svg.viewBoxF().height() && svg.viewBoxF().width() > 0,
           QStringLiteral("the SVG icon is not square"));

  for (int lado : {128, 256}) {
    const QString nome = QStringLiteral("%1x%1/apps/").arg(lado) + kId + QStringLiteral(".png");
    const QImage png(icones + QLatin1Char('/') + nome);
    Conferir(!png.isNull(), nome + QStringLiteral(" does not load"));
    if (png.isNull()) continue;
    Conferir(png.size() == QSize(lado, lado), nome + QStringLiteral(" has the wrong size"));
    Conferir(png.hasAlphaChannel(), nome + QStringLiteral(" has no alpha channel"));
    Conferir(qAlpha(png.pixel(0, 0)) == 0 && qAlpha(png.pixel(lado - 1, lado - 1)) == 0,
             nome + QStringLiteral(": corners not transparent"));
    Conferir(qAlpha(png.pixel(lado / 2, lado / 2)) == 255, nome + QStringLiteral(": centre not opaque"));

    QImage desenho(lado, lado, QImage::Format_ARGB32_Premultiplied);
    desenho.fill(Qt::transparent);
    {
      QPainter p(&desenho);
      p.setRenderHint(QPainter::Antialiasing, true);
      svg.render(&p, QRectF(0, 0, lado, lado));
    }
    // Antialiasing of two renderers differs at edges only; a stale PNG or a
    // different drawing moves the whole picture far beyond this.
    const double d = Diferenca(png, desenho);
    Conferir(d < 3.0, nome + QStringLiteral(" differs from the SVG drawn at that size (%1)").arg(d));
  }

  const QString desktop = Ler(packaging + QLatin1Char('/') + kId + QStringLiteral(".desktop"));
  Conferir(QRegularExpression(QStringLiteral("^Icon=") + QRegularExpression::escape(kId) + QStringLiteral("$"),
                              QRegularExpression::MultilineOption)
               .match(desktop)
               .hasMatch(),
           QStringLiteral("the desktop entry does not name the icon ") + kId);
  Conferir(desktop.contains(QStringLiteral("\nExec=varzeno\n")),
           QStringLiteral("the desktop entry does not start varzeno"));
  // The metainfo is made from its template for the AppStream of the build.
  const QString metainfo = Ler(QString::fromLocal8Bit(argv[3]));
  Conferir(metainfo.contains(QStringLiteral("<id>") + kId + QStringLiteral("</id>")),
           QStringLiteral("the metainfo has another id"));
  Conferir(metainfo.contains(QStringLiteral("<launchable type=\"desktop-id\">") + kId +
                             QStringLiteral(".desktop</launchable>")),
           QStringLiteral("the metainfo does not launch the desktop entry"));
  Conferir(metainfo.contains(QStringLiteral("<release version=\"") + QStringLiteral(VARZENO_VERSAO) + QLatin1Char('"')),
           QStringLiteral("the metainfo has no release " VARZENO_VERSAO));
  return g_falhas ? 1 : 0;
}

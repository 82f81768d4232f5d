#include "copia.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>

namespace {

struct TDupla {
  std::function<QImage()> fonte;  // until the double is first wanted
  QImage figura;
};

// Doubles by the identity of the pixels they belong to, and the one that
// each picture box's picture was given, so that it is dropped when the box
// gets another. Only the window's thread draws.
QHash<qint64, TDupla>& Duplas() {
  static QHash<qint64, TDupla> duplas;
  return duplas;
}
QHash<const QImage*, qint64>& DuplaDaDona() {
  static QHash<const QImage*, qint64> donas;
  return donas;
}

bool ServeDe(const QImage& dupla, const QImage& figura) {
  return !dupla.isNull() && dupla.width() == 2 * figura.width() && dupla.height() == 2 * figura.height();
}

// A 32-bit copy at ratio 1 to draw on, or `figura` doubled pixel for pixel
// when it has no double.
QImage DuplaParaPintar(const QImage& dupla, const QImage& figura) {
  QImage d = ServeDe(dupla, figura) ? dupla : figura.scaled(figura.size() * 2);
  d = d.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  d.setDevicePixelRatio(1);
  return d;
}

}  // namespace

qreal RazaoDasTelas() { return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0; }

QImage VarianteDupla(const QImage& figura) {
  if (figura.isNull()) return {};
  const auto it = Duplas().find(figura.cacheKey());
  if (it == Duplas().end()) return {};
  if (it->fonte) {
    it->figura = it->fonte();
    it->fonte = nullptr;
    if (!it->figura.isNull()) it->figura.setDevicePixelRatio(2);
  }
  return ServeDe(it->figura, figura) ? it->figura : QImage();
}

void DarVarianteDupla(const QImage& figura, std::function<QImage()> fonte) {
  if (figura.isNull()) return;
  Duplas().insert(figura.cacheKey(), TDupla{std::move(fonte), QImage()});
}

void DarVarianteDupla(QImage& dona, const QImage& dupla) {
  EsquecerVarianteDupla(dona);
  if (!ServeDe(dupla, dona)) return;
  QImage d = dupla;
  d.setDevicePixelRatio(2);
  const qint64 chave = dona.cacheKey();
  Duplas().insert(chave, TDupla{nullptr, d});
  DuplaDaDona().insert(&dona, chave);
}

void EsquecerVarianteDupla(const QImage& dona) {
  const auto it = DuplaDaDona().find(&dona);
  if (it == DuplaDaDona().end()) return;
  Duplas().remove(*it);
  DuplaDaDona().erase(it);
}

void DuplicarRecorte(QImage& dona, const QImage& origem, const QRect& retangulo) {
  if (RazaoDasTelas() <= 1) return;
  const QImage dupla = VarianteDupla(origem);
  if (dupla.isNull()) return;
  const QRect r(retangulo.topLeft() * 2, retangulo.size() * 2);
  DarVarianteDupla(dona, dupla.copy(r));
}

void CopiarRetangulo(QImage& destino, QPoint ponto, const QImage& origem, const QRect& retangulo) {
  if (destino.isNull() || origem.isNull()) return;
  // Both doubles as they are before the copy: `origem` may be `destino`.
  const bool duplas = RazaoDasTelas() > 1;
  const QImage duplaDaOrigem = duplas ? VarianteDupla(origem) : QImage();
  const QImage origemAntes = duplas ? origem : QImage();
  const QImage duplaDoDestino = duplas ? VarianteDupla(destino) : QImage();

  // Palette pictures cannot be painted on; a 32-bit copy keeps every colour.
  if (destino.format() == QImage::Format_Indexed8 || destino.format() == QImage::Format_Mono ||
      destino.format() == QImage::Format_MonoLSB)
    destino = destino.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  {
    QPainter p(&destino);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(ponto, origem, retangulo);
  }

  if (!duplas || (duplaDaOrigem.isNull() && duplaDoDestino.isNull())) return;
  // The same copy at twice the size. A side without a double of its own
  // takes its pixels doubled.
  QImage dupla =
      duplaDoDestino.isNull() ? DuplaParaPintar(QImage(), destino) : DuplaParaPintar(duplaDoDestino, destino);
  {
    QPainter p(&dupla);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(ponto * 2, DuplaParaPintar(duplaDaOrigem, origemAntes),
                QRect(retangulo.topLeft() * 2, retangulo.size() * 2));
  }
  DarVarianteDupla(destino, dupla);
}

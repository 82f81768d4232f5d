// The window's places from the shared table (jogo/leiaute.h), as Qt takes them.
#pragma once

#include <QRect>
#include <QString>

#include "leiaute.h"
#include "rotulo.h"

inline const varzeno::jogo::TLugar& LugarDe(const QString& nome) { return varzeno::jogo::Lugar(nome.toStdString()); }

inline QRect Geometria(const QString& nome) {
  const varzeno::jogo::TLugar& l = LugarDe(nome);
  return {l.x, l.y, l.w, l.h};
}

// A label at its place, in its lettering's height; a label the table gives
// no size grows with its text.
inline QLabel* RotuloNoLugar(QWidget* pai, const QString& nome, bool negrito, const QColor& cor, const QColor& fundo,
                             const QString& texto) {
  const varzeno::jogo::TLugar& l = LugarDe(nome);
  return CriarRotulo(pai, nome, l.x, l.y, TFonte{l.fonte, negrito, cor, fundo}, texto, {l.w, l.h});
}

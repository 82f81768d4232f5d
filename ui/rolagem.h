#pragma once
// The scroll boxes of the set-up pages: no border, no horizontal bar, a thin
// orange vertical bar with small arrows, scrolling pixel by pixel with the
// content following the thumb while it is dragged.

#include <QScrollArea>

// A scroll box at `geometria` on `pai`; its content widget is returned and
// sized by the caller (width of the box less the bar, height of the content).
QWidget* CriarRolagem(QWidget* pai, const QString& nome, const QRect& geometria, int alturaConteudo);

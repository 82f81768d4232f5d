#pragma once
// The text of a one-line box as a screen reader reads it: characters,
// words and the line around any offset. Every offset is clamped into the
// text and every answer is found in one pass over it, so no query, however
// odd (an offset past the end, a negative one, an unknown boundary), can
// stall the game; Qt 6.4's own line-edit interface loops for ever on a word
// asked for at the end of the text.

#include <QAccessible>
#include <QString>

class QLineEdit;

struct TTrecho {
  int inicio = 0;
  int fim = 0;  // one past the last character
  QString Texto(const QString& s) const { return s.mid(inicio, fim - inicio); }
};

// What a reader asks for by AT-SPI's text calls, over `s`.
TTrecho TrechoEm(const QString& s, int posicao, QAccessible::TextBoundaryType tipo);
TTrecho TrechoAntes(const QString& s, int posicao, QAccessible::TextBoundaryType tipo);
TTrecho TrechoDepois(const QString& s, int posicao, QAccessible::TextBoundaryType tipo);

// The interface of a name box: Qt's roles and states, with the text read
// through the functions above.
QAccessibleInterface* NovaInterfaceDeCaixa(QLineEdit* caixa);
bool EhInterfaceDeCaixa(const QAccessibleInterface* i);

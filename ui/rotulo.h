#pragma once
// Text labels as the window lays them out: Arial at a pixel height, a text
// colour, and either a background colour or none (drawn over the picture).

#include <QColor>
#include <QLabel>

struct TFonte {
  int px;
  bool negrito;
  QColor cor;
  QColor fundo;  // invalid: transparent
};

// The game's lettering: Arial at a character height in pixels.
QFont Arial(int px, bool negrito);

// A label at (x, y) with the font and initial text. With a zero size it
// grows with its text (Escrever keeps it fitted).
QLabel* CriarRotulo(QWidget* pai, const QString& nome, int x, int y, const TFonte& fonte, const QString& texto,
                    QSize tamanhoFixo = {});

// Sets the text and, for a label that grows, fits it to the text.
void Escrever(QLabel* rotulo, const QString& texto);

// A label that reports a press of any mouse button, for links.
class TRotuloClicavel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void MouseDown();

 protected:
  void mousePressEvent(QMouseEvent*) override;
};

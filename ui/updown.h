#pragma once
// An up-down spinner: two small arrow buttons that step a position between
// a minimum and a maximum, stopping at the ends.

#include <QWidget>

class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  TUpDown(QWidget* parent, const QString& nome, int minimo, int maximo, int posicao);

  int Position() const { return posicao_; }
  void SetPosition(int p);
  QToolButton* Acima() const { return acima_; }
  QToolButton* Abaixo() const { return abaixo_; }

 signals:
  // A click on either arrow, after the position has changed (or stayed at an end).
  void Click();

 protected:
  void resizeEvent(QResizeEvent*) override;

 private:
  void Passo(int delta);

  QToolButton* acima_ = nullptr;
  QToolButton* abaixo_ = nullptr;
  int minimo_, maximo_, posicao_;
};

#pragma once
// The photo dialog: the game's own file dialog (not the desktop's, so it
// looks and behaves the same everywhere) with a preview of the picture
// under the cursor.

#include <QFileDialog>

class QLabel;
class TCarregadorFotos;

class TDialogoFotos : public QFileDialog {
  Q_OBJECT
 public:
  explicit TDialogoFotos(QWidget* parent);
  QLabel* Previa() const { return previa_; }
  // Shows the picture at `caminho` in the preview, or clears it. The
  // picture loads off the window's thread; a newer selection drops the
  // load of the older one, so a late answer never covers a newer preview.
  void MostrarPrevia(const QString& caminho);

 signals:
  // The preview has its picture or its "no preview" text.
  void PreviaPronta();

 private:
  QLabel* previa_ = nullptr;
  TCarregadorFotos* carregador_ = nullptr;
  quint64 carregando_ = 0;
};

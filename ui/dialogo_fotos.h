#pragma once
// The photo dialog: the game's own file dialog (not the desktop's, so it
// looks and behaves the same everywhere) with a preview of the picture
// under the cursor.

#include <QFileDialog>

class QLabel;

class TDialogoFotos : public QFileDialog {
  Q_OBJECT
 public:
  explicit TDialogoFotos(QWidget* parent);
  QLabel* Previa() const { return previa_; }
  // Shows the picture at `caminho` in the preview, or clears it.
  void MostrarPrevia(const QString& caminho);

 private:
  QLabel* previa_;
};

#pragma once
// File dialogs that leave nothing on screen once closed. Qt's own file
// dialog keeps its file-name completion list mapped when Enter accepts a
// typed path while the list is up; the list then swallows the next click.

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QFileDialog>

// Closes the completion lists of `dialogo` whenever it closes, and keeps
// them closed while it is hidden.
class TRecolherSugestoes : public QObject {
 public:
  explicit TRecolherSugestoes(QFileDialog& dialogo) : QObject(&dialogo), dialogo_(dialogo) {
    connect(&dialogo, &QDialog::finished, this, [this] { Recolher(); });
    dialogo.installEventFilter(this);
  }

  void Recolher() {
    for (QCompleter* c : dialogo_.findChildren<QCompleter*>()) {
      QAbstractItemView* lista = c->popup();
      lista->removeEventFilter(this);
      lista->installEventFilter(this);
      lista->hide();
    }
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* e) override {
    if (objeto == &dialogo_ && e->type() == QEvent::Hide) Recolher();
    // A late answer of the file system must not bring a list back up.
    // Hidden once it has finished showing.
    if (objeto != &dialogo_ && e->type() == QEvent::Show && !dialogo_.isVisible())
      QMetaObject::invokeMethod(static_cast<QWidget*>(objeto), &QWidget::hide, Qt::QueuedConnection);
    return false;
  }

 private:
  QFileDialog& dialogo_;
};

inline void RecolherSugestoesAoFechar(QFileDialog& dialogo) { new TRecolherSugestoes(dialogo); }

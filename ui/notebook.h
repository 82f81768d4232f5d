#pragma once
// A page container whose pages are chosen by name, without regard to case.

#include <QStackedWidget>

class TNotebook : public QStackedWidget {
  Q_OBJECT
 public:
  explicit TNotebook(QWidget* parent, const QString& nome = {});

  QWidget* AdicionarPagina(const QString& nome);
  // The page of that name, or nullptr.
  QWidget* Pagina(const QString& nome) const;
  // Shows the page of that name; an unknown name changes nothing.
  void SetActivePage(const QString& nome);
  QString ActivePage() const;
};

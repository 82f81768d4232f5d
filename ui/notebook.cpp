#include "notebook.h"

TNotebook::TNotebook(QWidget* parent, const QString& nome) : QStackedWidget(parent) { setObjectName(nome); }

QWidget* TNotebook::AdicionarPagina(const QString& nome) {
  auto* pagina = new QWidget(this);
  pagina->setObjectName(nome);
  addWidget(pagina);
  return pagina;
}

QWidget* TNotebook::Pagina(const QString& nome) const {
  for (int i = 0; i < count(); ++i)
    if (widget(i)->objectName().compare(nome, Qt::CaseInsensitive) == 0) return widget(i);
  return nullptr;
}

void TNotebook::SetActivePage(const QString& nome) {
  if (QWidget* p = Pagina(nome)) setCurrentWidget(p);
}

QString TNotebook::ActivePage() const { return currentWidget() ? currentWidget()->objectName() : QString(); }

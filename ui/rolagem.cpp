#include "rolagem.h"

#include <QScrollBar>

QWidget* CriarRolagem(QWidget* pai, const QString& nome, const QRect& geometria, int alturaConteudo) {
  auto* caixa = new QScrollArea(pai);
  caixa->setObjectName(nome);
  caixa->setGeometry(geometria);
  caixa->setFrameShape(QFrame::NoFrame);
  caixa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  caixa->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  caixa->setWidgetResizable(false);
  // The page's colour shows through.
  caixa->setAutoFillBackground(false);
  caixa->viewport()->setAutoFillBackground(false);

  QScrollBar* barra = caixa->verticalScrollBar();
  barra->setTracking(true);
  barra->setSingleStep(4);
  barra->setStyleSheet(
      QStringLiteral("QScrollBar:vertical { width: 8px; background: #64717E; margin: 8px 0 8px 0; }"
                     "QScrollBar::handle:vertical { background: #FF8040; min-height: 12px; }"
                     "QScrollBar::add-line:vertical { background: #FF8040; height: 8px; subcontrol-position: bottom; "
                     "subcontrol-origin: margin; }"
                     "QScrollBar::sub-line:vertical { background: #FF8040; height: 8px; subcontrol-position: top; "
                     "subcontrol-origin: margin; }"
                     "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: #7E8A96; }"));

  auto* conteudo = new QWidget;
  conteudo->setObjectName(nome + QStringLiteral("Conteudo"));
  conteudo->setAutoFillBackground(false);
  conteudo->resize(geometria.width() - 8, alturaConteudo);
  caixa->setWidget(conteudo);
  return conteudo;
}

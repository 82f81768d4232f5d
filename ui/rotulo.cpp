#include "rotulo.h"

#include "erro.h"

namespace {
const char* const kCresce = "varzenoCresce";
}

QFont Arial(int px, bool negrito) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(px);
  f.setBold(negrito);
  return f;
}

QLabel* CriarRotulo(QWidget* pai, const QString& nome, int x, int y, const TFonte& fonte, const QString& texto,
                    QSize tamanhoFixo) {
  auto* r = new QLabel(pai);
  r->setObjectName(nome);
  r->setFont(Arial(fonte.px, fonte.negrito));
  QPalette p = r->palette();
  p.setColor(QPalette::WindowText, fonte.cor);
  if (fonte.fundo.isValid()) {
    p.setColor(QPalette::Window, fonte.fundo);
    r->setAutoFillBackground(true);
  }
  r->setPalette(p);
  r->setTextFormat(Qt::PlainText);
  r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  r->setMargin(0);
  r->setIndent(0);
  r->setWordWrap(false);
  r->move(x, y);
  if (tamanhoFixo.isValid() && !tamanhoFixo.isEmpty()) {
    // Longer text is cut at the right edge.
    r->setFixedSize(tamanhoFixo);
  } else {
    r->setProperty(kCresce, true);
  }
  Escrever(r, texto);
  return r;
}

void Escrever(QLabel* rotulo, const QString& texto) {
  rotulo->setText(texto);
  if (rotulo->property(kCresce).toBool()) rotulo->adjustSize();
}

void TRotuloClicavel::mousePressEvent(QMouseEvent*) {
  Proteger([this] { emit MouseDown(); });
}

#include "texto_acessivel.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

#include "acessivel.h"

namespace {

bool Espaco(QChar c) { return c.isSpace(); }

// A word runs with the spaces after it, as AT-SPI's word start has it; the
// spaces before the first word are a piece of their own.
TTrecho PalavraEm(const QString& s, int p) {
  const int n = static_cast<int>(s.size());
  if (n == 0) return {};
  p = std::clamp(p, 0, n - 1);  // at the end: the last word
  int inicio = p;
  while (inicio > 0 && Espaco(s[inicio])) --inicio;  // back over spaces to the word they follow
  if (Espaco(s[inicio])) {                           // only spaces before: leading spaces
    int fim = 0;
    while (fim < n && Espaco(s[fim])) ++fim;
    return {0, fim};
  }
  while (inicio > 0 && !Espaco(s[inicio - 1])) --inicio;
  int fim = inicio;
  while (fim < n && !Espaco(s[fim])) ++fim;
  while (fim < n && Espaco(s[fim])) ++fim;
  return {inicio, fim};
}

TTrecho Em(const QString& s, int p, QAccessible::TextBoundaryType tipo) {
  const int n = static_cast<int>(s.size());
  switch (tipo) {
    case QAccessible::CharBoundary:
      if (p < 0 || p >= n) return {n, n};
      // A pair of surrogates is one character.
      if (s[p].isHighSurrogate() && p + 1 < n) return {p, p + 2};
      if (s[p].isLowSurrogate() && p > 0) return {p - 1, p + 1};
      return {p, p + 1};
    case QAccessible::WordBoundary:
      return PalavraEm(s, p);
    default:  // one line, one sentence, one paragraph: the whole text
      return {0, n};
  }
}

}  // namespace

TTrecho TrechoEm(const QString& s, int posicao, QAccessible::TextBoundaryType tipo) { return Em(s, posicao, tipo); }

TTrecho TrechoAntes(const QString& s, int posicao, QAccessible::TextBoundaryType tipo) {
  const int n = static_cast<int>(s.size());
  const TTrecho aqui = Em(s, std::clamp(posicao, 0, n), tipo);
  if (aqui.inicio <= 0) return {0, 0};
  return Em(s, aqui.inicio - 1, tipo);
}

TTrecho TrechoDepois(const QString& s, int posicao, QAccessible::TextBoundaryType tipo) {
  const int n = static_cast<int>(s.size());
  const TTrecho aqui = Em(s, std::clamp(posicao, 0, n), tipo);
  if (aqui.fim >= n) return {n, n};
  return Em(s, aqui.fim, tipo);
}

namespace {

class TInterfaceCaixa : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface {
 public:
  explicit TInterfaceCaixa(QLineEdit* c) : QAccessibleWidget(c, QAccessible::EditableText) {}

  QLineEdit* Caixa() const { return static_cast<QLineEdit*>(widget()); }
  QString Texto() const { return Caixa()->text(); }
  int N() const { return static_cast<int>(Texto().size()); }
  int Prender(int p) const { return std::clamp(p, 0, N()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Texto();
    if (t == QAccessible::Name) {
      const TPapelAcessivel* p = PapelDe(widget());
      if (p && p->Nome) return p->Nome();
    }
    return QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& s) override {
    if (t == QAccessible::Value && !Caixa()->isReadOnly()) Caixa()->setText(s);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !Caixa()->isReadOnly();
    s.readOnly = Caixa()->isReadOnly();
    s.selectableText = true;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // Text.
  void selection(int indice, int* inicio, int* fim) const override {
    *inicio = *fim = 0;
    if (indice != 0 || !Caixa()->hasSelectedText()) return;
    *inicio = Prender(Caixa()->selectionStart());
    *fim = Prender(*inicio + static_cast<int>(Caixa()->selectedText().size()));
  }
  int selectionCount() const override { return Caixa()->hasSelectedText() ? 1 : 0; }
  void addSelection(int inicio, int fim) override { setSelection(0, inicio, fim); }
  void removeSelection(int indice) override {
    if (indice == 0) Caixa()->deselect();
  }
  void setSelection(int indice, int inicio, int fim) override {
    if (indice != 0) return;
    inicio = Prender(inicio);
    fim = Prender(fim);
    Caixa()->setSelection(inicio, fim - inicio);
  }
  int cursorPosition() const override { return Prender(Caixa()->cursorPosition()); }
  void setCursorPosition(int p) override { Caixa()->setCursorPosition(Prender(p)); }
  QString text(int inicio, int fim) const override {
    const QString s = Texto();
    inicio = Prender(inicio);
    fim = fim < 0 ? N() : Prender(fim);  // -1: to the end
    return fim > inicio ? s.mid(inicio, fim - inicio) : QString();
  }
  QString textBeforeOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoAntes(Texto(), p, t), inicio, fim);
  }
  QString textAfterOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoDepois(Texto(), p, t), inicio, fim);
  }
  QString textAtOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoEm(Texto(), p, t), inicio, fim);
  }
  int characterCount() const override { return N(); }
  QRect characterRect(int p) const override {
    const QString s = Texto();
    if (s.isEmpty()) return {};
    p = std::clamp(p, 0, N() - 1);
    // Where a short name is drawn: from the left margin, unscrolled.
    const QLineEdit* c = Caixa();
    const QRect r = c->contentsRect().marginsRemoved(c->textMargins());
    const QFontMetrics fm(c->font());
    const QRect local(r.x() + 2 + fm.horizontalAdvance(s.left(p)), r.y(), std::max(1, fm.horizontalAdvance(s.mid(p, 1))),
                      r.height());
    return QRect(Caixa()->mapToGlobal(local.topLeft()), local.size());
  }
  int offsetAtPoint(const QPoint& ponto) const override {
    const QPoint local = Caixa()->mapFromGlobal(ponto);
    if (!Caixa()->rect().contains(local)) return -1;
    return Prender(Caixa()->cursorPositionAt(local));
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* inicio, int* fim) const override {
    *inicio = 0;
    *fim = N();
    return {};
  }

  // Editable text: what a reader may do as the keys would.
  void deleteText(int inicio, int fim) override { replaceText(inicio, fim, QString()); }
  void insertText(int p, const QString& s) override { replaceText(p, p, s); }
  void replaceText(int inicio, int fim, const QString& s) override {
    if (Caixa()->isReadOnly()) return;
    inicio = Prender(inicio);
    fim = std::max(inicio, Prender(fim));
    QString t = Texto();
    t.replace(inicio, fim - inicio, s);
    Caixa()->setText(t.left(Caixa()->maxLength()));
  }

 private:
  QString Dar(const TTrecho& t, int* inicio, int* fim) const {
    *inicio = t.inicio;
    *fim = t.fim;
    return t.Texto(Texto());
  }
};

}  // namespace

QAccessibleInterface* NovaInterfaceDeCaixa(QLineEdit* caixa) { return new TInterfaceCaixa(caixa); }

bool EhInterfaceDeCaixa(const QAccessibleInterface* i) { return dynamic_cast<const TInterfaceCaixa*>(i); }

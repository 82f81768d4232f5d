// The campaign diary on the main window: every step of the game recorded,
// and the diary opened in a window of its own during a campaign and once
// the chart has drawn, by its link, the D key or a screen reader.
#include "Unit1.h"
#include "acessivel.h"
#include "diario.h"
#include "imagem.h"
#include "janela_diario.h"
#include "notebook.h"
#include "rotulo.h"

namespace {

// A link in the game's lettering, underlined, where its page draws nothing.
TRotuloClicavel* Link(QWidget* pai, const char* nome, QPoint lugar, const QColor& cor) {
  auto* l = new TRotuloClicavel(pai);
  l->setObjectName(QString::fromLatin1(nome));
  QFont f = Arial(11, true);
  f.setUnderline(true);
  l->setFont(f);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, cor);
  l->setPalette(p);
  l->setTextFormat(Qt::PlainText);
  l->setText(QString::fromUtf8(varzeno::jogo::kTituloDiario));
  l->adjustSize();
  l->move(lugar - QPoint(l->width(), 0));  // `lugar` is its top right
  l->setCursor(Qt::DragMoveCursor);
  return l;
}

}  // namespace

void TForm1::MontarDiario() {
  // On the play area: right of the weeks line, on the panel's bare teal.
  lblDiario = Link(this, "lblDiario", {450, 39}, QColor(0x00, 0xFF, 0xFF));
  // On the chart page: right of its Ok, on the bare page; only once drawn.
  lblDiarioGrafico = Link(Abook->Pagina(QStringLiteral("Grafico")), "lblDiarioGrafico", {452, 150},
                          QColor(0xFF, 0xFF, 0x00));
  lblDiarioGrafico->hide();
  OuvirEventos(imgBtn, [this](QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::Hide) lblDiarioGrafico->setVisible(e->type() == QEvent::Show);
  });
  for (TRotuloClicavel* l : {lblDiario, lblDiarioGrafico})
    connect(l, &TRotuloClicavel::MouseDown, this, [this] { AbrirDiario(); });

  QuandoHouverLeitor(this, [this] {
    for (TRotuloClicavel* l : {lblDiario, lblDiarioGrafico})
      DarPapel(l, QAccessible::Link, [l] { return l->text(); })->Acionar = [this] { AbrirDiario(); };
  });
}

const varzeno::TResposta& TForm1::NoDiario(const varzeno::TResposta& r) {
  Diario.Registrar(Partida, r);
  return r;
}

bool TForm1::DiarioDisponivel() const {
  if (Diario.Vazio()) return false;
  if (Abook->isHidden()) return true;  // a campaign's play area
  return Abook->ActivePage() == QLatin1String("Grafico") && !imgBtn->isHidden();
}

bool TForm1::AbrirDiario() {
  if (!DiarioDisponivel()) return false;
  if (!formDiario) formDiario = new TformDiario(this);
  formDiario->Mostrar(Diario);
  return true;
}

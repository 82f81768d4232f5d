// The whole game from the keyboard. A key presses a control as a click
// does, through the control's own press and release (TImagem::Premir when
// the key goes down, Soltar when it comes up), never through a mouse event,
// so the checks and messages are the click's own; and the focus is always
// shown by a ring (anel_foco.h).
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "Unit1.h"
#include "Unit2.h"
#include "acessivel.h"
#include "falas.h"
#include "anel_foco.h"
#include "erro.h"
#include "imagem.h"
#include "notebook.h"
#include "rotulo.h"
#include "updown.h"

namespace {

enum class TLugar { Titulo, Regras, Candidatos, Adversarios, Grafico, Jogo, Outro };

bool Ativa(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space; }
bool Adiante(int tecla) { return tecla == Qt::Key_Right || tecla == Qt::Key_PageDown; }
bool Atras(int tecla) { return tecla == Qt::Key_Left || tecla == Qt::Key_PageUp; }

class TTeclado : public QObject {
 public:
  explicit TTeclado(TForm1& f);

 protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;

 private:
  TLugar Lugar() const;
  // The controls the focus goes through on this page, the first one taking
  // it when the page comes up.
  QList<QWidget*> Cadeia() const;
  void Focar(QWidget* w);
  void MostrarNaCaixa(QScrollArea* caixa, QWidget* w);
  void FocarInicio();
  void Circular(bool adiante);
  bool Pressionada(QWidget* alvo, QKeyEvent* k);
  bool Solta(QKeyEvent* k);
  bool NaJanela(QKeyEvent* k);
  // The button goes down now and comes up with the key.
  bool Apertar(TImagem* figura, const QKeyEvent* k);
  void Marcar(int escolha);
  void Rolar(int tecla);
  TImagem* Marca() const { return f_.Trava[f_.Escolha == 0 ? 3 : f_.Escolha - 1]; }
  // False once the window's own destructor has run: its widgets then go
  // one by one, with events on the way, and none of them is ours to answer.
  bool Vivo() const { return qobject_cast<const TForm1*>(static_cast<const QObject*>(&f_)); }

  TForm1& f_;
  TAnelFoco* anel_;
  QScrollArea* regras_;
  int teclaApertada_ = 0;
  QPointer<TImagem> apertada_;
};

TTeclado::TTeclado(TForm1& f) : QObject(&f), f_(f), anel_(new TAnelFoco(&f)) {
  regras_ = f.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
  // Keys reach these; a click never moves the focus, as before.
  // The rules' link only once its page first shows: a focusable label lays
  // its text out, and the link's Courier would load a font at start.
  QList<QWidget*> focaveis{f.Image1, f.Image3, f.UpDown1, f.Image4, f.Image9, f.imgBtn, regras_};
  for (int k = 1; k <= 6; ++k) focaveis << f.Fcan[k] << f.Mq[k];
  for (TImagem* t : f.Trava) focaveis << t;
  for (QWidget* w : focaveis)
    if (w) w->setFocusPolicy(Qt::TabFocus);
  // The candidates' box only follows the focus; it never holds it.
  if (auto* caixa = f.findChild<QScrollArea*>(QStringLiteral("ScrollBox2"))) caixa->setFocusPolicy(Qt::NoFocus);

  connect(f.Abook, &QStackedWidget::currentChanged, this, [this] {
    if (!Vivo()) return;
    if (Lugar() == TLugar::Regras) f_.Label36->setFocusPolicy(Qt::TabFocus);
    FocarInicio();
  });
  // Focus moved by a click (a name box) or by Qt: the ring follows; only
  // the keys scroll a box.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* agora) {
    if (Vivo() && agora && agora->window() == &f_) anel_->Seguir(agora == &f_ ? nullptr : agora);
  });
  // A mark ticked with the mouse takes the focus from the mark before it.
  for (TImagem* t : f.Trava)
    connect(t, &TImagem::Premida, this, [this] {
      if (Vivo() && std::find(f_.Trava.begin(), f_.Trava.end(), f_.focusWidget()) != f_.Trava.end()) Focar(Marca());
    });
  qApp->installEventFilter(this);
  FocarInicio();
}

TLugar TTeclado::Lugar() const {
  if (f_.Abook->isHidden()) return TLugar::Jogo;
  const QString pagina = f_.Abook->ActivePage();
  if (pagina == QLatin1String("Default")) return TLugar::Titulo;
  if (pagina == QLatin1String("regras")) return TLugar::Regras;
  if (pagina == QLatin1String("Candidatos")) return TLugar::Candidatos;
  if (pagina == QLatin1String("adversarios")) return TLugar::Adversarios;
  if (pagina == QLatin1String("Grafico")) return TLugar::Grafico;
  return TLugar::Outro;
}

QList<QWidget*> TTeclado::Cadeia() const {
  QList<QWidget*> c;
  switch (Lugar()) {
    case TLugar::Titulo:
      c << f_.Image1;
      break;
    case TLugar::Regras:
      c << regras_ << f_.Label36;
      break;
    case TLugar::Candidatos:
      for (int k = 1; k <= 6; ++k) c << f_.Fcan[k] << f_.Mq[k] << f_.Ncan[k];
      break;
    case TLugar::Adversarios:
      c << f_.Image3 << f_.UpDown1;
      break;
    case TLugar::Grafico:
      // Nothing to press while the chart draws.
      if (!f_.imgBtn->isHidden()) c << f_.imgBtn;
      break;
    case TLugar::Jogo:
      c << Marca() << f_.Image4 << f_.Image9;
      break;
    case TLugar::Outro:
      break;
  }
  return c;
}

void TTeclado::Focar(QWidget* w) {
  if (w != f_.focusWidget()) w->setFocus(Qt::TabFocusReason);
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (auto* caixa = qobject_cast<QScrollArea*>(p)) {
      MostrarNaCaixa(caixa, w);
      break;
    }
  anel_->Seguir(w == &f_ ? nullptr : w);
}

// A control in a scroll box brings itself into view, ring and all; going
// up, the box goes to its top when that still shows the control, so the
// first slot comes with the heading above it.
void TTeclado::MostrarNaCaixa(QScrollArea* caixa, QWidget* w) {
  if (!caixa->widget() || !caixa->widget()->isAncestorOf(w)) return;
  const int m = TAnelFoco::kLargura;
  const int topo = w->mapTo(caixa->widget(), QPoint(0, 0)).y() - m;
  const int base = topo + w->height() + 2 * m;
  const int altura = caixa->viewport()->height();
  QScrollBar* barra = caixa->verticalScrollBar();
  if (topo < barra->value())
    barra->setValue(base <= altura ? 0 : topo);
  else if (base > barra->value() + altura)
    barra->setValue(base - altura);
}

void TTeclado::FocarInicio() {
  const QList<QWidget*> c = Cadeia();
  Focar(c.isEmpty() ? &f_ : c.first());
}

void TTeclado::Circular(bool adiante) {
  const QList<QWidget*> c = Cadeia();
  if (c.isEmpty()) return;
  const qsizetype n = c.size();
  const qsizetype i = c.indexOf(f_.focusWidget());
  if (i < 0) return Focar(c.first());
  Focar(c[(i + (adiante ? 1 : n - 1)) % n]);
}

bool TTeclado::eventFilter(QObject* objeto, QEvent* e) {
  const QEvent::Type tipo = e->type();
  if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease && tipo != QEvent::Show && tipo != QEvent::Hide)
    return false;
  if (!objeto->isWidgetType() || !Vivo()) return false;
  if (tipo == QEvent::KeyPress) return Pressionada(static_cast<QWidget*>(objeto), static_cast<QKeyEvent*>(e));
  if (tipo == QEvent::KeyRelease) return Solta(static_cast<QKeyEvent*>(e));
  // The start button uncovers the play area, the chart covers it again and
  // its Ok appears at the end: the focus goes to the first control. (A
  // window minimised and restored keeps its focus.)
  if ((objeto == f_.Abook || objeto == f_.imgBtn) && !e->spontaneous()) FocarInicio();
  return false;
}

bool TTeclado::Pressionada(QWidget* alvo, QKeyEvent* k) {
  const QWidget* janela = alvo->window();
  const bool noDialogo = formDialog && janela == formDialog;
  if (janela != &f_ && !noDialogo) return false;
  const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
  // Ctrl+Q is the close button, wherever the game has the keyboard.
  if (k->key() == Qt::Key_Q && mods == Qt::ControlModifier) return Apertar(f_.Fim, k);
  if (noDialogo || (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return false;
  return NaJanela(k);
}

bool TTeclado::NaJanela(QKeyEvent* k) {
  const int tecla = k->key();
  QWidget* foco = f_.focusWidget();
  if (tecla == Qt::Key_Backtab || tecla == Qt::Key_Tab) {
    Circular(tecla == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
    return true;
  }
  // In a name box the keys write; only the page keys turn the page.
  if (qobject_cast<QLineEdit*>(foco) && tecla != Qt::Key_PageUp && tecla != Qt::Key_PageDown) return false;

  // D: the campaign diary, during a campaign and once the chart has drawn.
  if (tecla == Qt::Key_D && !k->isAutoRepeat() && f_.AbrirDiario()) return true;
  switch (Lugar()) {
    case TLugar::Titulo:
      if (Ativa(tecla) || Adiante(tecla)) return Apertar(f_.Image1, k);
      break;
    case TLugar::Regras:
      if (Adiante(tecla)) return Apertar(f_.bt[1], k);
      if (Atras(tecla)) return Apertar(f_.bt[0], k);
      // The link's own handler, which its click runs.
      if (Ativa(tecla) && foco == f_.Label36) {
        if (!k->isAutoRepeat()) Proteger([this] { f_.Label36MouseDown(); });
        return true;
      }
      if (tecla == Qt::Key_Up || tecla == Qt::Key_Down || tecla == Qt::Key_Home || tecla == Qt::Key_End) {
        Rolar(tecla);
        return true;
      }
      break;
    case TLugar::Candidatos:
      if (Adiante(tecla)) return Apertar(f_.bt[3], k);
      if (Atras(tecla)) return Apertar(f_.bt[2], k);
      if (Ativa(tecla))
        for (int i = 1; i <= 6; ++i) {
          if (foco == f_.Mq[i]) return Apertar(f_.Mq[i], k);
          // The photo chooses as its double click does.
          if (foco == f_.Fcan[i]) {
            TImagem* foto = f_.Fcan[i];
            if (!k->isAutoRepeat()) Proteger([this, foto] { f_.Fcan1DblClick(foto); });
            return true;
          }
        }
      break;
    case TLugar::Adversarios:
      if (Atras(tecla)) return Apertar(f_.bt[4], k);
      if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) {
        (tecla == Qt::Key_Up ? f_.UpDown1->Acima() : f_.UpDown1->Abaixo())->click();
        return true;
      }
      if (Ativa(tecla)) return Apertar(f_.Image3, k);
      break;
    case TLugar::Grafico:
      if ((Ativa(tecla) || tecla == Qt::Key_Escape) && !f_.imgBtn->isHidden()) return Apertar(f_.imgBtn, k);
      break;
    case TLugar::Jogo:
      if (tecla >= Qt::Key_1 && tecla <= Qt::Key_3) {
        Marcar(tecla - Qt::Key_0);
        return true;
      }
      if (tecla == Qt::Key_0 || tecla == Qt::Key_N) {
        Marcar(0);
        return true;
      }
      if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) {
        // Top to bottom: options 1, 2, 3, then doing nothing.
        const int linha = f_.Escolha == 0 ? 3 : f_.Escolha - 1;
        const int nova = std::clamp(linha + (tecla == Qt::Key_Up ? -1 : 1), 0, 3);
        Marcar(nova == 3 ? 0 : nova + 1);
        return true;
      }
      // The poll and the statistics, read aloud on request.
      if (tecla == Qt::Key_P) {
        Anunciar(&f_, FalaDaPesquisa(f_));
        return true;
      }
      if (tecla == Qt::Key_S) {
        Anunciar(&f_, FalaDaSituacao(f_));
        return true;
      }
      // The music button is under the pages: it answers only during play.
      if (tecla == Qt::Key_M) return Apertar(f_.Image9, k);
      if (Ativa(tecla)) return Apertar(foco == f_.Image9 ? f_.Image9 : f_.Image4, k);
      break;
    case TLugar::Outro:
      break;
  }
  return false;
}

bool TTeclado::Apertar(TImagem* figura, const QKeyEvent* k) {
  if (k->isAutoRepeat()) return true;
  teclaApertada_ = k->key();
  apertada_ = figura;
  figura->Premir();
  return true;
}

// The release reaches the button the key pressed, wherever the focus is
// then, as a mouse release does.
bool TTeclado::Solta(QKeyEvent* k) {
  if (teclaApertada_ == 0 || k->key() != teclaApertada_) return false;
  if (k->isAutoRepeat()) return true;
  teclaApertada_ = 0;
  const QPointer<TImagem> figura = apertada_;
  apertada_ = nullptr;
  if (figura) figura->Soltar();
  return true;
}

void TTeclado::Marcar(int escolha) {
  TImagem* marca = f_.Trava[escolha == 0 ? 3 : escolha - 1];
  const bool focada = f_.focusWidget() == marca;
  marca->Premir();
  Focar(marca);
  // The focus did not move, so a reader would say only the key: the
  // option is said, so that nothing is spent unheard.
  if (const TPapelAcessivel* p = PapelDe(marca); focada && p && p->Nome) Anunciar(&f_, p->Nome());
}

void TTeclado::Rolar(int tecla) {
  QScrollBar* barra = regras_->verticalScrollBar();
  const int passo = barra->pageStep() / 4;
  if (tecla == Qt::Key_Up) barra->setValue(barra->value() - passo);
  if (tecla == Qt::Key_Down) barra->setValue(barra->value() + passo);
  if (tecla == Qt::Key_Home) barra->setValue(barra->minimum());
  if (tecla == Qt::Key_End) barra->setValue(barra->maximum());
}

}  // namespace

void TForm1::MontarTeclado() { Teclado = new TTeclado(*this); }

#include "acessivel.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "Unit2.h"
#include "erro.h"
#include "imagem.h"
#include "nomes_acessiveis.h"
#include "texto_acessivel.h"

namespace {

const char* const kFora = "varzenoAcessivelFora";

// Whether an opaque sibling drawn above `w` (later among the children)
// covers it whole.
bool CobertoNoNivel(const QWidget* w) {
  const QWidget* pai = w->parentWidget();
  if (!pai || w->isWindow()) return false;
  const QObjectList& irmaos = pai->children();
  for (qsizetype i = irmaos.indexOf(const_cast<QWidget*>(w)) + 1; i < irmaos.size(); ++i) {
    const auto* s = qobject_cast<const QWidget*>(irmaos[i]);
    if (s && !s->isWindow() && s->isVisible() && s->autoFillBackground() && s->geometry().contains(w->geometry()))
      return true;
  }
  return false;
}

// Covered at its own level or at any level up to its window: the mouse
// cannot reach it.
bool Coberto(const QWidget* w) {
  for (; w && !w->isWindow(); w = w->parentWidget())
    if (CobertoNoNivel(w)) return true;
  return false;
}

// The one interface of every widget the game describes, and of its own
// widget classes (those Qt knows nothing about).
class TInterface : public QAccessibleWidget, public QAccessibleValueInterface, public QAccessibleTextInterface {
 public:
  TInterface(QWidget* w, QAccessible::Role padrao) : QAccessibleWidget(w, padrao) {}

  TPapelAcessivel* Papel() const { return PapelDe(widget()); }

  QAccessible::Role role() const override {
    const TPapelAcessivel* p = Papel();
    return p ? p->Papel : QAccessibleWidget::role();
  }

  QString text(QAccessible::Text t) const override {
    if (const TPapelAcessivel* p = Papel()) {
      if (t == QAccessible::Name && p->Nome) return p->Nome();
      if (t == QAccessible::Description && p->Descricao) return p->Descricao();
      if (t == QAccessible::Value && p->Valor) return QString::number(p->Valor());
    }
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (Coberto(widget())) s.invisible = true;
    if (const TPapelAcessivel* p = Papel(); p && p->Marcado) {
      s.checkable = true;
      s.checked = p->Marcado();
    }
    // A spinner's number is its text, which changes as the arrows turn it:
    // editable, as readers expect of a spin button, so that Orca 48 does not
    // keep the number it read last (it caches the text of objects that are
    // not) and say it again for the new one.
    if (const TPapelAcessivel* p = Papel(); p && p->Valor) s.editable = true;
    return s;
  }

  int childCount() const override { return static_cast<int>(FilhosAcessiveis(widget()).size()); }

  QAccessibleInterface* child(int i) const override {
    const QList<QWidget*> f = FilhosAcessiveis(widget());
    return i >= 0 && i < f.size() ? QAccessible::queryAccessibleInterface(f[i]) : nullptr;
  }

  int indexOfChild(const QAccessibleInterface* c) const override {
    if (!c || !c->object() || !c->object()->isWidgetType()) return -1;
    return static_cast<int>(FilhosAcessiveis(widget()).indexOf(static_cast<QWidget*>(c->object())));
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    const TPapelAcessivel* p = Papel();
    if (t == QAccessible::ValueInterface)
      return p && p->Valor ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    // A value is also its text, read-only: a reader's review reads the
    // number only from a text.
    if (t == QAccessible::TextInterface)
      return p && p->Valor ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    return QAccessibleWidget::interface_cast(t);
  }

  // Only what the mouse could do now: a hidden control has no action.
  QStringList actionNames() const override {
    QStringList nomes;
    const TPapelAcessivel* p = Papel();
    if (p && p->Acionar && widget()->isVisible() && widget()->isEnabled() && !Coberto(widget()))
      nomes << (p->Papel == QAccessible::RadioButton ? toggleAction() : pressAction());
    return nomes + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& acao) override {
    if (acao != pressAction() && acao != toggleAction()) return QAccessibleWidget::doAction(acao);
    if (!actionNames().contains(acao)) return;
    QPointer<QWidget> w = widget();
    QTimer::singleShot(0, w, [w] {
      if (TPapelAcessivel* p = w ? PapelDe(w) : nullptr; p && p->Acionar && w->isVisible()) Proteger(p->Acionar);
    });
  }

  QVariant currentValue() const override { return Papel() ? Papel()->Valor() : QVariant(); }
  void setCurrentValue(const QVariant& v) override {
    if (TPapelAcessivel* p = Papel(); p && p->DefinirValor) Proteger([&] { p->DefinirValor(v.toInt()); });
  }
  QVariant maximumValue() const override { return Papel() ? Papel()->Maximo : 0; }
  QVariant minimumValue() const override { return Papel() ? Papel()->Minimo : 0; }
  QVariant minimumStepSize() const override { return 1; }

  // The value as a text, every offset clamped.
  QString Numero() const { return Papel() && Papel()->Valor ? QString::number(Papel()->Valor()) : QString(); }
  int N() const { return static_cast<int>(Numero().size()); }
  void selection(int, int* inicio, int* fim) const override { *inicio = *fim = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int inicio, int fim) const override {
    inicio = std::clamp(inicio, 0, N());
    fim = fim < 0 ? N() : std::clamp(fim, 0, N());
    return fim > inicio ? Numero().mid(inicio, fim - inicio) : QString();
  }
  QString textBeforeOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoAntes(Numero(), p, t), inicio, fim);
  }
  QString textAfterOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoDepois(Numero(), p, t), inicio, fim);
  }
  QString textAtOffset(int p, QAccessible::TextBoundaryType t, int* inicio, int* fim) const override {
    return Dar(TrechoEm(Numero(), p, t), inicio, fim);
  }
  int characterCount() const override { return N(); }
  QRect characterRect(int) const override { return rect(); }
  int offsetAtPoint(const QPoint& ponto) const override { return rect().contains(ponto) ? 0 : -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* inicio, int* fim) const override {
    *inicio = 0;
    *fim = N();
    return {};
  }

 private:
  QString Dar(const TTrecho& t, int* inicio, int* fim) const {
    *inicio = t.inicio;
    *fim = t.fim;
    return t.Texto(Numero());
  }
};

// The message dialog reads as an alert named by its message, with its Ok
// button; the message is announced each time it comes up or changes.
void PrepararDialogo(TformDialog* d) {
  DarPapel(d, QAccessible::AlertMessage, [d] { return d->lblMensagem->text(); });
  DeixarDeFora(d->lblMensagem);  // read as the alert's name, not twice
  TImagem* btn = d->btn;
  DarPapel(btn, QAccessible::PushButton, [] { return QString::fromUtf8(varzeno::jogo::NomeAcessivel("btn")); })->Acionar = [btn] {
    btn->Premir();
    btn->Soltar();
  };
  // Coming up it is announced as an alert; a new message while it is up
  // (the dialog is raised again) renames it too.
  auto anunciado = std::make_shared<QString>();
  OuvirEventos(d, [d, anunciado](QEvent* e) {
    if (e->type() == QEvent::Show) {
      *anunciado = d->lblMensagem->text();
      AvisarAlerta(d);
    } else if (e->type() == QEvent::ZOrderChange && d->isVisible() && d->lblMensagem->text() != *anunciado) {
      *anunciado = d->lblMensagem->text();
      AvisarNome(d);
      AvisarAlerta(d);
    }
  });
}

// The role our interface takes by default for widgets of `classe`, or
// Client for Qt's own widgets the game described; none: Qt's own interface.
std::optional<QAccessible::Role> NossoPapel(const QString& classe, const QWidget* w) {
  if (classe == QLatin1String("TformDialog")) return QAccessible::AlertMessage;
  if (classe == QLatin1String("TImagem")) return QAccessible::Graphic;
  if (classe == QLatin1String("TUpDown")) return QAccessible::SpinBox;
  if (classe == QLatin1String("TForm1")) return QAccessible::Window;
  // The pages' holder is only layout: a reader says nothing for it.
  if (classe == QLatin1String("TNotebook")) return QAccessible::Pane;
  if (PapelDe(w) && (classe == QLatin1String("QWidget") || classe == QLatin1String("QLabel") ||
                     classe == QLatin1String("QScrollArea")))
    return QAccessible::Client;
  return std::nullopt;
}

QAccessibleInterface* Fabrica(const QString& classe, QObject* objeto) {
  if (!objeto || !objeto->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(objeto);
  // A name box: Qt's own text interface loops for ever on some queries.
  if (classe == QLatin1String("QLineEdit") && PapelDe(w)) return NovaInterfaceDeCaixa(static_cast<QLineEdit*>(w));
  const std::optional<QAccessible::Role> papel = NossoPapel(classe, w);
  if (!papel) return nullptr;
  // Only the widget is kept: what it says is read when asked, so an
  // interface made while its window is still being built (Qt 6.8 asks from
  // setWindowTitle) reads nothing that is not there yet.
  return new TInterface(w, *papel);
}

// Qt makes a label's interface as soon as its text is first set, before
// the game has described it, and a window's while it is being built, before
// it is of its own class: those interfaces of Qt's are dropped, so ours
// takes their place. Of the game's own widgets only the windows are asked
// for here: nothing else is made that no reader asked for.
void Renovar(QWidget* raiz) {
  QList<QWidget*> todos = raiz->findChildren<QWidget*>();
  todos.prepend(raiz);
  for (QWidget* w : todos) {
    const bool doJogo = w->inherits("TImagem") || w->inherits("TUpDown") || w->inherits("TForm1") ||
                        w->inherits("TNotebook") || w->inherits("TformDialog");
    if (doJogo ? !w->isWindow() : !PapelDe(w)) continue;
    QAccessibleInterface* feita = QAccessible::queryAccessibleInterface(w);
    if (feita && !dynamic_cast<TInterface*>(feita) && !EhInterfaceDeCaixa(feita))
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(feita));
  }
}

struct TPendente {
  QPointer<QWidget> raiz;
  std::function<void()> descrever;
};

QList<TPendente>& Pendentes() {
  static QList<TPendente> pendentes;
  return pendentes;
}

void DescreverPendentes() {
  const QList<TPendente> lista = std::exchange(Pendentes(), {});
  for (const TPendente& p : lista) {
    if (!p.raiz) continue;
    p.descrever();
    Renovar(p.raiz);
  }
}

class TObservador : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool ativo) override {
    if (ativo) DescreverPendentes();
  }
};

bool Decoracao(const QWidget* w) { return qobject_cast<const TImagem*>(w) && !PapelDe(w); }

bool Ausente(const QWidget* w) {
  const TPapelAcessivel* p = PapelDe(w);
  return p && p->Presente && !p->Presente();
}

bool Fora(const QWidget* w) {
  return w->property(kFora).toBool() || Decoracao(w) || Ausente(w) ||
         w->testAttribute(Qt::WA_TransparentForMouseEvents) || CobertoNoNivel(w);
}

// Whether a reader can reach `w` from its window.
bool NaArvore(const QWidget* w) {
  for (; w && !w->isWindow(); w = w->parentWidget())
    if (Fora(w)) return false;
  return w != nullptr;
}

// Qt tells readers of every label it changes, ours or not; a reader told of
// something it cannot reach from the window reads a name out of nowhere
// ("0", ": 00%"). Those are dropped; a child that has left is still told.
QAccessible::UpdateHandler g_anterior = nullptr;

void Filtrar(QAccessibleEvent* e) {
  QObject* o = e->object();
  if (o && o->isWidgetType() && e->type() != QAccessible::ObjectDestroyed && e->type() != QAccessible::ObjectHide &&
      !NaArvore(static_cast<QWidget*>(o)))
    return;
  if (g_anterior) return g_anterior(e);
  // Qt's own way to the bridge, with this filter out of its path.
  QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(e);
  QAccessible::installUpdateHandler(Filtrar);
}

class TOuvinte : public QObject {
 public:
  TOuvinte(QObject* alvo, std::function<void(QEvent*)> f) : QObject(alvo), f_(std::move(f)) {
    alvo->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    f_(e);
    return false;
  }

 private:
  std::function<void(QEvent*)> f_;
};

std::function<void(QAccessibleEvent*)>& Ouvinte() {
  static std::function<void(QAccessibleEvent*)> ouvinte;
  return ouvinte;
}

// Without a reader listening nothing is sent, and no interface is made.
void Enviar(QAccessibleEvent& e) {
  if (Ouvinte()) Ouvinte()(&e);
  if (QAccessible::isActive()) QAccessible::updateAccessibility(&e);
}

void Avisar(QWidget* w, QAccessible::Event tipo) {
  if (!w) return;
  QAccessibleEvent e(w, tipo);
  Enviar(e);
}

}  // namespace

TPapelAcessivel::TPapelAcessivel(QWidget* dono, QAccessible::Role papel, std::function<QString()> nome)
    : QObject(dono), Papel(papel), Nome(std::move(nome)) {
  setObjectName(QStringLiteral("varzenoPapelAcessivel"));
}

TPapelAcessivel* DarPapel(QWidget* w, QAccessible::Role papel, std::function<QString()> nome) {
  delete PapelDe(w);
  return new TPapelAcessivel(w, papel, std::move(nome));
}

TPapelAcessivel* PapelDe(const QWidget* w) {
  return w ? w->findChild<TPapelAcessivel*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void DeixarDeFora(QWidget* w) { w->setProperty(kFora, true); }

QList<QWidget*> FilhosAcessiveis(const QWidget* w) {
  QList<QWidget*> filhos;
  for (QObject* o : w->children()) {
    auto* f = qobject_cast<QWidget*>(o);
    // Windows are the application's children; see-through overlays are no
    // controls.
    if (!f || f->isWindow() || Fora(f)) continue;
    filhos << f;
  }
  return filhos;
}

void InstalarFabrica() {
  // Installed last, so it is asked first; for Qt's own classes too.
  [[maybe_unused]] static const bool instalada = [] {
    QAccessible::installFactory(Fabrica);
    g_anterior = QAccessible::installUpdateHandler(Filtrar);
    static TObservador observador;
    QAccessible::installActivationObserver(&observador);
    return true;
  }();
}

void QuandoHouverLeitor(QWidget* raiz, std::function<void()> descrever) {
  InstalarFabrica();
  Pendentes().append({raiz, std::move(descrever)});
  if (QAccessible::isActive()) DescreverPendentes();
}

void DescreverDialogo(TformDialog* d) {
  QuandoHouverLeitor(d, [d] { PrepararDialogo(d); });
}

void AvisarAlerta(QWidget* w) { Avisar(w, QAccessible::Alert); }
void AvisarNome(QWidget* w) { Avisar(w, QAccessible::NameChanged); }
void AvisarDescricao(QWidget* w) { Avisar(w, QAccessible::DescriptionChanged); }
// Qt 6.4 sends a reorder as children-changed signals of a malformed
// signature, which readers drop; an added or removed child is sent right.
void AvisarFilhos(QWidget* w) {
  if (!w) return;
  static QHash<const QWidget*, QList<QPointer<QWidget>>> vistos;
  const QList<QWidget*> agora = FilhosAcessiveis(w);
  const bool primeira = !vistos.contains(w);
  QList<QPointer<QWidget>>& antes = vistos[w];
  if (!primeira) {
    for (const QPointer<QWidget>& f : antes)
      if (f && !agora.contains(f.data())) Avisar(f, QAccessible::ObjectDestroyed);
    for (QWidget* f : agora)
      if (!antes.contains(f)) Avisar(f, QAccessible::ObjectCreated);
  }
  antes.clear();
  for (QWidget* f : agora) antes << f;
  if (primeira) QObject::connect(w, &QObject::destroyed, [w] { vistos.remove(w); });
}

void Anunciar(QWidget* janela, const QString& texto) {
  if (!janela || texto.isEmpty()) return;
  if (!QAccessible::isActive() && !Ouvinte()) return;
  auto* aviso = janela->findChild<QWidget*>(QStringLiteral("varzenoAnuncio"), Qt::FindDirectChildrenOnly);
  if (!aviso) {
    // Nothing to see or click: no size, drawn above the rest so nothing
    // covers it in the tree.
    aviso = new QWidget(janela);
    aviso->setObjectName(QStringLiteral("varzenoAnuncio"));
    aviso->setGeometry(0, 0, 0, 0);
    aviso->setProperty("varzenoTexto", QString());
    DarPapel(aviso, QAccessible::Notification, [aviso] { return aviso->property("varzenoTexto").toString(); });
    aviso->show();
  }
  aviso->raise();
  aviso->setProperty("varzenoTexto", texto);
  // The new name first: Orca 48 keeps the names it has read and would say
  // the last announcement again.
  Avisar(aviso, QAccessible::NameChanged);
  Avisar(aviso, QAccessible::ObjectShow);
}

void AvisarMarcado(QWidget* w) {
  if (!w) return;
  QAccessible::State mudou;
  mudou.checked = true;
  QAccessibleStateChangeEvent e(w, mudou);
  Enviar(e);
}

void AvisarValor(QWidget* w) {
  TPapelAcessivel* p = PapelDe(w);
  if (!p || !p->Valor) return;
  QAccessibleValueChangeEvent e(w, p->Valor());
  Enviar(e);
  // The number is the control's text too, and Orca 48 keeps the texts it
  // has read until told they changed.
  const QString agora = QString::number(p->Valor());
  if (agora == p->ValorDito) return;
  QAccessibleTextUpdateEvent t(w, 0, p->ValorDito, agora);
  Enviar(t);
  p->ValorDito = agora;
}

void OuvirAvisos(std::function<void(QAccessibleEvent*)> ouvinte) { Ouvinte() = std::move(ouvinte); }

void OuvirEventos(QObject* alvo, std::function<void(QEvent*)> f) { new TOuvinte(alvo, std::move(f)); }

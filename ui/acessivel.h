#pragma once
// What a screen reader learns about the window's controls. A described
// widget carries a TPapelAcessivel (a plain QObject child, so it never shows
// in the tree) giving its role, name, state and action; the interfaces read
// it each time they are asked, so names that follow the game (a candidate's
// name, an option's text) are always current. Picture boxes nobody described
// are decoration and stay out of the tree.

#include <QAccessible>
#include <QObject>
#include <functional>

class QEvent;
class QWidget;
class TformDialog;

class TPapelAcessivel : public QObject {
  Q_OBJECT
 public:
  TPapelAcessivel(QWidget* dono, QAccessible::Role papel, std::function<QString()> nome);

  QAccessible::Role Papel;
  std::function<QString()> Nome;
  std::function<QString()> Descricao;  // optional
  std::function<bool()> Marcado;       // radio buttons: the checked state
  // What pressing the control does; it runs from the event loop, as a click
  // would, so a handler that waits for the player does not hold the reader.
  std::function<void()> Acionar;
  // A whole value from Minimo to Maximo (spin buttons).
  std::function<int()> Valor;
  std::function<void(int)> DefinirValor;
  int Minimo = 0;
  int Maximo = 0;
  // The number as readers last were told it, for the text change to come.
  QString ValorDito;
  // Whether it is in the tree at all (an empty row is not); always if unset.
  std::function<bool()> Presente;
};

// Describes `w` (replacing an earlier description) and returns it for the
// optional parts.
TPapelAcessivel* DarPapel(QWidget* w, QAccessible::Role papel, std::function<QString()> nome);
TPapelAcessivel* PapelDe(const QWidget* w);
// Leaves `w`, and all under it, out of the accessible tree.
void DeixarDeFora(QWidget* w);
// The widget's children as a screen reader sees them: neither decoration,
// nor left out, nor covered by an opaque sibling drawn above them.
QList<QWidget*> FilhosAcessiveis(const QWidget* w);

// Puts the game's interfaces ahead of Qt's own; a window calls it before
// anything of it is made, since Qt may ask for its interface from then on.
void InstalarFabrica();

// The same, and runs `descrever` (which
// describes the widgets under `raiz`) once a screen reader listens: at once
// if one does, else when one comes.
void QuandoHouverLeitor(QWidget* raiz, std::function<void()> descrever);

// The message dialog once it is built: an alert named by its message, with
// its Ok button, announced each time it comes up or changes.
void DescreverDialogo(TformDialog* d);

// Tell a listening reader what changed.
void AvisarNome(QWidget* w);
void AvisarDescricao(QWidget* w);
void AvisarMarcado(QWidget* w);
void AvisarValor(QWidget* w);
// Rows that came into the tree or left it since the last notice, each as
// a child added or removed (the first notice only takes note).
void AvisarFilhos(QWidget* w);
void AvisarAlerta(QWidget* w);

// Says `texto` to a listening reader, as a notification of `janela` (Orca
// speaks one as it shows): for what changes where the focus is not.
void Anunciar(QWidget* janela, const QString& texto);

// Every notice above also goes to `ouvinte` when one is set, reader or not
// (tests); an empty function removes it.
void OuvirAvisos(std::function<void(QAccessibleEvent*)> ouvinte);

// Runs `f` for each event `alvo` receives, after its own handling is
// decided (the event is never stopped).
void OuvirEventos(QObject* alvo, std::function<void(QEvent*)> f);

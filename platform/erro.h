#pragma once
// The application's default error box: errors that no handler catches are
// shown with a stop sign and an Ok button, and the window stays usable.

#include <QApplication>
#include <QString>
#include <functional>

// Shows the error box with the error's text.
void MostrarErro(const QString& texto);

// Replaces the error box (tests put a recorder in its place). An empty
// function restores the standard box.
void DefinirCaixaDeErro(std::function<void(const QString&)> caixa);

// Runs a handler; an exception ends that handler and goes to the error box.
template <class F>
void Proteger(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    MostrarErro(QString::fromUtf8(e.what()));
  }
}

// The application object: anything an event handler throws ends that event
// only, reported in the error box.
class TAplicacao : public QApplication {
 public:
  TAplicacao(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
};

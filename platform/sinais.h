#pragma once
// The signals with which the desktop or a terminal ends a program: SIGTERM
// (logout, shutdown, kill), SIGINT (Ctrl+C) and SIGHUP (the terminal
// closed). Once the event loop runs, the first one becomes a Qt signal
// delivered by the loop, so the program can end in order rather than die
// where it stands. One that comes before the loop runs, or after that first
// one, ends the program at once, as if it were not caught: nothing can hold
// the program against them.

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

class TSinaisDeSaida : public QObject {
  Q_OBJECT
 public:
  static constexpr std::array<int, 3> kSinais{SIGTERM, SIGINT, SIGHUP};

  // Catches the three from now on. One object at a time.
  explicit TSinaisDeSaida(QObject* pai = nullptr);
  // From the event loop's start on (a zero timer), the first signal is a
  // request; until then every signal ends the program at once.
  void AtenderNoLaco();
  // Gives them back the handling they had before.
  ~TSinaisDeSaida() override;

  // The first signal that came, 0 while none has.
  int Recebido() const { return recebido_; }

 signals:
  // Once for every signal that came, from the event loop.
  void Pedido(int sinal);

 private:
  void Ler();

  QSocketNotifier* notificador_ = nullptr;
  int recebido_ = 0;
  std::array<struct sigaction, kSinais.size()> anteriores_{};
};

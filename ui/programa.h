#pragma once
// The program: its main window and its message dialog, created in this
// order and wired together.

#include "Unit1.h"
#include "Unit2.h"

struct TPrograma {
  TPrograma();
  TForm1 Form1;
  TformDialog formDialog;
};

class TSinaisDeSaida;

// Ends the program the close button's way (Form1.Encerrar ends the event
// loop; the main window's destruction then writes jogo.ini), however it is
// told to end: a signal (kill, logout, Ctrl+C, the terminal closed), the
// desktop session's end, or the application told to quit. None of them
// waits for the player: a message on screen or the chart being drawn does
// not hold it back.
class TSaidaDoPrograma : public QObject {
 public:
  TSaidaDoPrograma(TPrograma& programa, TSinaisDeSaida& sinais);

  // The end, asked for once; later asks change nothing. `semCaixa`: no one
  // may be there to answer a box (a signal, the session's end), so a file
  // that cannot be written at exit is reported on standard error instead.
  void Sair(bool semCaixa);

 protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;

 private:
  TPrograma& programa_;
  bool saindo_ = false;
};

// The whole program, from the application object to the end of its event
// loop. `aoCriar` runs once the windows exist (used by measurements).
int ExecutarJogo(int argc, char** argv, const std::function<void(TPrograma&)>& aoCriar = {});

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

// The whole program, from the application object to the end of its event
// loop. `aoCriar` runs once the windows exist (used by measurements).
int ExecutarJogo(int argc, char** argv, const std::function<void(TPrograma&)>& aoCriar = {});

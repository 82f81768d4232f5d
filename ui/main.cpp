#include "programa.h"

int main(int argc, char** argv) { return ExecutarJogo(argc, argv); }

// Linked into the tests and benchmarks, which do not live beside the sound
// module: points them at the build tree's module. The game itself finds the
// module beside it or where it is installed.
#include "som.h"

namespace {
[[maybe_unused]] const bool kDefinido = (DefinirModuloDeSom(QStringLiteral(VARZENO_MODULO_SOM_CONSTRUCAO)), true);
}

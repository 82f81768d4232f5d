// The pictures and the default sound of the game are compiled into this
// library as Qt resources under the prefix /assets (":/assets/Imp.bmp",
// "qrc:/assets/padrao.wav"); the build links their registration into every
// program that uses the library. This file only gives the library a body.
namespace varzeno::assets {
int versaoDosRecursos() { return 1; }
}  // namespace varzeno::assets

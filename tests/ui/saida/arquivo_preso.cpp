// Preloaded into the game, it stands in for jogo.ini on a network mount that
// stopped answering: opening the file never returns. It says so on standard
// error first, so a test knows the start is stuck there.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstring>

namespace {

bool Preso(const char* caminho) {
  if (!caminho) return false;
  const char* nome = std::strrchr(caminho, '/');
  return std::strcmp(nome ? nome + 1 : caminho, "jogo.ini") == 0;
}

void Esperar() {
  static const char aviso[] = "arquivo_preso: jogo.ini não responde\n";
  [[maybe_unused]] const ssize_t n = write(2, aviso, sizeof aviso - 1);
  for (;;) pause();  // a caught signal returns here, as from a hung read
}

mode_t Modo(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

#define ABRIR(nome)                                                                        \
  extern "C" int nome(const char* caminho, int flags, ...) {                               \
    va_list args;                                                                          \
    va_start(args, flags);                                                                 \
    const mode_t modo = Modo(flags, args);                                                 \
    va_end(args);                                                                          \
    if (Preso(caminho)) Esperar();                                                         \
    auto real = reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, #nome)); \
    return real(caminho, flags, modo);                                                     \
  }

#define ABRIR_EM(nome)                                                                          \
  extern "C" int nome(int pasta, const char* caminho, int flags, ...) {                         \
    va_list args;                                                                               \
    va_start(args, flags);                                                                      \
    const mode_t modo = Modo(flags, args);                                                      \
    va_end(args);                                                                               \
    if (Preso(caminho)) Esperar();                                                              \
    auto real = reinterpret_cast<int (*)(int, const char*, int, ...)>(dlsym(RTLD_NEXT, #nome)); \
    return real(pasta, caminho, flags, modo);                                                   \
  }

ABRIR(open)
ABRIR(open64)
ABRIR_EM(openat)
ABRIR_EM(openat64)

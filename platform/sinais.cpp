#include "sinais.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <stdexcept>

namespace {

// The handler only writes the signal's number into a pipe that the event
// loop watches: write() is safe in a handler, Qt is not. The pipe is made
// once and never closed, so a handler still running on another thread while
// the handling is given back never writes into a reused descriptor.
int g_pipe[2] = {-1, -1};

void CriarPipe() {
  static std::once_flag feito;
  std::call_once(feito, [] {
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
      throw std::runtime_error("Não foi possível criar o pipe dos sinais");
  });
}

// 0: the event loop is not running yet; 1: it runs, and the first signal
// will be a request; 2: a request was made.
std::atomic<int> g_estado{0};
static_assert(std::atomic<int>::is_always_lock_free, "used from a signal handler");

extern "C" void AoSinal(int sinal) {
  int atendendo = 1;
  if (!g_estado.compare_exchange_strong(atendendo, 2)) {
    // Before the loop nothing would answer a request (start-up may be stuck
    // reading a file), and a second signal says the first was not enough:
    // the signal's own action, at once. It is blocked while its handler
    // runs, so it strikes as the handler returns.
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
    return;
  }
  const int erro = errno;
  const auto byte = static_cast<unsigned char>(sinal);
  // A full pipe already holds a request to end.
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
  errno = erro;
}

}  // namespace

TSinaisDeSaida::TSinaisDeSaida(QObject* pai) : QObject(pai) {
  CriarPipe();
  g_estado = 0;
  // Left over from an earlier object: not a request to this one.
  unsigned char resto[64];
  while (read(g_pipe[0], resto, sizeof resto) > 0) {
  }
  notificador_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notificador_, &QSocketNotifier::activated, this, &TSinaisDeSaida::Ler);

  struct sigaction acao {};
  acao.sa_handler = AoSinal;
  sigemptyset(&acao.sa_mask);
  acao.sa_flags = SA_RESTART;  // the calls a signal interrupts carry on
  for (size_t i = 0; i < kSinais.size(); ++i) sigaction(kSinais[i], &acao, &anteriores_[i]);
}

void TSinaisDeSaida::AtenderNoLaco() {
  QTimer::singleShot(0, this, [] {
    int antes = 0;
    g_estado.compare_exchange_strong(antes, 1);
  });
}

TSinaisDeSaida::~TSinaisDeSaida() {
  for (size_t i = 0; i < kSinais.size(); ++i) sigaction(kSinais[i], &anteriores_[i], nullptr);
}

void TSinaisDeSaida::Ler() {
  unsigned char sinais[64];
  ssize_t n;
  while ((n = read(g_pipe[0], sinais, sizeof sinais)) > 0) {
    for (ssize_t i = 0; i < n; ++i) {
      if (!recebido_) recebido_ = sinais[i];
      emit Pedido(sinais[i]);
    }
  }
}

#pragma once
// What the play benchmarks share: the game's real window on an X server,
// driven by real pointer input (the XTEST extension moves the server's own
// pointer, so every event comes back through the server and Qt's xcb
// plugin, exactly as a player's would), clocks and summaries.
//
// libX11 and libXtst are opened at run time: their runtime libraries come
// with the desktop packages the game already installs, their headers may not.

#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tela_x.h"

namespace bancada {

using Relogio = std::chrono::steady_clock;

inline double Ms(Relogio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// One connection of our own to the X server, on which XTEST moves the real
// pointer and presses its buttons. Use one per thread.
class TPonteiro {
 public:
  TPonteiro() {
    x11_ = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    xtst_ = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!x11_ || !xtst_) return;
    abrir_ = reinterpret_cast<void* (*)(const char*)>(dlsym(x11_, "XOpenDisplay"));
    fechar_ = reinterpret_cast<int (*)(void*)>(dlsym(x11_, "XCloseDisplay"));
    flush_ = reinterpret_cast<int (*)(void*)>(dlsym(x11_, "XFlush"));
    sync_ = reinterpret_cast<int (*)(void*, int)>(dlsym(x11_, "XSync"));
    consulta_ = reinterpret_cast<int (*)(void*, int*, int*, int*, int*)>(dlsym(xtst_, "XTestQueryExtension"));
    mover_ = reinterpret_cast<int (*)(void*, int, int, int, unsigned long)>(dlsym(xtst_, "XTestFakeMotionEvent"));
    botao_ = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(dlsym(xtst_, "XTestFakeButtonEvent"));
    if (!abrir_ || !fechar_ || !flush_ || !sync_ || !consulta_ || !mover_ || !botao_) return;
    tela_ = abrir_(nullptr);
    int a, b, c, d;
    if (tela_ && !consulta_(tela_, &a, &b, &c, &d)) {
      fechar_(tela_);
      tela_ = nullptr;
    }
  }
  ~TPonteiro() {
    if (tela_) fechar_(tela_);
    if (xtst_) dlclose(xtst_);
    if (x11_) dlclose(x11_);
  }
  TPonteiro(const TPonteiro&) = delete;
  TPonteiro& operator=(const TPonteiro&) = delete;

  bool Pronto() const { return tela_ != nullptr; }
  // Sent at once (flushed); the server queues the events to the game.
  void Mover(QPoint global) {
    mover_(tela_, -1, global.x(), global.y(), 0);
    flush_(tela_);
  }
  void Apertar(bool baixo) {
    botao_(tela_, 1, baixo ? 1 : 0, 0);
    flush_(tela_);
  }
  // Waits until the server has handled everything sent so far.
  void Sincronizar() { sync_(tela_, 0); }

 private:
  void* x11_ = nullptr;
  void* xtst_ = nullptr;
  void* tela_ = nullptr;
  void* (*abrir_)(const char*) = nullptr;
  int (*fechar_)(void*) = nullptr;
  int (*flush_)(void*) = nullptr;
  int (*sync_)(void*, int) = nullptr;
  int (*consulta_)(void*, int*, int*, int*, int*) = nullptr;
  int (*mover_)(void*, int, int, int, unsigned long) = nullptr;
  int (*botao_)(void*, unsigned, int, unsigned long) = nullptr;
};

// Processes the window's events until `ate` holds, sleeping between events;
// false when `limiteMs` passed first.
inline bool EsperarAte(const std::function<bool()>& ate, int limiteMs = 20000) {
  QElapsedTimer t;
  t.start();
  while (!ate()) {
    if (t.elapsed() > limiteMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!ate()) usleep(200);
  }
  return true;
}

// Lets the window handle what is pending for a while.
inline void Folgar(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    usleep(500);
  }
}

// Sees the mouse buttons' releases as they reach the program's windows:
// counts them, and remembers when the last one arrived.
class TOlheiroDeCliques : public QObject {
 public:
  int soltos = 0;
  std::vector<Relogio::time_point> quando;  // of every release, in order
  bool eventFilter(QObject* alvo, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && alvo->isWindowType()) {
      quando.push_back(Relogio::now());
      ++soltos;
    }
    return false;
  }
};

// A real click at the middle of a widget, through the X server; returns once
// the release has been handled by the game. False if it never arrived.
inline bool Clicar(TPonteiro& p, TOlheiroDeCliques& olheiro, QWidget* w) {
  const QPoint alvo = w->mapToGlobal(w->rect().center());
  p.Mover(alvo);
  p.Apertar(true);
  const int antes = olheiro.soltos;
  p.Apertar(false);
  // The release is handled by the time processEvents returns after seeing it.
  return EsperarAte([&] { return olheiro.soltos > antes; }, 5000);
}

struct TResumo {
  size_t n = 0;
  double mediana = 0, p99 = 0, pior = 0, media = 0;
};

inline TResumo Resumir(std::vector<double> v) {
  TResumo r;
  r.n = v.size();
  if (v.empty()) return r;
  std::sort(v.begin(), v.end());
  r.mediana = v[v.size() / 2];
  r.p99 = v[std::min(v.size() - 1, static_cast<size_t>(std::ceil(0.99 * static_cast<double>(v.size()))) - 1)];
  r.pior = v.back();
  double s = 0;
  for (double x : v) s += x;
  r.media = s / static_cast<double>(v.size());
  return r;
}

inline const char* Veredito(bool ok) { return ok ? "PASS" : "FAIL"; }

}  // namespace bancada

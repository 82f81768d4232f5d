#pragma once
// Shared by the two measured programs: report, right after a window's first
// paint, the monotonic clock and the peak memory, then leave at once.

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <ctime>

inline long PicoDeMemoriaKb() {
  QFile f("/proc/self/status");
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& linha : f.readAll().split('\n'))
    if (linha.startsWith("VmHWM:")) return linha.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

class TPrimeiraPintura : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !visto_) {
      visto_ = true;
      // Once this paint has been delivered and flushed.
      QTimer::singleShot(0, [] {
        timespec t;
        clock_gettime(CLOCK_MONOTONIC, &t);
        std::printf("%lld %ld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec, PicoDeMemoriaKb());
        std::fflush(stdout);
        _exit(0);
      });
    }
    return false;
  }

 private:
  bool visto_ = false;
};

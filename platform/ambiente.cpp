#include "ambiente.h"

#include <QtGlobal>

bool UsarXWayland(const QByteArray& waylandDisplay, const QByteArray& display, const QByteArray& plataforma) {
  return !waylandDisplay.isEmpty() && !display.isEmpty() && plataforma.isEmpty();
}

void EscolherPlataforma() {
  if (UsarXWayland(qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM")))
    qputenv("QT_QPA_PLATFORM", "xcb");
}

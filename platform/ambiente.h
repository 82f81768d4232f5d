#pragma once
// Choice of the windowing platform before the application starts.

#include <QByteArray>

// True when the game should run through XWayland: a Wayland session that
// also offers an X display, and no platform chosen by the user. The outline
// and the dragging of a borderless window need X11.
bool UsarXWayland(const QByteArray& waylandDisplay, const QByteArray& display, const QByteArray& plataforma);

// Applies the choice to this process's environment.
void EscolherPlataforma();

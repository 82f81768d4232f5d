#pragma once
// Fontconfig reads its configuration and its caches on first use, which is
// a good part of the window's start-up. Begun on a side thread before the
// application object exists, that reading overlaps the connection to the
// display instead of following it.

#include <thread>

class TFontesAntecipadas {
 public:
  TFontesAntecipadas();
  ~TFontesAntecipadas();
  TFontesAntecipadas(const TFontesAntecipadas&) = delete;
  TFontesAntecipadas& operator=(const TFontesAntecipadas&) = delete;

  // Waits for the reading to end; call before the first text is laid out,
  // so that fontconfig is never brought up twice at once.
  void Esperar();

 private:
  std::thread leitura_;
};

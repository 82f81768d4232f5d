// A small hand-written synthesiser: additive and FM voices with envelopes,
// drums from shaped noise, a room reverb, and a 16-bit PCM wave writer.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace sintese {

inline constexpr int kTaxa = 22050;  // samples per second, mono

double frequencia(int midi);  // equal temperament, A4 = 440 Hz

// Attack, decay, sustain level and release, in seconds.
struct Envelope {
  double ataque = 0.01, decaimento = 0.1, sustentacao = 0.7, soltura = 0.1;
  // Level at time t after the note starts, the note being held for `duracao`.
  double nivel(double t, double duracao) const;
};

// Deterministic noise, so every run writes the same files.
class Ruido {
 public:
  explicit Ruido(std::uint32_t semente) : estado_(semente) {}
  double proximo();  // uniform in [-1, 1]

 private:
  std::uint32_t estado_;
};

class Faixa {
 public:
  explicit Faixa(double segundos) : s_(size_t(segundos * kTaxa) + 1, 0.0f) {}

  // Adds `v` at sample index i (ignored past the end).
  void somar(long i, double v) {
    if (i >= 0 && size_t(i) < s_.size()) s_[size_t(i)] += float(v);
  }
  size_t tamanho() const { return s_.size(); }
  std::vector<float>& amostras() { return s_; }
  const std::vector<float>& amostras() const { return s_; }
  void misturar(const Faixa& outra, double ganho);

 private:
  std::vector<float> s_;
};

// Instruments. `t0` is the start in seconds, `dur` how long the note is held.
struct Metal {  // brass: FM with the brightness following the envelope
  double brilho = 3.2, vibrato = 0.004, abertura = 0.0;
  double queda = 0.0;  // semitones the pitch sags over the last part of the note
  Envelope env{0.035, 0.12, 0.78, 0.10};
};
void tocarMetal(Faixa& f, double t0, double dur, double freq, double amp, const Metal& m = {});
void tocarDedilhado(Faixa& f, double t0, double freq, double amp, double decaimento = 1.0);  // plucked strings
void tocarBaixo(Faixa& f, double t0, double dur, double freq, double amp);
void tocarSino(Faixa& f, double t0, double freq, double amp, double duracao);
void tocarBumbo(Faixa& f, double t0, double amp);
void tocarSurdo(Faixa& f, double t0, double amp, bool aberto);
void tocarCaixa(Faixa& f, double t0, double amp, Ruido& r);
void tocarChimbal(Faixa& f, double t0, double amp, double decaimento, Ruido& r);
void tocarPrato(Faixa& f, double t0, double amp, Ruido& r);
void tocarRufo(Faixa& f, double t0, double dur, double amp, Ruido& r);  // snare roll, swelling

// Schroeder room: parallel combs into all-passes, mixed in at `molhado`.
void reverberar(Faixa& f, double molhado, double tamanho = 1.0);

// Scales the peak to `pico`, rounds the curve near full scale, and fades the
// last `fim` seconds to silence so the sound ends without a click.
void finalizar(Faixa& f, double pico, double fim);

bool gravarWav(const QString& caminho, const Faixa& f);

}  // namespace sintese

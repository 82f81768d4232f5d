// The game's four wave files: the campaign jingle, the win fanfare, the loss
// "sad trombone" and the short ding played in place of a missing sound.
#include <QDir>
#include <cstdio>
#include <vector>

#include "arte.h"
#include "sintese.h"

namespace arte {
namespace {

using namespace sintese;

struct Nota {
  double batida, duracao;
  int midi;
};

struct Acorde {
  std::vector<int> notas;  // strummed voicing
  int baixo;               // bass root
};

bool gravar(const QString& pasta, const char* nome, const Faixa& f) {
  const QString caminho = QDir(pasta).filePath(QString::fromLatin1(nome));
  if (!gravarWav(caminho, f)) {
    std::fprintf(stderr, "falha ao gravar %s\n", qPrintable(caminho));
    return false;
  }
  std::printf("%-14s %5.2f s\n", nome, double(f.tamanho()) / kTaxa);
  return true;
}

// A 120 bpm campaign jingle in C major: two bars of drums and brass hits, the
// tune twice (the second time answered an octave below), and a final chord.
Faixa jingle() {
  const double batida = 0.5, compasso = 4 * batida;
  // Ten bars, then the closing chord and its ring.
  Faixa mix(10 * compasso + 2.6);
  Faixa melodia(mix.tamanho() / double(kTaxa));
  Faixa base(mix.tamanho() / double(kTaxa));
  Faixa bateria(mix.tamanho() / double(kTaxa));
  Ruido ruido(20240611u);

  const Acorde C{{60, 64, 67}, 36}, Am{{57, 60, 64}, 45}, F{{57, 60, 65}, 41}, G{{55, 59, 62}, 43},
      G7{{55, 59, 62, 65}, 43}, Dm{{57, 62, 65}, 38};
  // Chords per half bar.
  const std::vector<Acorde> harmonia{C, C, G7, G7, C, C, Am, Am, F, F, G, G, C, C, Am, Am, Dm, G7, C, C, C, C};

  // Tune, in beats from the start of the A section (bar 2).
  const std::vector<Nota> tema{
      {0, 1, 72},  {1, .5, 76},  {1.5, .5, 79},  {2, 1, 79},     {3, 1, 76},   // C
      {4, 1, 81},  {5, .5, 79},  {5.5, .5, 76},  {6, 2, 72},                   // Am
      {8, 1, 77},  {9, .5, 81},  {9.5, .5, 77},  {10, 1, 72},    {11, 1, 74},  // F
      {12, 1, 74}, {13, .5, 71}, {13.5, .5, 74}, {14, 2, 79},                  // G
      {16, 1, 72}, {17, .5, 76}, {17.5, .5, 79}, {18, 1, 79},    {19, 1, 76},  // C
      {20, 1, 81}, {21, .5, 84}, {21.5, .5, 81}, {22, 2, 79},                  // Am
      {24, 1, 77}, {25, 1, 81},  {26, .5, 79},   {26.5, .5, 77}, {27, 1, 74},  // Dm G7
      {28, 1, 76}, {29, 1, 74},  {30, 2, 72},                                  // C
  };
  const double inicioTema = 2 * compasso;
  Metal trompete;
  trompete.brilho = 3.4;
  for (const Nota& n : tema) {
    const double t = inicioTema + n.batida * batida;
    tocarMetal(melodia, t, n.duracao * batida * 0.88, frequencia(n.midi), 0.34, trompete);
    if (n.batida >= 16) {  // second time round, a soft horn an octave below
      Metal trompa;
      trompa.brilho = 1.4;
      tocarMetal(melodia, t, n.duracao * batida * 0.88, frequencia(n.midi - 12), 0.13, trompa);
    }
  }
  // Pick-up into the tune: a quick G A B.
  for (int i = 0; i < 3; ++i)
    tocarMetal(melodia, inicioTema - batida + i * batida / 3, batida / 3 * 0.85,
               frequencia(67 + (i == 0   ? 0
                                : i == 1 ? 2
                                         : 4)),
               0.28, trompete);

  // Brass hits of the intro and the closing chord.
  Metal naipe;
  naipe.brilho = 2.8;
  naipe.vibrato = 0;
  auto golpe = [&](double t, double dur, const std::vector<int>& notas, double amp) {
    for (int m : notas) tocarMetal(melodia, t, dur, frequencia(m), amp, naipe);
  };
  golpe(0, 0.28, {64, 67, 72}, 0.13);
  golpe(1.5 * batida, 0.18, {64, 67, 72}, 0.11);
  golpe(2 * batida, 0.35, {64, 67, 72}, 0.12);
  golpe(compasso, 0.28, {62, 65, 71}, 0.13);
  golpe(compasso + 1.5 * batida, 0.18, {62, 65, 71}, 0.11);
  golpe(compasso + 2 * batida, 0.35, {62, 65, 71}, 0.12);
  const double fim = 10 * compasso;
  naipe.vibrato = 0.003;
  golpe(fim, 1.7, {60, 64, 67, 72, 76}, 0.11);
  golpe(fim - batida / 2, batida / 2 * 0.8, {64, 67, 72}, 0.08);  // anticipation

  // Strummed chords in a syncopated samba pattern, and the bass.
  const int padrao[6] = {0, 3, 6, 8, 10, 13};
  for (int c = 0; c < 10; ++c) {
    for (int k : padrao) {
      const double t = c * compasso + k * batida / 4;
      const Acorde& a = harmonia[size_t(2 * c + (k >= 8 ? 1 : 0))];
      const bool paraCima = (k % 2) == 1;
      const double forca = (k == 3 || k == 10) ? 0.085 : 0.065;
      for (size_t i = 0; i < a.notas.size(); ++i) {
        const size_t j = paraCima ? a.notas.size() - 1 - i : i;
        tocarDedilhado(base, t + 0.007 * i, frequencia(a.notas[j]), forca, 1.6);
      }
    }
    const Acorde& a1 = harmonia[size_t(2 * c)];
    const Acorde& a2 = harmonia[size_t(2 * c + 1)];
    const double t = c * compasso;
    tocarBaixo(base, t, 0.7 * batida, frequencia(a1.baixo), 0.36);
    tocarBaixo(base, t + 1.5 * batida, 0.4 * batida, frequencia(a1.baixo + 7), 0.28);
    tocarBaixo(base, t + 2 * batida, 0.7 * batida, frequencia(a2.baixo), 0.36);
    tocarBaixo(base, t + 3.5 * batida, 0.4 * batida, frequencia(a2.baixo + 7), 0.28);
  }
  for (int m : {48, 52, 55, 60, 64}) tocarDedilhado(base, fim + 0.01 * (m - 48) / 4, frequencia(m), 0.08, 0.5);
  tocarBaixo(base, fim, 1.6, frequencia(36), 0.40);

  // Drums: bass drum on 1 and 3, surdo and a light snare on 2 and 4, a
  // shaker on every sixteenth, crashes where the tune starts and ends.
  for (int c = 0; c < 10; ++c) {
    const double t = c * compasso;
    tocarBumbo(bateria, t, 0.72);
    tocarBumbo(bateria, t + 2 * batida, 0.62);
    for (int b : {1, 3}) {
      tocarSurdo(bateria, t + b * batida, 0.45, true);
      tocarCaixa(bateria, t + b * batida, 0.26, ruido);
    }
    tocarSurdo(bateria, t + 2.5 * batida, 0.22, false);
    for (int s = 0; s < 16; ++s) {
      const double acento = (s % 4 == 2) ? 0.5 : (s % 2 ? 0.28 : 0.36);
      tocarChimbal(bateria, t + s * batida / 4, 0.21 * acento, 60, ruido);
    }
    if (c == 5 || c == 9)  // a fill into the next phrase
      for (int s = 12; s < 16; ++s) tocarCaixa(bateria, t + s * batida / 4, 0.18 + 0.05 * (s - 12), ruido);
  }
  tocarPrato(bateria, 2 * compasso, 0.30, ruido);
  tocarPrato(bateria, 6 * compasso, 0.28, ruido);
  tocarPrato(bateria, fim, 0.36, ruido);
  tocarBumbo(bateria, fim, 0.95);
  tocarSurdo(bateria, fim, 0.5, true);

  reverberar(melodia, 0.22);
  reverberar(base, 0.12);
  mix.misturar(melodia, 1.0);
  mix.misturar(base, 0.9);
  mix.misturar(bateria, 0.75);
  finalizar(mix, 0.89, 0.35);
  return mix;
}

// Trumpets: ta-ta-ta taaa, ta TAAAA on a C major chord, with timpani and a crash.
Faixa fanfarra() {
  Faixa mix(3.9);
  Faixa metais(3.9), percussao(3.9);
  Ruido ruido(777u);
  Metal t;
  t.brilho = 3.8;
  t.env = {0.02, 0.08, 0.8, 0.08};
  const double fim = 1.16;
  const std::vector<Nota> chamada{
      {0.00, 0.10, 67}, {0.13, 0.10, 67}, {0.26, 0.10, 67}, {0.39, 0.48, 72}, {0.93, 0.18, 67}};
  for (const Nota& n : chamada) {
    tocarMetal(metais, n.batida, n.duracao, frequencia(n.midi), 0.32, t);
    tocarMetal(metais, n.batida, n.duracao, frequencia(n.midi - 5), 0.16, t);  // a fourth below
  }
  Metal longo = t;
  longo.vibrato = 0.006;
  longo.env = {0.03, 0.15, 0.85, 0.35};
  for (int m : {72, 76, 79}) tocarMetal(metais, fim, 1.6, frequencia(m), 0.22, longo);
  Metal trombone = longo;
  trombone.brilho = 2.2;
  for (int m : {48, 55, 60}) tocarMetal(metais, fim, 1.6, frequencia(m), 0.20, trombone);

  tocarRufo(percussao, 0.0, 0.38, 0.12, ruido);
  tocarSurdo(percussao, 0.39, 0.6, true);
  tocarSurdo(percussao, 0.93, 0.4, false);
  tocarSurdo(percussao, fim, 0.8, true);
  tocarBumbo(percussao, fim, 0.7);
  tocarPrato(percussao, fim, 0.32, ruido);
  tocarRufo(percussao, fim + 0.6, 0.9, 0.07, ruido);
  tocarSurdo(percussao, fim + 1.55, 0.7, true);

  reverberar(metais, 0.25);
  mix.misturar(metais, 1.0);
  mix.misturar(percussao, 0.8);
  finalizar(mix, 0.89, 0.3);
  return mix;
}

// Wah, wah, wah, waaah: a muted trombone sliding down by semitones.
Faixa trombone() {
  Faixa mix(3.3);
  Metal m;
  m.brilho = 2.6;
  m.abertura = 0.3;
  m.vibrato = 0.0;
  m.env = {0.07, 0.22, 0.55, 0.09};
  const int notas[4] = {55, 54, 53, 52};
  for (int i = 0; i < 3; ++i) {
    tocarMetal(mix, 0.05 + 0.46 * i, 0.36, frequencia(notas[i]), 0.40, m);
    tocarMetal(mix, 0.05 + 0.46 * i, 0.36, frequencia(notas[i] - 12), 0.14, m);
  }
  Metal ultimo = m;
  ultimo.env = {0.08, 0.35, 0.7, 0.3};
  ultimo.vibrato = 0.028;
  ultimo.queda = 1.2;
  tocarMetal(mix, 0.05 + 0.46 * 3, 1.35, frequencia(notas[3]), 0.42, ultimo);
  tocarMetal(mix, 0.05 + 0.46 * 3, 1.35, frequencia(notas[3] - 12), 0.15, ultimo);
  reverberar(mix, 0.15);
  finalizar(mix, 0.85, 0.25);
  return mix;
}

// A short neutral ding.
Faixa ding() {
  Faixa mix(0.38);
  tocarSino(mix, 0.0, 987.77, 0.6, 0.38);  // B5
  tocarSino(mix, 0.0, 1975.5, 0.12, 0.38);
  finalizar(mix, 0.70, 0.08);
  return mix;
}

}  // namespace

bool gerarSons(const QString& pasta) {
  bool ok = true;
  ok = gravar(pasta, "musica.wav", jingle()) && ok;
  ok = gravar(pasta, "Ganhou.wav", fanfarra()) && ok;
  ok = gravar(pasta, "Perdeu.wav", trombone()) && ok;
  ok = gravar(pasta, "padrao.wav", ding()) && ok;
  return ok;
}

}  // namespace arte

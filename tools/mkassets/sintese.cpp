#include "sintese.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>

namespace sintese {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDoisPi = 2 * kPi;

long amostra(double t) { return long(std::lround(t * kTaxa)); }

// A one-pole high-pass, enough to turn white noise into a hiss.
struct PassaAlta {
  double anterior = 0, saida = 0, a = 0.85;
  double operator()(double x) {
    saida = a * (saida + x - anterior);
    anterior = x;
    return saida;
  }
};

}  // namespace

double frequencia(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

double Envelope::nivel(double t, double duracao) const {
  auto segurado = [this](double u) {
    if (u < 0) return 0.0;
    if (u < ataque) return u / ataque;
    if (u < ataque + decaimento) return 1.0 - (1.0 - sustentacao) * (u - ataque) / decaimento;
    return sustentacao;
  };
  if (t < duracao) return segurado(t);
  const double x = (t - duracao) / soltura;
  if (x >= 1) return 0.0;
  return segurado(duracao) * (1 - x) * (1 - x);
}

double Ruido::proximo() {
  estado_ = estado_ * 1664525u + 1013904223u;
  return double(estado_ >> 8) / double(1u << 23) - 1.0;
}

void Faixa::misturar(const Faixa& outra, double ganho) {
  const size_t n = std::min(s_.size(), outra.s_.size());
  for (size_t i = 0; i < n; ++i) s_[i] += float(ganho * outra.s_[i]);
}

void tocarMetal(Faixa& f, double t0, double dur, double freq, double amp, const Metal& m) {
  const double total = dur + m.env.soltura;
  const long i0 = amostra(t0), n = amostra(total);
  // Two slightly detuned voices make a small section instead of one horn.
  for (double desvio : {1.0, 1.0028}) {
    double fase = 0, faseMod = 0;
    const double ganho = desvio == 1.0 ? amp : amp * 0.45;
    for (long i = 0; i < n; ++i) {
      const double t = double(i) / kTaxa;
      const double e = m.env.nivel(t, dur);
      if (e <= 0 && t > dur) break;
      const double profundidade = m.vibrato * std::clamp((t - 0.18) / 0.25, 0.0, 1.0);
      const double caida = m.queda * std::clamp((t - 0.55 * dur) / (0.45 * dur), 0.0, 1.0);
      const double fInst =
          freq * desvio * std::pow(2.0, -caida / 12) * (1 + profundidade * std::sin(kDoisPi * 5.6 * t));
      const double indice = m.abertura + m.brilho * std::pow(e, 1.3);
      fase += kDoisPi * fInst / kTaxa;
      faseMod += kDoisPi * fInst / kTaxa;
      f.somar(i0 + i, ganho * e * std::sin(fase + indice * std::sin(faseMod)));
    }
  }
}

void tocarDedilhado(Faixa& f, double t0, double freq, double amp, double decaimento) {
  // Long enough for the fundamental to die away (exp(-7)) before it is cut.
  const long i0 = amostra(t0), n = amostra(7.0 / ((3.0 + 1.9) * decaimento));
  for (int h = 1; h <= 10; ++h) {
    const double fh = freq * h;
    if (fh > kTaxa * 0.45) break;
    const double a = amp / std::pow(h, 1.15) * (h == 2 ? 0.8 : 1.0);
    const double k = (3.0 + 1.9 * h) * decaimento;
    for (long i = 0; i < n; ++i) {
      const double t = double(i) / kTaxa;
      const double ataque = std::min(1.0, t / 0.003);
      f.somar(i0 + i, a * ataque * std::exp(-k * t) * std::sin(kDoisPi * fh * t));
    }
  }
}

void tocarBaixo(Faixa& f, double t0, double dur, double freq, double amp) {
  const Envelope env{0.008, 0.05, 0.85, 0.07};
  const long i0 = amostra(t0), n = amostra(dur + env.soltura);
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    const double e = env.nivel(t, dur) * std::exp(-1.8 * t);
    const double x = std::sin(kDoisPi * freq * t) + 0.32 * std::sin(kDoisPi * 2 * freq * t) +
                     0.10 * std::sin(kDoisPi * 3 * freq * t);
    f.somar(i0 + i, amp * e * x);
  }
}

void tocarSino(Faixa& f, double t0, double freq, double amp, double duracao) {
  // Inharmonic partials of a small bell; the high ones die first.
  struct Parcial {
    double razao, ganho, queda;
  };
  const std::array<Parcial, 5> parciais{
      {{1.0, 1.0, 9}, {2.0, 0.42, 13}, {3.01, 0.22, 18}, {4.17, 0.12, 24}, {5.43, 0.07, 30}}};
  const long i0 = amostra(t0), n = amostra(duracao);
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    const double ataque = std::min(1.0, t / 0.002);
    double x = 0;
    for (const Parcial& p : parciais) x += p.ganho * std::exp(-p.queda * t) * std::sin(kDoisPi * freq * p.razao * t);
    f.somar(i0 + i, amp * ataque * x);
  }
}

void tocarBumbo(Faixa& f, double t0, double amp) {
  const long i0 = amostra(t0), n = amostra(0.7);
  double fase = 0;
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    fase += kDoisPi * (46 + 120 * std::exp(-t * 30)) / kTaxa;
    f.somar(i0 + i, amp * std::exp(-t * 10) * std::sin(fase));
  }
}

void tocarSurdo(Faixa& f, double t0, double amp, bool aberto) {
  const long i0 = amostra(t0), n = amostra(aberto ? 1.4 : 0.35);
  double fase = 0;
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    fase += kDoisPi * (64 + 26 * std::exp(-t * 22)) / kTaxa;
    const double e = std::exp(-t * (aberto ? 5.0 : 20.0));
    f.somar(i0 + i, amp * e * (std::sin(fase) + 0.25 * std::sin(2 * fase)));
  }
}

void tocarCaixa(Faixa& f, double t0, double amp, Ruido& r) {
  const long i0 = amostra(t0), n = amostra(0.4);
  PassaAlta pa;
  pa.a = 0.7;
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    const double chiado = pa(r.proximo()) * std::exp(-t * 17);
    const double corpo = std::sin(kDoisPi * 185 * t) * std::exp(-t * 28);
    f.somar(i0 + i, amp * (0.75 * chiado + 0.45 * corpo));
  }
}

void tocarChimbal(Faixa& f, double t0, double amp, double decaimento, Ruido& r) {
  const long i0 = amostra(t0), n = amostra(7.0 / decaimento);
  PassaAlta a, b;
  a.a = b.a = 0.6;
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    f.somar(i0 + i, amp * b(a(r.proximo())) * std::exp(-t * decaimento));
  }
}

void tocarPrato(Faixa& f, double t0, double amp, Ruido& r) {
  const long i0 = amostra(t0), n = amostra(3.2);
  PassaAlta a, b;
  a.a = b.a = 0.75;
  for (long i = 0; i < n; ++i) {
    const double t = double(i) / kTaxa;
    const double e = 0.55 * std::exp(-t * 2.0) + 0.45 * std::exp(-t * 12);
    // a little ring under the wash
    const double anel = 0.12 * std::sin(kDoisPi * 3150 * t) + 0.08 * std::sin(kDoisPi * 4730 * t);
    f.somar(i0 + i, amp * e * (b(a(r.proximo())) + anel));
  }
}

void tocarRufo(Faixa& f, double t0, double dur, double amp, Ruido& r) {
  const double passo = 1.0 / 26;
  for (double t = 0; t < dur; t += passo) {
    const double u = t / dur;
    tocarCaixa(f, t0 + t, amp * (0.25 + 0.75 * u * u) * (int(t / passo) % 2 ? 0.85 : 1.0), r);
  }
}

void reverberar(Faixa& f, double molhado, double tamanho) {
  auto& s = f.amostras();
  const std::array<int, 4> atrasosPente{558, 594, 638, 678};
  const std::array<int, 2> atrasosPassaTudo{278, 170};
  std::vector<double> saida(s.size(), 0.0);
  for (int d0 : atrasosPente) {
    const size_t d = size_t(d0 * tamanho);
    std::vector<double> linha(d, 0.0);
    double filtro = 0;
    size_t k = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      const double y = linha[k];
      filtro = y * 0.72 + filtro * 0.28;  // the room swallows the highs
      linha[k] = s[i] + filtro * 0.80;
      k = (k + 1) % d;
      saida[i] += y * 0.25;
    }
  }
  for (int d0 : atrasosPassaTudo) {
    const size_t d = size_t(d0 * tamanho);
    std::vector<double> linha(d, 0.0);
    size_t k = 0;
    for (double& x : saida) {
      const double atrasado = linha[k];
      const double y = -x + atrasado;
      linha[k] = x + atrasado * 0.5;
      k = (k + 1) % d;
      x = y;
    }
  }
  for (size_t i = 0; i < s.size(); ++i) s[i] += float(molhado * saida[i]);
}

void finalizar(Faixa& f, double pico, double fim) {
  auto& s = f.amostras();
  // Remove any offset the drums left behind.
  double anterior = 0, saida = 0;
  for (float& x : s) {
    saida = x - anterior + 0.999 * saida;
    anterior = x;
    x = float(saida);
  }
  double maior = 0;
  for (float x : s) maior = std::max(maior, double(std::abs(x)));
  if (maior <= 0) return;
  const double ganho = pico / maior;
  const size_t nFim = size_t(fim * kTaxa);
  for (size_t i = 0; i < s.size(); ++i) {
    double x = s[i] * ganho;
    x = std::tanh(x * 1.1) / std::tanh(1.1);  // soft shoulder near full scale
    if (i + nFim >= s.size() && nFim > 0) {
      const double u = double(s.size() - 1 - i) / double(nFim);
      x *= 0.5 - 0.5 * std::cos(kPi * std::clamp(u, 0.0, 1.0));
    }
    s[i] = float(x);
  }
}

bool gravarWav(const QString& caminho, const Faixa& f) {
  QFile arq(caminho);
  if (!arq.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const auto& s = f.amostras();
  const quint32 bytesDados = quint32(s.size() * 2);
  QByteArray d;
  auto u32 = [&d](quint32 v) {
    for (int i = 0; i < 4; ++i) d.append(char((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&d](quint16 v) {
    d.append(char(v & 0xFF));
    d.append(char(v >> 8));
  };
  d.append("RIFF");
  u32(36 + bytesDados);
  d.append("WAVE");
  d.append("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kTaxa);
  u32(kTaxa * 2);
  u16(2);
  u16(16);
  d.append("data");
  u32(bytesDados);
  for (float x : s) {
    const long v = std::lround(std::clamp(double(x), -1.0, 1.0) * 32767.0);
    u16(quint16(qint16(v)));
  }
  return arq.write(d) == d.size();
}

}  // namespace sintese

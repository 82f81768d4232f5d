#include "jpeg_por_blocos.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "limites.h"

namespace {

constexpr int kFimDoArquivo = 0x100;  // stands for a marker when the file ends
// A component has one first DC scan and at most 13 refinements; a file
// with far more would only make the reader go over every block again.
constexpr int kMaxVarredurasDc = 64;

bool Rst(int marcador) { return marcador >= 0xD0 && marcador <= 0xD7; }

[[noreturn]] void Falhar(const QString& mensagem) { throw std::runtime_error(mensagem.toUtf8().toStdString()); }

[[noreturn]] void Danificada(const QString& caminho, const char* motivo) {
  Falhar(QStringLiteral("A figura \"%1\" está danificada ou não é um arquivo %2 válido (%3)")
             .arg(caminho, QFileInfo(caminho).suffix().toUpper(), QString::fromUtf8(motivo)));
}

// The file's bytes, read ahead a block at a time.
class TBytes {
 public:
  explicit TBytes(QIODevice& d) : d_(d), buf_(64 * 1024) {}
  // The next byte, or -1 at the end of the file.
  int Ler() {
    if (pos_ == fim_ && !Encher()) return -1;
    return static_cast<unsigned char>(buf_[size_t(pos_++)]);
  }
  int Ler16() {
    const int a = Ler(), b = Ler();
    return a < 0 || b < 0 ? -1 : (a << 8) | b;
  }
  bool Pular(qint64 n) {
    while (n > 0) {
      if (pos_ == fim_ && !Encher()) return false;
      const qint64 k = std::min(n, fim_ - pos_);
      pos_ += k;
      n -= k;
    }
    return true;
  }

 private:
  bool Encher() {
    pos_ = 0;
    fim_ = std::max<qint64>(0, d_.read(buf_.data(), qint64(buf_.size())));
    return fim_ > 0;
  }
  QIODevice& d_;
  std::vector<char> buf_;
  qint64 pos_ = 0, fim_ = 0;
};

// The next marker: skips what comes before it, stuffed bytes and, unless
// asked for, restart markers. kFimDoArquivo at the end.
int ProximoMarcador(TBytes& b, bool comReinicio) {
  for (;;) {
    int c = b.Ler();
    if (c < 0) return kFimDoArquivo;
    if (c != 0xFF) continue;
    do c = b.Ler();
    while (c == 0xFF);
    if (c < 0) return kFimDoArquivo;
    if (c != 0 && (comReinicio || !Rst(c))) return c;
  }
}

// The coded data's bits. A marker ends them; zeros follow, as libjpeg
// feeds a scan cut short.
class TBits {
 public:
  explicit TBits(TBytes& b) : b_(b) {}
  int Bit() {
    if (n_ == 0) Encher();
    return (byte_ >> --n_) & 1;
  }
  int Bits(int k) {
    int v = 0;
    while (k-- > 0) v = (v << 1) | Bit();
    return v;
  }
  // At a restart: the rest of the byte is padding, the restart marker
  // comes next.
  void Reiniciar() {
    n_ = 0;
    if (marcador < 0) marcador = ProximoMarcador(b_, true);
    if (Rst(marcador)) {
      marcador = -1;
      semDados_ = false;
    }
  }
  // Whether the data has ended and bits were asked beyond it: libjpeg
  // then leaves the blocks until the next restart as they were.
  bool SemDados() const { return semDados_; }
  // The marker after the scan.
  int Fim() {
    if (marcador < 0 || Rst(marcador)) marcador = ProximoMarcador(b_, false);
    return marcador;
  }
  int marcador = -1;  // the marker that ended the data, once met

 private:
  void Encher() {
    byte_ = 0;
    n_ = 8;
    if (marcador >= 0) return void(semDados_ = true);
    int c = b_.Ler();
    if (c == 0xFF) {
      int d;
      do d = b_.Ler();
      while (d == 0xFF);
      if (d == 0) return void(byte_ = 0xFF);
      marcador = d < 0 ? kFimDoArquivo : d;
      return void(semDados_ = true);
    }
    if (c < 0) {
      marcador = kFimDoArquivo;
      return void(semDados_ = true);
    }
    byte_ = c;
  }
  TBytes& b_;
  int byte_ = 0, n_ = 0;
  bool semDados_ = false;
};

// A DC Huffman table, decoded code length by code length.
struct THuffman {
  bool definida = false;
  int menor[17] = {}, maior[17] = {}, indice[17] = {};
  unsigned char valores[256] = {};

  bool Montar(const unsigned char* contagens, const unsigned char* vals, int n) {
    int codigo = 0, k = 0;
    for (int l = 1; l <= 16; ++l) {
      const int c = contagens[l - 1];
      indice[l] = k;
      menor[l] = codigo;
      maior[l] = c ? codigo + c - 1 : -1;
      codigo += c;
      k += c;
      if (codigo > (1 << l)) return false;  // more codes than the length holds
      codigo <<= 1;
    }
    if (k != n) return false;
    std::copy(vals, vals + n, valores);
    definida = true;
    return true;
  }

  int Decodificar(TBits& bits) const {
    int codigo = 0;
    for (int l = 1; l <= 16; ++l) {
      codigo = (codigo << 1) | bits.Bit();
      if (codigo <= maior[l] && codigo >= menor[l]) return valores[indice[l] + codigo - menor[l]];
    }
    return 0;  // no such code: damaged data, read as no change
  }
};

struct TComponente {
  int id = 0, h = 1, v = 1, tq = 0;
  int q0 = -1;  // the DC quantizer, taken at the component's first scan
  int blocosX = 0, blocosY = 0;  // its grid in the interleaved layout
  int usadosX = 0, usadosY = 0;  // the blocks a scan of it alone covers
  std::vector<int16_t> dc;
  int64_t previsto = 0;
};

struct TQuadro {
  bool lido = false;
  int largura = 0, altura = 0, hMax = 1, vMax = 1, mcusX = 0, mcusY = 0;
  std::vector<TComponente> c;
};

int Teto(int64_t a, int64_t b) { return int((a + b - 1) / b); }

int16_t Int16(int64_t v) { return int16_t(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

int Extender(int v, int s) { return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v; }

// The frame header; false for a frame this reader is not for.
bool LerQuadro(const QByteArray& s, TQuadro& q, const QString& caminho) {
  if (q.lido) Danificada(caminho, "dois quadros");
  if (s.size() < 6) Danificada(caminho, "cabeçalho do quadro curto");
  const auto u = [&](int i) { return static_cast<unsigned char>(s[i]); };
  const int precisao = u(0), n = u(5);
  q.altura = (u(1) << 8) | u(2);
  q.largura = (u(3) << 8) | u(4);
  if (precisao != 8 || q.altura == 0 || (n != 1 && n != 3)) return false;
  if (s.size() != 6 + 3 * n) Danificada(caminho, "cabeçalho do quadro de tamanho errado");
  if (q.largura == 0) Danificada(caminho, "largura zero");
  if (!FotoCabeNoLimite(QSize(q.largura, q.altura)))
    Falhar(MensagemFotoGrande(caminho, QSize(q.largura, q.altura)));
  for (int i = 0; i < n; ++i) {
    TComponente c;
    c.id = u(6 + 3 * i);
    c.h = u(7 + 3 * i) >> 4;
    c.v = u(7 + 3 * i) & 15;
    c.tq = u(8 + 3 * i);
    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.tq > 3) Danificada(caminho, "componente inválido");
    for (const TComponente& outro : q.c)
      if (outro.id == c.id) Danificada(caminho, "componente repetido");
    q.c.push_back(c);
  }
  // One component is never interleaved: one block a unit, whatever its
  // sampling says.
  if (n == 1) q.c[0].h = q.c[0].v = 1;
  for (const TComponente& c : q.c) {
    q.hMax = std::max(q.hMax, c.h);
    q.vMax = std::max(q.vMax, c.v);
  }
  for (const TComponente& c : q.c)
    if (q.hMax % c.h || q.vMax % c.v) return false;
  q.mcusX = Teto(q.largura, 8 * q.hMax);
  q.mcusY = Teto(q.altura, 8 * q.vMax);
  for (TComponente& c : q.c) {
    c.blocosX = q.mcusX * c.h;
    c.blocosY = q.mcusY * c.v;
    c.usadosX = Teto(Teto(int64_t(q.largura) * c.h, q.hMax), 8);
    c.usadosY = Teto(Teto(int64_t(q.altura) * c.v, q.vMax), 8);
  }
  q.lido = true;
  return true;
}

void LerTabelasHuffman(const QByteArray& s, THuffman (&dc)[4], const QString& caminho) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.constData());
  const unsigned char* fim = p + s.size();
  while (p < fim) {
    if (fim - p < 17) Danificada(caminho, "tabela de Huffman curta");
    const int classe = p[0] >> 4, id = p[0] & 15;
    int n = 0;
    for (int i = 1; i <= 16; ++i) n += p[i];
    if (classe > 1 || id > 3 || n > 256 || fim - p < 17 + n) Danificada(caminho, "tabela de Huffman inválida");
    // The detail tables serve scans this reader skips.
    if (classe == 0 && !dc[id].Montar(p + 1, p + 17, n)) Danificada(caminho, "tabela de Huffman inválida");
    p += 17 + n;
  }
}

void LerQuantizadores(const QByteArray& s, int (&q0)[4], const QString& caminho) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.constData());
  const unsigned char* fim = p + s.size();
  while (p < fim) {
    const int largura = p[0] >> 4, id = p[0] & 15;
    const int tamanho = 1 + 64 * (largura ? 2 : 1);
    if (largura > 1 || id > 3 || fim - p < tamanho) Danificada(caminho, "tabela de quantização inválida");
    q0[id] = largura ? (p[1] << 8) | p[2] : p[1];
    p += tamanho;
  }
}

// One scan of DC terms, first or refining; the detail scans are skipped by
// the caller.
struct TVarredura {
  std::vector<TComponente*> c;
  std::vector<const THuffman*> tabela;
  int ah = 0, al = 0;
};

void LerVarreduraDc(TBits& bits, TQuadro& q, const TVarredura& v, int intervalo, const std::stop_token& parar,
                    const QString& caminho) {
  const auto bloco = [&](size_t k, int x, int y) {
    TComponente& c = *v.c[k];
    int16_t& dc = c.dc[size_t(y) * size_t(c.blocosX) + size_t(x)];
    if (v.ah) {
      if (bits.Bit()) dc = int16_t(uint16_t(dc) | uint16_t(1u << v.al));
      return;
    }
    const int s = std::min(v.tabela[k]->Decodificar(bits), 16);
    const int diferenca = s ? Extender(bits.Bits(s), s) : 0;
    c.previsto = std::clamp<int64_t>(c.previsto + diferenca, -(1 << 20), 1 << 20);
    dc = Int16(c.previsto * (int64_t(1) << v.al));
  };
  int unidades = 0;
  // Starts a unit; false when the data has run out before it.
  const auto unidade = [&] {
    if (intervalo && unidades > 0 && unidades % intervalo == 0) {
      bits.Reiniciar();
      for (TComponente* c : v.c) c->previsto = 0;
    }
    ++unidades;
    return !bits.SemDados();
  };
  const auto interrompida = [&] {
    if (parar.stop_requested()) Falhar(QStringLiteral("A leitura da figura \"%1\" foi interrompida").arg(caminho));
  };
  if (v.c.size() == 1) {
    const TComponente& c = *v.c[0];
    for (int y = 0; y < c.usadosY; ++y, interrompida())
      for (int x = 0; x < c.usadosX; ++x)
        if (unidade()) bloco(0, x, y);
    return;
  }
  for (int my = 0; my < q.mcusY; ++my, interrompida())
    for (int mx = 0; mx < q.mcusX; ++mx) {
      if (!unidade()) continue;
      for (size_t k = 0; k < v.c.size(); ++k)
        for (int y = 0; y < v.c[k]->v; ++y)
          for (int x = 0; x < v.c[k]->h; ++x) bloco(k, mx * v.c[k]->h + x, my * v.c[k]->v + y);
    }
}

// The scan header; false for a detail scan.
bool LerCabecalhoDaVarredura(const QByteArray& s, TQuadro& q, const THuffman (&dc)[4], const int (&q0)[4],
                             TVarredura& v, const QString& caminho) {
  const auto u = [&](int i) { return static_cast<unsigned char>(s[i]); };
  if (s.isEmpty()) Danificada(caminho, "cabeçalho da varredura curto");
  const int n = u(0);
  if (n < 1 || n > 4 || s.size() != 4 + 2 * n) Danificada(caminho, "cabeçalho da varredura inválido");
  const int ss = u(1 + 2 * n), se = u(2 + 2 * n);
  v.ah = u(3 + 2 * n) >> 4;
  v.al = u(3 + 2 * n) & 15;
  if (ss != 0) return false;
  if (se != 0 || v.ah > 13 || v.al > 13) Danificada(caminho, "varredura inválida");
  int blocosPorUnidade = 0;
  for (int i = 0; i < n; ++i) {
    const int id = u(1 + 2 * i), tabela = u(2 + 2 * i) >> 4;
    const auto c = std::find_if(q.c.begin(), q.c.end(), [&](const TComponente& x) { return x.id == id; });
    if (c == q.c.end() || std::find(v.c.begin(), v.c.end(), &*c) != v.c.end())
      Danificada(caminho, "varredura de um componente que o quadro não tem");
    // A refining scan reads plain bits, whatever table it names.
    if (!v.ah && (tabela > 3 || !dc[tabela].definida)) Danificada(caminho, "tabela de Huffman ausente");
    if (c->q0 < 0) {
      if (q0[c->tq] < 0) Danificada(caminho, "tabela de quantização ausente");
      c->q0 = q0[c->tq];
    }
    if (c->dc.empty()) c->dc.assign(size_t(c->blocosX) * size_t(c->blocosY), 0);
    c->previsto = 0;
    blocosPorUnidade += c->h * c->v;
    v.c.push_back(&*c);
    v.tabela.push_back(v.ah ? nullptr : &dc[tabela]);
  }
  if (n > 1 && blocosPorUnidade > 10) Danificada(caminho, "varredura com blocos demais");
  return true;
}

uchar Amostra(int v) { return uchar(std::clamp(v, 0, 255)); }

// Each block's value as libjpeg gives it at 1/8 of the size, in colour.
QImage MontarImagem(const TQuadro& q, bool rgb) {
  QImage imagem(Teto(q.largura, 8), Teto(q.altura, 8), QImage::Format_RGB32);
  if (imagem.isNull()) return imagem;
  const auto valor = [&](const TComponente& c, int x, int y) {
    if (c.dc.empty()) return 128;
    const int gx = x * c.h / q.hMax, gy = y * c.v / q.vMax;
    const int64_t d = int64_t(c.dc[size_t(gy) * size_t(c.blocosX) + size_t(gx)]) * c.q0;
    return int(std::clamp<int64_t>(((d + 4) >> 3) + 128, 0, 255));
  };
  constexpr int kUmMeio = 1 << 15;
  const auto fixo = [](double x) { return int(x * 65536 + 0.5); };
  for (int y = 0; y < imagem.height(); ++y) {
    auto* linha = reinterpret_cast<QRgb*>(imagem.scanLine(y));
    for (int x = 0; x < imagem.width(); ++x) {
      const int a = valor(q.c[0], x, y);
      if (q.c.size() == 1) {
        linha[x] = qRgb(a, a, a);
        continue;
      }
      const int b = valor(q.c[1], x, y), c = valor(q.c[2], x, y);
      if (rgb) {
        linha[x] = qRgb(a, b, c);
        continue;
      }
      // YCbCr to RGB in libjpeg's fixed point.
      const int cb = b - 128, cr = c - 128;
      const int r = a + ((fixo(1.40200) * cr + kUmMeio) >> 16);
      const int g = a + ((-fixo(0.34414) * cb + kUmMeio - fixo(0.71414) * cr) >> 16);
      const int bl = a + ((fixo(1.77200) * cb + kUmMeio) >> 16);
      linha[x] = qRgb(Amostra(r), Amostra(g), Amostra(bl));
    }
  }
  return imagem;
}

}  // namespace

QImage LerJpegProgressivoReduzido(QIODevice& origem, int lado, const QString& caminho, std::stop_token parar) {
  TBytes bytes(origem);
  if (bytes.Ler() != 0xFF || bytes.Ler() != 0xD8) return {};
  TQuadro quadro;
  THuffman dc[4];
  int q0[4] = {-1, -1, -1, -1};
  int intervalo = 0, varreduras = 0, varredurasDc = 0;
  bool jfif = false, adobe = false;
  int transformacaoAdobe = 1;
  int marcador = ProximoMarcador(bytes, false);
  const auto segmento = [&] {
    const int n = bytes.Ler16();
    if (n < 2) Danificada(caminho, "segmento cortado");
    QByteArray s(n - 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i) {
      const int c = bytes.Ler();
      if (c < 0) Danificada(caminho, "segmento cortado");
      s[i] = char(c);
    }
    return s;
  };
  for (;;) {
    if (marcador == 0xD9 || marcador == kFimDoArquivo) break;
    if (marcador == 0xC2) {
      if (!LerQuadro(segmento(), quadro, caminho)) return {};
      // Where 1/8 of the picture is too small for the slot, Qt's reader
      // decodes it whole, at little cost for a picture that small.
      if (Teto(std::max(quadro.largura, quadro.altura), 8) < lado) return {};
    } else if ((marcador >= 0xC0 && marcador <= 0xCF && marcador != 0xC4 && marcador != 0xC8 && marcador != 0xCC)) {
      return {};  // baseline, lossless, arithmetic-coded: Qt's reader
    } else if (marcador == 0xC4) {
      LerTabelasHuffman(segmento(), dc, caminho);
    } else if (marcador == 0xDB) {
      LerQuantizadores(segmento(), q0, caminho);
    } else if (marcador == 0xDD) {
      const QByteArray s = segmento();
      if (s.size() != 2) Danificada(caminho, "intervalo de reinício inválido");
      intervalo = (static_cast<unsigned char>(s[0]) << 8) | static_cast<unsigned char>(s[1]);
    } else if (marcador == 0xE0 || marcador == 0xEE) {
      const QByteArray s = segmento();
      if (marcador == 0xE0 && s.startsWith(QByteArray("JFIF\0", 5))) jfif = true;
      if (marcador == 0xEE && s.size() >= 12 && s.startsWith("Adobe")) {
        adobe = true;
        transformacaoAdobe = static_cast<unsigned char>(s[11]);
      }
    } else if (marcador == 0xDA) {
      if (!quadro.lido) Danificada(caminho, "varredura antes do quadro");
      TVarredura v;
      if (!LerCabecalhoDaVarredura(segmento(), quadro, dc, q0, v, caminho)) {
        marcador = ProximoMarcador(bytes, false);  // detail: skipped
        ++varreduras;
        continue;
      }
      if (++varredurasDc > kMaxVarredurasDc) Danificada(caminho, "varreduras demais");
      TBits bits(bytes);
      LerVarreduraDc(bits, quadro, v, intervalo, parar, caminho);
      ++varreduras;
      marcador = bits.Fim();
      continue;
    } else if (marcador == 0x01) {
      // A marker with no segment.
    } else if (marcador == 0xD8) {
      Danificada(caminho, "início de imagem repetido");
    } else {
      const int n = bytes.Ler16();  // any other segment: not needed
      if (n < 2 || !bytes.Pular(n - 2)) Danificada(caminho, "segmento cortado");
    }
    marcador = ProximoMarcador(bytes, false);
  }
  if (!quadro.lido || varreduras == 0) Danificada(caminho, "nenhuma varredura");
  // Three components are YCbCr unless the file says RGB, as libjpeg reads
  // them.
  bool rgb = false;
  if (quadro.c.size() == 3) {
    if (jfif) rgb = false;
    else if (adobe) rgb = transformacaoAdobe == 0;
    else rgb = quadro.c[0].id == 'R' && quadro.c[1].id == 'G' && quadro.c[2].id == 'B';
  }
  const QImage blocos = MontarImagem(quadro, rgb);
  if (blocos.isNull()) Falhar(MensagemFotoGrande(caminho, QSize(quadro.largura, quadro.altura)));
  const QSize alvo = ReduzirAoLado(QSize(quadro.largura, quadro.altura), lado);
  return blocos.scaled(alvo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

#include "png_reduzido.h"

#include <png.h>

#include <QtEndian>
#include <csetjmp>
#include <stdexcept>
#include <string>
#include <vector>

#include "limites.h"

namespace {

// What the libpng callbacks share with the reader. Plain data only: libpng
// leaves by longjmp, which must not skip a destructor.
struct TEstado {
  QIODevice* origem;
  char erro[200];
  bool truncado;
};

void LerDados(png_structp png, png_bytep dados, size_t n) {
  auto* estado = static_cast<TEstado*>(png_get_io_ptr(png));
  if (estado->origem->read(reinterpret_cast<char*>(dados), qint64(n)) != qint64(n)) {
    estado->truncado = true;
    png_error(png, "fim inesperado do arquivo");
  }
}

void Erro(png_structp png, png_const_charp mensagem) {
  auto* estado = static_cast<TEstado*>(png_get_error_ptr(png));
  qstrncpy(estado->erro, mensagem, sizeof estado->erro);
  png_longjmp(png, 1);
}

void Aviso(png_structp, png_const_charp) {}

// Sums of one reduced pixel: colours weighted by alpha, so that a
// transparent pixel lends no colour.
struct TSoma {
  quint64 r, g, b, a, n;
};

// The reading itself, under libpng's longjmp: nothing here owns memory.
// Returns 0 when done, 1 on a libpng error, 2 when the picture is beyond
// the limits (its size in `tamanho`), 3 when stopped.
int Ler(png_structp png, png_infop info, int lado, QSize* tamanho, QSize* alvo, std::vector<TSoma>* somas,
        std::vector<png_byte>* linha, const std::stop_token* parar) {
  if (setjmp(png_jmpbuf(png))) return 1;
  // The photo limits are checked below, with their own message.
  png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
  // Text and colour-profile chunks are skipped past this size.
  png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  *tamanho = QSize(int(w), int(h));
  if (!FotoCabeNoLimite(*tamanho)) return 2;

  png_set_expand(png);    // palette and small greys to 8 bits, transparency to alpha
  png_set_scale_16(png);  // 16 bits to 8, rounded
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  // No interlace handling: the rows of each pass come as they are, and
  // each pixel goes to its reduced pixel wherever it lies.
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) < size_t(w) * 4) png_error(png, "formato de linha inesperado");

  *alvo = ReduzirAoLado(*tamanho, lado);
  const int tw = alvo->width(), th = alvo->height();
  somas->assign(size_t(tw) * size_t(th), TSoma{});
  linha->resize(png_get_rowbytes(png, info));

  const bool entrelacado = png_get_interlace_type(png, info) == PNG_INTERLACE_ADAM7;
  const int passos = entrelacado ? 7 : 1;
  for (int passo = 0; passo < passos; ++passo) {
    const png_uint_32 colunas = entrelacado ? PNG_PASS_COLS(w, passo) : w;
    const png_uint_32 linhas = entrelacado ? PNG_PASS_ROWS(h, passo) : h;
    if (colunas == 0 || linhas == 0) continue;  // libpng skips empty passes too
    for (png_uint_32 i = 0; i < linhas; ++i) {
      if ((i & 63) == 0 && parar->stop_requested()) return 3;
      png_read_row(png, linha->data(), nullptr);
      const png_uint_32 y = entrelacado ? PNG_ROW_FROM_PASS_ROW(i, passo) : i;
      TSoma* fila = somas->data() + size_t(quint64(y) * th / h) * size_t(tw);
      const png_byte* p = linha->data();
      for (png_uint_32 j = 0; j < colunas; ++j, p += 4) {
        const png_uint_32 x = entrelacado ? PNG_COL_FROM_PASS_COL(j, passo) : j;
        TSoma& s = fila[quint64(x) * tw / w];
        s.r += quint64(p[0]) * p[3];
        s.g += quint64(p[1]) * p[3];
        s.b += quint64(p[2]) * p[3];
        s.a += p[3];
        ++s.n;
      }
    }
  }
  png_read_end(png, nullptr);
  return 0;
}

}  // namespace

QImage LerPngReduzido(QIODevice& origem, int lado, const QString& caminho, std::stop_token parar) {
  // The size stands in the header, first of all: a picture beyond the
  // limits is refused as such, whatever follows it.
  const QByteArray cabeca = origem.peek(24);
  if (cabeca.size() == 24 && cabeca.startsWith("\x89PNG\r\n\x1a\n") && cabeca.mid(12, 4) == "IHDR") {
    const QSize declarado(int(qMin<quint32>(qFromBigEndian<quint32>(cabeca.constData() + 16), 0x7FFFFFFF)),
                          int(qMin<quint32>(qFromBigEndian<quint32>(cabeca.constData() + 20), 0x7FFFFFFF)));
    if (!FotoCabeNoLimite(declarado))
      throw std::runtime_error(MensagemFotoGrande(caminho, declarado).toUtf8().toStdString());
  }
  TEstado estado{&origem, {}, false};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &estado, Erro, Aviso);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    throw std::bad_alloc();
  }
  png_set_read_fn(png, &estado, LerDados);
  QSize tamanho, alvo;
  std::vector<TSoma> somas;
  std::vector<png_byte> linha;
  const int resultado = Ler(png, info, lado, &tamanho, &alvo, &somas, &linha, &parar);
  png_destroy_read_struct(&png, &info, nullptr);

  auto falhar = [&](const QString& mensagem) { throw std::runtime_error(mensagem.toUtf8().toStdString()); };
  if (resultado == 1)
    falhar(QStringLiteral("A figura \"%1\" está danificada ou não é um arquivo PNG válido (%2)")
               .arg(caminho, QString::fromUtf8(estado.erro)));
  if (resultado == 2) falhar(MensagemFotoGrande(caminho, tamanho));
  if (resultado == 3) falhar(QStringLiteral("A leitura da figura \"%1\" foi interrompida").arg(caminho));

  QImage imagem(alvo, QImage::Format_ARGB32);
  if (imagem.isNull()) throw std::bad_alloc();
  for (int y = 0; y < alvo.height(); ++y) {
    auto* destino = reinterpret_cast<QRgb*>(imagem.scanLine(y));
    const TSoma* s = somas.data() + size_t(y) * size_t(alvo.width());
    for (int x = 0; x < alvo.width(); ++x, ++s) {
      if (s->a == 0) {
        destino[x] = 0;
        continue;
      }
      destino[x] = qRgba(int((s->r + s->a / 2) / s->a), int((s->g + s->a / 2) / s->a), int((s->b + s->a / 2) / s->a),
                         int((s->a + s->n / 2) / s->n));
    }
  }
  return imagem;
}

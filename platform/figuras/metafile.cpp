#include "metafile.h"

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cmath>
#include <stdexcept>
#include <string>

#include "limites.h"

namespace metafile {

namespace {

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmrEof = 14;
constexpr uint32_t kAssinaturaEmf = 0x464D4520;  // " EMF"
constexpr qsizetype kCabecalhoEmfMinimo = 88;
constexpr uint32_t kChavePosicionavel = 0x9AC6CDD7;  // placeable WMF header
// libemf2svg reads each record by the layout of its type without holding it
// to the record's size, so a short last record would send it past the end
// of the buffer; zeros after the chain keep those reads inside.
constexpr qsizetype kFolga = 64 * 1024;

uint16_t LerU16(const QByteArray& b, qsizetype pos) { return qFromLittleEndian<uint16_t>(b.constData() + pos); }
uint32_t LerU32(const QByteArray& b, qsizetype pos) { return qFromLittleEndian<uint32_t>(b.constData() + pos); }
int32_t LerI32(const QByteArray& b, qsizetype pos) { return qFromLittleEndian<int32_t>(b.constData() + pos); }

[[noreturn]] void Falhar(const std::string& mensagem) { throw std::runtime_error(mensagem); }

}  // namespace

QSize ReduzirAoLimite(double largura, double altura, int ladoMaximo) {
  if (!(largura >= 1) || !(altura >= 1) || !std::isfinite(largura) || !std::isfinite(altura))
    Falhar("tamanho inválido no cabeçalho do metafile");
  double escala = std::min(
      {1.0, std::min(ladoMaximo, kLadoMaximoFigura) / largura, std::min(ladoMaximo, kLadoMaximoFigura) / altura});
  escala = std::min(escala, std::sqrt(double(kPixelsMaximosFigura) / (largura * altura)));
  const int l = std::max(1, int(std::floor(largura * escala)));
  const int a = std::max(1, int(std::floor(altura * escala)));
  return {l, a};
}

qsizetype VerificarCadeiaEmf(const QByteArray& emf) {
  const qsizetype n = emf.size();
  if (n < kCabecalhoEmfMinimo || LerU32(emf, 0) != kEmrHeader || LerU32(emf, 40) != kAssinaturaEmf)
    Falhar("não é um metafile EMF (cabeçalho ausente)");
  qsizetype pos = 0;
  while (pos + 8 <= n) {
    const uint32_t tipo = LerU32(emf, pos);
    const uint32_t tamanho = LerU32(emf, pos + 4);
    if (tamanho < 8 || tamanho % 4 != 0 || tamanho > uint64_t(n - pos))
      Falhar("registro EMF inválido na posição " + std::to_string(pos));
    if (pos == 0 && tamanho < kCabecalhoEmfMinimo) Falhar("cabeçalho EMF curto demais");
    pos += tamanho;
    if (tipo == kEmrEof) return pos;
  }
  Falhar("metafile EMF truncado (sem registro EMR_EOF)");
}

qsizetype VerificarCadeiaWmf(const QByteArray& wmf) {
  const qsizetype n = wmf.size();
  qsizetype pos = 0;
  if (n >= 22 && LerU32(wmf, 0) == kChavePosicionavel) pos = 22;
  if (n - pos < 18) Falhar("não é um metafile WMF (cabeçalho ausente)");
  const uint16_t tipo = LerU16(wmf, pos), palavrasCabecalho = LerU16(wmf, pos + 2);
  const uint32_t maiorRegistro = LerU32(wmf, pos + 12);
  if ((tipo != 1 && tipo != 2) || palavrasCabecalho != 9) Falhar("não é um metafile WMF (cabeçalho inválido)");
  if (maiorRegistro < 3 || maiorRegistro > uint64_t(n - pos) / 2)
    Falhar("metafile WMF danificado (tamanho de registro no cabeçalho)");
  pos += 18;
  while (pos + 6 <= n) {
    const uint32_t palavras = LerU32(wmf, pos);
    const uint16_t funcao = LerU16(wmf, pos + 4);
    if (palavras < 3 || palavras > maiorRegistro || palavras > uint64_t(n - pos) / 2)
      Falhar("registro WMF inválido na posição " + std::to_string(pos));
    pos += qsizetype(palavras) * 2;
    if (funcao == 0) return pos;
  }
  Falhar("metafile WMF truncado (sem registro de fim)");
}

QSize TamanhoEmf(const QByteArray& emf, int ladoMaximo) {
  VerificarCadeiaEmf(emf);
  // The frame, in hundredths of a millimetre; 2540 of them make 96 pixels.
  const double l = LerI32(emf, 24), t = LerI32(emf, 28), r = LerI32(emf, 32), b = LerI32(emf, 36);
  double largura = (r - l) * 96.0 / 2540.0, altura = (b - t) * 96.0 / 2540.0;
  if (!(largura >= 1 && altura >= 1)) {
    // No usable frame: the bounds, in device pixels, inclusive.
    largura = double(LerI32(emf, 16)) - LerI32(emf, 8) + 1;
    altura = double(LerI32(emf, 20)) - LerI32(emf, 12) + 1;
  }
  return ReduzirAoLimite(std::round(largura), std::round(altura), ladoMaximo);
}

QByteArray EmfParaSvg(const QByteArray& emf, QSize tamanho) {
  QByteArray copia = emf.left(VerificarCadeiaEmf(emf));
  const qsizetype tamanhoCadeia = copia.size();
  copia.append(kFolga, '\0');

  generatorOptions opcoes{};
  char prefixo[] = "";
  opcoes.nameSpace = prefixo;
  opcoes.verbose = false;
  opcoes.emfplus = true;
  opcoes.svgDelimiter = true;
  opcoes.imgWidth = tamanho.width();
  opcoes.imgHeight = tamanho.height();
  char* svg = nullptr;
  size_t tamanhoSvg = 0;
  const int ok = emf2svg(copia.data(), size_t(tamanhoCadeia), &svg, &tamanhoSvg, &opcoes);
  QByteArray resultado = svg ? QByteArray(svg, qsizetype(tamanhoSvg)) : QByteArray();
  free(svg);
  if (!ok || resultado.isEmpty()) Falhar("metafile EMF danificado (libemf2svg não o converteu)");
  return resultado;
}

QImage DesenharSvg(const QByteArray& svg, QSize tamanho) {
  QSvgRenderer desenhista(svg);
  if (!desenhista.isValid()) Falhar("metafile EMF danificado (SVG inválido)");
  QImage imagem(tamanho, QImage::Format_ARGB32_Premultiplied);
  if (imagem.isNull()) Falhar("memória insuficiente para a figura");
  imagem.fill(Qt::white);
  QPainter pintor(&imagem);
  desenhista.render(&pintor, QRectF(QPointF(0, 0), QSizeF(tamanho)));
  pintor.end();
  return imagem;
}

QImage DecodificarEmf(const QByteArray& emf, int ladoMaximo) {
  const QSize tamanho = TamanhoEmf(emf, ladoMaximo);
  return DesenharSvg(EmfParaSvg(emf, tamanho), tamanho);
}

namespace {

int AcrescentarPng(void* contexto, char* dados, int tamanho) {
  static_cast<QByteArray*>(contexto)->append(dados, tamanho);
  return tamanho;
}

// Owns the libwmf session.
struct TSessaoWmf {
  wmfAPI* api = nullptr;
  ~TSessaoWmf() {
    if (api) wmf_api_destroy(api);
  }
};

}  // namespace

QByteArray WmfParaPng(const QByteArray& wmf, int ladoMaximo) {
  TSessaoWmf sessao;
  wmfAPI_Options opcoes{};
  opcoes.function = wmf_gd_function;
  const unsigned long bandeiras = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  if (wmf_api_create(&sessao.api, bandeiras, &opcoes) != wmf_E_None) Falhar("libwmf não iniciou");

  // Writable, as libwmf wants it, cut after the end record, with zeros
  // after it for reads past a short record.
  QByteArray copia = wmf.left(VerificarCadeiaWmf(wmf));
  const qsizetype tamanhoCadeia = copia.size();
  copia.append(kFolga, '\0');
  if (wmf_mem_open(sessao.api, reinterpret_cast<unsigned char*>(copia.data()), long(tamanhoCadeia)) != wmf_E_None)
    Falhar("metafile WMF danificado (não abriu)");
  wmfD_Rect caixa{};
  if (wmf_scan(sessao.api, 0, &caixa) != wmf_E_None) Falhar("metafile WMF danificado");
  unsigned int largura = 0, altura = 0;
  if (wmf_display_size(sessao.api, &largura, &altura, 96, 96) != wmf_E_None) Falhar("metafile WMF danificado");
  const QSize tamanho = ReduzirAoLimite(largura, altura, ladoMaximo);

  QByteArray png;
  wmf_gd_t* dados = WMF_GD_GetData(sessao.api);
  if (!(dados->flags & WMF_GD_SUPPORTS_PNG)) Falhar("libwmf sem suporte a PNG");
  dados->type = wmf_gd_png;
  dados->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
  dados->sink.context = &png;
  dados->sink.function = AcrescentarPng;
  dados->width = unsigned(tamanho.width());
  dados->height = unsigned(tamanho.height());
  dados->bbox = caixa;
  if (wmf_play(sessao.api, 0, &caixa) != wmf_E_None || png.isEmpty()) Falhar("metafile WMF danificado");
  return png;
}

}  // namespace metafile

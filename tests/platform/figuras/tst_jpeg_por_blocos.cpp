// Large progressive JPEG photos read from their blocks' means: each block
// exactly as libjpeg decodes it at 1/8 of the size, whatever the scans'
// layout, restart markers or colour space; other JPEGs left to Qt; damage
// greyed or reported; EXIF turns kept.
// jpeglib.h needs these first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <csetjmp>
#include <vector>

#include "bytes_figuras.h"
#include "figuras.h"
#include "jpeg_por_blocos.h"

namespace {
using namespace bytes_figuras;

struct TErroJpeg {
  jpeg_error_mgr padrao;
  std::jmp_buf volta;
};
void SairComErro(j_common_ptr c) { std::longjmp(reinterpret_cast<TErroJpeg*>(c->err)->volta, 1); }
void Calar(j_common_ptr, int) {}

// Something like a photo: gradients, a disc and fine stripes, every block
// its own mean.
QImage Cena(int largura, int altura) {
  QImage imagem(largura, altura, QImage::Format_RGB32);
  QLinearGradient fundo(0, 0, largura, altura);
  fundo.setColorAt(0, QColor(20, 90, 200));
  fundo.setColorAt(0.5, QColor(240, 200, 40));
  fundo.setColorAt(1, QColor(150, 20, 60));
  QPainter p(&imagem);
  p.fillRect(imagem.rect(), fundo);
  p.setBrush(QColor(30, 160, 60));
  p.drawEllipse(QPoint(largura / 3, altura / 2), largura / 5, altura / 4);
  for (int x = largura / 2; x < largura * 3 / 4; x += 6) p.fillRect(x, altura / 5, 3, altura / 2, Qt::white);
  return imagem;
}

enum class TLeiaute { Simples, DcSeparado };

struct TOpcoes {
  bool cinza = false, rgb = false, progressivo = true;
  int amostragem = 1;  // the luma's h and v: 1 for 4:4:4, 2 for 4:2:0
  int reinicio = 0;    // restart interval in MCUs
  TLeiaute leiaute = TLeiaute::Simples;
};

// Written by libjpeg, the way cameras and editors write them.
QByteArray Codificar(const QImage& origem, const TOpcoes& o) {
  const QImage rgb = origem.convertToFormat(QImage::Format_RGB888);
  const QImage cinza = origem.convertToFormat(QImage::Format_Grayscale8);
  jpeg_compress_struct c{};
  TErroJpeg erro{};
  c.err = jpeg_std_error(&erro.padrao);
  erro.padrao.error_exit = SairComErro;
  unsigned char* saida = nullptr;
  unsigned long tamanho = 0;
  if (setjmp(erro.volta)) {
    jpeg_destroy_compress(&c);
    free(saida);
    return {};
  }
  jpeg_create_compress(&c);
  jpeg_mem_dest(&c, &saida, &tamanho);
  c.image_width = JDIMENSION(origem.width());
  c.image_height = JDIMENSION(origem.height());
  c.input_components = o.cinza ? 1 : 3;
  c.in_color_space = o.cinza ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  if (o.rgb) jpeg_set_colorspace(&c, JCS_RGB);
  if (!o.cinza && !o.rgb) {
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = o.amostragem;
    c.comp_info[1].h_samp_factor = c.comp_info[1].v_samp_factor = 1;
    c.comp_info[2].h_samp_factor = c.comp_info[2].v_samp_factor = 1;
  }
  c.restart_interval = unsigned(o.reinicio);
  // DC first at half precision, then refined: the script of
  // jpeg_simple_progression, or its DC scans one component at a time.
  static std::vector<jpeg_scan_info> roteiro;
  if (o.progressivo) {
    jpeg_simple_progression(&c);
    if (o.leiaute == TLeiaute::DcSeparado && c.num_components == 3) {
      roteiro.assign(c.scan_info, c.scan_info + c.num_scans);
      std::vector<jpeg_scan_info> separado;
      for (const jpeg_scan_info& s : roteiro) {
        if (s.Ss != 0 || s.comps_in_scan == 1) {
          separado.push_back(s);
          continue;
        }
        for (int k = 0; k < s.comps_in_scan; ++k) {
          jpeg_scan_info um = s;
          um.comps_in_scan = 1;
          um.component_index[0] = s.component_index[k];
          separado.push_back(um);
        }
      }
      roteiro = separado;
      c.scan_info = roteiro.data();
      c.num_scans = int(roteiro.size());
    }
  }
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    const QImage& fonte = o.cinza ? cinza : rgb;
    JSAMPROW linha = const_cast<JSAMPROW>(fonte.constScanLine(int(c.next_scanline)));
    jpeg_write_scanlines(&c, &linha, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  QByteArray bytes(reinterpret_cast<const char*>(saida), qsizetype(tamanho));
  free(saida);
  return bytes;
}

// libjpeg's own decode at 1/8 of the size, in RGB.
QImage OitavoPelaLibjpeg(const QByteArray& bytes) {
  jpeg_decompress_struct d{};
  TErroJpeg erro{};
  d.err = jpeg_std_error(&erro.padrao);
  erro.padrao.error_exit = SairComErro;
  erro.padrao.emit_message = Calar;
  if (setjmp(erro.volta)) {
    jpeg_destroy_decompress(&d);
    return {};
  }
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d, TRUE);
  d.scale_num = 1;
  d.scale_denom = 8;
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  QImage imagem(int(d.output_width), int(d.output_height), QImage::Format_RGB888);
  while (d.output_scanline < d.output_height) {
    JSAMPROW linha = imagem.scanLine(int(d.output_scanline));
    jpeg_read_scanlines(&d, &linha, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return imagem.convertToFormat(QImage::Format_RGB32);
}

// Read through the block reader, with a side such that the result is 1/8
// of the picture, unscaled.
QImage PorBlocos(const QByteArray& bytes, int lado, const QString& nome = QStringLiteral("teste.jpg")) {
  QBuffer b;
  b.setData(bytes);
  b.open(QIODevice::ReadOnly);
  return LerJpegProgressivoReduzido(b, lado, nome);
}

int MaiorDiferenca(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1000;
  int maior = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      maior = std::max({maior, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return maior;
}

double DiferencaMedia(const QImage& a, const QImage& b) {
  double soma = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      soma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return soma / (3.0 * a.width() * a.height());
}

}  // namespace

class TstJpegPorBlocos : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  const QImage cena_ = Cena(1600, 1200);

  QString Gravar(const QString& nome, const QByteArray& bytes) { return GravarEm(pasta_, nome, bytes); }

 private slots:
  void initTestCase() { QVERIFY(pasta_.isValid()); }

  // Every block's value is the one libjpeg decodes at 1/8: the DC terms of
  // a first scan at half precision and its refinement, in each colour
  // space, with or without restart markers.
  void cadaBlocoComoALibjpeg_data() {
    QTest::addColumn<bool>("cinza");
    QTest::addColumn<bool>("rgb");
    QTest::addColumn<int>("reinicio");
    QTest::newRow("YCbCr 4:4:4") << false << false << 0;
    QTest::newRow("YCbCr 4:4:4, reinício a cada 7") << false << false << 7;
    QTest::newRow("tons de cinza") << true << false << 0;
    QTest::newRow("tons de cinza, reinício a cada 1") << true << false << 1;
    QTest::newRow("RGB (marcador Adobe)") << false << true << 0;
  }
  void cadaBlocoComoALibjpeg() {
    QFETCH(bool, cinza);
    QFETCH(bool, rgb);
    QFETCH(int, reinicio);
    TOpcoes o;
    o.cinza = cinza;
    o.rgb = rgb;
    o.reinicio = reinicio;
    const QByteArray jpg = Codificar(cena_, o);
    QVERIFY(jpg.contains("\xFF\xC2"));
    QCOMPARE(jpg.contains("\xFF\xDD"), reinicio > 0);
    const QImage esperada = OitavoPelaLibjpeg(jpg);
    QCOMPARE(esperada.size(), QSize(200, 150));
    const QImage lida = PorBlocos(jpg, 200);
    QCOMPARE(lida.size(), QSize(200, 150));
    QCOMPARE(MaiorDiferenca(lida, esperada), 0);
  }

  // With the colour at a quarter of the pixels the same coefficients give
  // the same picture, however the scans and restarts lay them out; and it
  // stays close to libjpeg's (which scales colour through more terms).
  void coresReduzidasEmQualquerLeiaute() {
    TOpcoes o;
    o.amostragem = 2;
    const QByteArray simples = Codificar(cena_, o);
    o.leiaute = TLeiaute::DcSeparado;
    const QByteArray separado = Codificar(cena_, o);
    o.reinicio = 5;
    const QByteArray comReinicio = Codificar(cena_, o);
    QVERIFY(!simples.isEmpty() && separado != simples && comReinicio != separado);
    const QImage a = PorBlocos(simples, 200), b = PorBlocos(separado, 200), c = PorBlocos(comReinicio, 200);
    QCOMPARE(a.size(), QSize(200, 150));
    QCOMPARE(MaiorDiferenca(a, b), 0);
    QCOMPARE(MaiorDiferenca(a, c), 0);
    // libjpeg resolves the colour inside a block where this reader keeps
    // its mean: apart at sharp colour edges, alike on the whole.
    QVERIFY(DiferencaMedia(a, OitavoPelaLibjpeg(simples)) < 2);
  }

  // Sizes that are no multiple of a block: the last row and column of
  // blocks count.
  void tamanhosQuebrados() {
    const QByteArray jpg = Codificar(Cena(1605, 1203), {});
    const QImage esperada = OitavoPelaLibjpeg(jpg);
    QCOMPARE(esperada.size(), QSize(201, 151));
    const QImage lida = PorBlocos(jpg, 201);
    QCOMPARE(lida.size(), QSize(201, 151));
    QCOMPARE(MaiorDiferenca(lida, esperada), 0);
  }

  // Pictures this reader is not for come back null, for Qt's reader: a
  // baseline file, and one whose 1/8 would not fill the slot.
  void outrosFicamParaOQt() {
    TOpcoes o;
    o.progressivo = false;
    QVERIFY(PorBlocos(Codificar(cena_, o), 200).isNull());
    QVERIFY(PorBlocos(Codificar(cena_, {}), 201).isNull());
    QVERIFY(PorBlocos(Salvar(Bandeira(), "png"), 200).isNull());
  }

  // Through the loader: a large progressive photo reduced to the slot, its
  // colours where they were, EXIF's turn kept.
  void pelaCargaDeFotos() {
    const QImage bandeira = Bandeira(4000, 3000);
    const QString caminho = Gravar("bandeira.jpg", Codificar(bandeira, {}));
    QImage foto = CarregarFigura(caminho, kLadoFoto);
    QCOMPARE(foto.size(), QSize(178, 134));
    QVERIFY(Perto(foto.pixel(40, 67), Qt::red, 6));
    QVERIFY(Perto(foto.pixel(138, 67), Qt::blue, 6));

    // Orientation 6: stored sideways, shown upright, red on top.
    const QByteArray jpg = ComOrientacao(Codificar(bandeira, {}), 6);
    foto = CarregarFigura(Gravar("virada.jpg", jpg), kLadoFoto);
    QCOMPARE(foto.size(), QSize(134, 178));
    QVERIFY(Perto(foto.pixel(67, 40), Qt::red, 6));
    QVERIFY(Perto(foto.pixel(67, 138), Qt::blue, 6));
  }

  // A file cut short keeps what it has and greys the rest, as libjpeg does;
  // a damaged header is reported, naming the file; a load no longer wanted
  // stops.
  void danos() {
    const QByteArray jpg = Codificar(cena_, {});
    const qsizetype primeiraVarredura = jpg.indexOf("\xFF\xDA");
    const qsizetype segundaVarredura = jpg.indexOf("\xFF\xDA", primeiraVarredura + 2);
    const QByteArray cortado = jpg.left(primeiraVarredura + (segundaVarredura - primeiraVarredura) / 2);
    const QImage lida = PorBlocos(cortado, 200);
    QCOMPARE(lida.size(), QSize(200, 150));
    const QImage inteira = PorBlocos(jpg, 200);
    // Read before its refinement, at half precision: within a step or two.
    QVERIFY(MaiorDiferenca(lida.copy(0, 0, 200, 30), inteira.copy(0, 0, 200, 30)) <= 4);
    QVERIFY(Perto(lida.pixel(100, 149), QColor(128, 128, 128), 2));

    QByteArray torta = jpg;
    torta[torta.indexOf("\xFF\xC4") + 5] = char(0x7F);  // far more codes than the lengths hold
    QString m = Mensagem([&] { PorBlocos(torta, 200, QStringLiteral("torta.jpg")); });
    QVERIFY2(m.contains(QStringLiteral("torta.jpg")) && m.contains(QStringLiteral("danificada")), qPrintable(m));

    const QByteArray semVarredura = jpg.left(primeiraVarredura) + "\xFF\xD9";
    m = Mensagem([&] { PorBlocos(semVarredura, 200, QStringLiteral("vazia.jpg")); });
    QVERIFY2(m.contains(QStringLiteral("vazia.jpg")) && m.contains(QStringLiteral("danificada")), qPrintable(m));

    // The first scan over and over: refused before it costs a pass over
    // every block each time.
    const qsizetype fimDaPrimeira = jpg.indexOf("\xFF\xC4", primeiraVarredura);
    QVERIFY(fimDaPrimeira > primeiraVarredura && fimDaPrimeira < segundaVarredura);
    QByteArray repetida = jpg;
    repetida.insert(fimDaPrimeira, jpg.mid(primeiraVarredura, fimDaPrimeira - primeiraVarredura).repeated(70));
    m = Mensagem([&] { PorBlocos(repetida, 200, QStringLiteral("repetida.jpg")); });
    QVERIFY2(m.contains(QStringLiteral("repetida.jpg")) && m.contains(QStringLiteral("varreduras demais")), qPrintable(m));

    const QString caminho = Gravar("parar.jpg", jpg);
    std::stop_source parar;
    parar.request_stop();
    m = Mensagem([&] { CarregarFigura(caminho, kLadoFoto, parar.get_token()); });
    QVERIFY2(m.contains(caminho) && m.contains(QStringLiteral("interrompida")), qPrintable(m));
  }

  // Beyond the photo limits, said with the file's name, before any block is
  // kept.
  void alemDoLimite() {
    QByteArray jpg = Codificar(Cena(1600, 1200), {});
    const qsizetype sof = jpg.indexOf("\xFF\xC2");
    qToBigEndian(quint16(65000), jpg.data() + sof + 5);
    qToBigEndian(quint16(65000), jpg.data() + sof + 7);
    const QString m = Mensagem([&] { PorBlocos(jpg, 200, QStringLiteral("enorme.jpg")); });
    QVERIFY2(m.contains(QStringLiteral("enorme.jpg")) && m.contains(QStringLiteral("grande demais")), qPrintable(m));
  }
};

QTEST_MAIN(TstJpegPorBlocos)
#include "tst_jpeg_por_blocos.moc"

// Picture files by extension: every known type loads, the others are
// refused with the exact message, and damaged or hostile files end in an
// error, never in a crash, a hang or a huge picture.

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "amostras.h"
#include "bytes_figuras.h"
#include "figuras.h"
#include "metafile.h"

namespace {
using namespace bytes_figuras;

// A BMP header declaring the size, with no pixels after it.
QByteArray BmpDeclarando(qint32 largura, qint32 altura) {
  amostras::TBytes b;
  b.bytes("BM").u32(54).u32(0).u32(54);
  b.u32(40).i32(largura).i32(altura).u16(1).u16(24).u32(0).u32(0).i32(2835).i32(2835).u32(0).u32(0);
  return b.dados;
}

// The EMF sample with its frame replaced.
QByteArray EmfComMoldura(qint32 direita, qint32 baixo) {
  QByteArray emf = amostras::Emf();
  qToLittleEndian(direita, emf.data() + 32);
  qToLittleEndian(baixo, emf.data() + 36);
  return emf;
}

// The WMF sample with its placeable bounding box and units per inch replaced.
QByteArray WmfDeclarando(qint16 direita, qint16 baixo, quint16 porPolegada) {
  QByteArray wmf = amostras::Wmf();
  qToLittleEndian(direita, wmf.data() + 10);
  qToLittleEndian(baixo, wmf.data() + 12);
  qToLittleEndian(porPolegada, wmf.data() + 14);
  quint16 soma = 0;
  for (int i = 0; i < 10; ++i) soma ^= qFromLittleEndian<quint16>(wmf.constData() + 2 * i);
  qToLittleEndian(soma, wmf.data() + 20);
  return wmf;
}

}  // namespace

class TstFiguras : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;

  QString Gravar(const QString& nome, const QByteArray& bytes) { return GravarEm(pasta_, nome, bytes); }

  QString Script(const QString& nome, const QByteArray& corpo) {
    const QString caminho = Gravar(nome, "#!/bin/sh\n" + corpo + "\n");
    QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return caminho;
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid());
    DefinirAuxiliarMetafile(QStringLiteral(VARZENO_METAFILE_AUX));
  }
  void cleanup() {
    DefinirAuxiliarMetafile(QStringLiteral(VARZENO_METAFILE_AUX));
    DefinirPrazoMetafile(kPrazoMetafilePadrao);
  }

  void formatosDoQt_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tolerancia");
    QTest::newRow("bmp") << "a.bmp" << Salvar(Bandeira(), "bmp") << 0;
    QTest::newRow("BMP em maiúsculas") << "A.BMP" << Salvar(Bandeira(), "bmp") << 0;
    QTest::newRow("ico") << "a.ico" << Salvar(Bandeira(), "ico") << 0;
    QTest::newRow("png") << "a.png" << Salvar(Bandeira(), "png") << 0;
    QTest::newRow("jpg") << "a.jpg" << Salvar(Bandeira(), "jpg") << 40;
    QTest::newRow("jpeg") << "a.Jpeg" << Salvar(Bandeira(), "jpg") << 40;
  }
  void formatosDoQt() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    QFETCH(int, tolerancia);
    const QImage imagem = CarregarFigura(Gravar(nome, bytes));
    QCOMPARE(imagem.size(), QSize(40, 30));
    QVERIFY(Perto(imagem.pixel(5, 15), Qt::red, tolerancia));
    QVERIFY(Perto(imagem.pixel(35, 15), Qt::blue, tolerancia));
  }

  void metafiles_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("emf") << "a.emf" << amostras::Emf();
    QTest::newRow("EMF em maiúsculas") << "b.EMF" << amostras::Emf();
    QTest::newRow("wmf") << "a.wmf" << amostras::Wmf();
    QTest::newRow("wmf com texto") << "b.Wmf" << amostras::Wmf(100, 50, true);
  }
  void metafiles() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    const QImage imagem = CarregarFigura(Gravar(nome, bytes));
    // 100 x 50 at 96 dpi; a red rectangle, a blue diagonal, white elsewhere.
    QCOMPARE(imagem.size(), QSize(100, 50));
    QVERIFY(Perto(imagem.pixel(35, 25), Qt::red, 10));
    QVERIFY(Perto(imagem.pixel(90, 5), Qt::white, 10));
    int azuis = 0;
    for (int x = 60; x < 100; ++x)
      for (int y = 0; y < 50; ++y) azuis += Perto(imagem.pixel(x, y), Qt::blue, 60);
    QVERIFY2(azuis >= 20, qPrintable(QString::number(azuis)));
  }

  void textoDoWmfDesenhado() {
    // The word under the rectangle needs the metafile fonts.
    const QImage com = CarregarFigura(Gravar("t1.wmf", amostras::Wmf(100, 50, true)));
    const QImage sem = CarregarFigura(Gravar("t2.wmf", amostras::Wmf(100, 50, false)));
    int escuros = 0;
    for (int x = 0; x < 100; ++x)
      for (int y = 36; y < 50; ++y) escuros += qGray(com.pixel(x, y)) < 80 && qGray(sem.pixel(x, y)) > 200;
    QVERIFY2(escuros >= 15, qPrintable(QString::number(escuros)));
  }

  void extensoesDesconhecidas_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("gif") << "foto.gif"
                         << "Unknown picture file extension (.gif)";
    QTest::newRow("Gif, como escrita") << "foto.Gif"
                                       << "Unknown picture file extension (.Gif)";
    QTest::newRow("sem extensão") << "foto"
                                  << "Unknown picture file extension (.)";
    QTest::newRow("ponto na pasta") << "pasta.bmp/foto"
                                    << "Unknown picture file extension (.)";
    QTest::newRow("só a última") << "foto.bmp.svg"
                                 << "Unknown picture file extension (.svg)";
    QTest::newRow("jpg2") << "foto.jpg2"
                          << "Unknown picture file extension (.jpg2)";
  }
  void extensoesDesconhecidas() {
    QFETCH(QString, nome);
    QFETCH(QString, mensagem);
    // The file exists and is a good picture: only its name decides.
    const QString caminho = pasta_.filePath(nome);
    QDir().mkpath(QFileInfo(caminho).path());
    QVERIFY(!Gravar(nome, Salvar(Bandeira(), "gif")).isEmpty() || !Gravar(nome, Salvar(Bandeira(), "png")).isEmpty());
    QCOMPARE(Mensagem([&] { CarregarFigura(caminho); }), mensagem);
  }

  void arquivoQueNaoAbre_data() {
    QTest::addColumn<QString>("nome");
    for (const char* ext : {"bmp", "ico", "jpg", "png", "emf", "wmf"})
      QTest::newRow(ext) << QStringLiteral("falta.%1").arg(ext);
  }
  void arquivoQueNaoAbre() {
    QFETCH(QString, nome);
    const QString caminho = pasta_.filePath(nome);
    const QString m = Mensagem([&] { CarregarFigura(caminho); });
    QVERIFY2(m.contains(caminho) && m.startsWith(QStringLiteral("Não foi possível abrir")), qPrintable(m));
    QVERIFY(QDir().mkdir(caminho));  // a folder is no picture either
    QVERIFY(!Mensagem([&] { CarregarFigura(caminho); }).isEmpty());
  }

  void danificadas_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray lixo = QByteArray("\x13\x37 not a picture at all \xff\x00\x01", 26).repeated(40);
    const std::pair<const char*, QByteArray> boas[] = {
        {"bmp", Salvar(Bandeira(), "bmp")}, {"ico", Salvar(Bandeira(), "ico")}, {"png", Salvar(Bandeira(), "png")},
        {"jpg", Salvar(Bandeira(), "jpg")}, {"emf", amostras::Emf()},           {"wmf", amostras::Wmf()}};
    for (const auto& [ext, boa] : boas) {
      QTest::addRow("%s vazio", ext) << QStringLiteral("vazio.%1").arg(ext) << QByteArray();
      QTest::addRow("%s lixo", ext) << QStringLiteral("lixo.%1").arg(ext) << lixo;
      QTest::addRow("%s cabeçalho só", ext) << QStringLiteral("cab.%1").arg(ext) << boa.left(12);
    }
    QTest::newRow("png em vez de bmp") << "png.bmp" << Salvar(Bandeira(), "png");
    QTest::newRow("bmp em vez de emf") << "bmp.emf" << Salvar(Bandeira(), "bmp");
    QTest::newRow("emf em vez de wmf") << "emf.wmf" << amostras::Emf();
    // Headers Qt itself finds absurd.
    QTest::newRow("bmp 100000 x 100000") << "grande.bmp" << BmpDeclarando(100000, 100000);
    QTest::newRow("bmp de altura negativa enorme") << "neg.bmp" << BmpDeclarando(10, -2000000000);
    QTest::newRow("png truncado") << "trunc.png" << Salvar(Bandeira(), "png").chopped(30);
    QTest::newRow("ico truncado") << "trunc.ico" << Salvar(Bandeira(), "ico").left(30);
    QTest::newRow("emf sem EOF") << "trunc.emf" << amostras::Emf().chopped(20);
    QTest::newRow("emf pela metade") << "metade.emf" << amostras::Emf().left(amostras::Emf().size() / 2);
    QTest::newRow("wmf pela metade") << "metade.wmf" << amostras::Wmf().left(amostras::Wmf().size() / 2);
    QByteArray emfTorto = amostras::Emf();
    qToLittleEndian<quint32>(22, emfTorto.data() + 88 + 4);  // not a multiple of 4
    QTest::newRow("emf registro torto") << "torto.emf" << emfTorto;
    QByteArray emfLonge = amostras::Emf();
    qToLittleEndian<quint32>(0x7FFFFFF0, emfLonge.data() + 88 + 4);
    QTest::newRow("emf registro além do fim") << "longe.emf" << emfLonge;
    QByteArray semTamanho = EmfComMoldura(0, 0);
    qToLittleEndian<qint32>(10, semTamanho.data() + 8);  // bounds from 10, 10 to 0, 0
    qToLittleEndian<qint32>(10, semTamanho.data() + 12);
    qToLittleEndian<qint32>(0, semTamanho.data() + 16);
    qToLittleEndian<qint32>(0, semTamanho.data() + 20);
    QTest::newRow("emf sem moldura nem limites") << "vazia.emf" << semTamanho;
  }
  void danificadas() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    const QString caminho = Gravar(nome, bytes);
    const QString m = Mensagem([&] { CarregarFigura(caminho); });
    QVERIFY2(!m.isEmpty(), "carregou uma figura danificada");
    QVERIFY2(m.contains(caminho), qPrintable(m));
  }

  // The size in the header is refused before a pixel is decoded.
  void tamanhoDeclaradoGrandeDemais_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bmp 5000 x 1") << "largo.bmp" << BmpDeclarando(5000, 1);
    QTest::newRow("png 100000 x 100000") << "grande.png" << PngDeclarando(100000, 100000);
    QTest::newRow("png 4000 x 4000") << "pixels.png" << PngDeclarando(4000, 4000);
    QTest::newRow("jpg 5000 x 5000") << "grande.jpg" << JpgDeclarando(5000, 5000);
  }
  void tamanhoDeclaradoGrandeDemais() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    const QString caminho = Gravar(nome, bytes);
    const QString m = Mensagem([&] { CarregarFigura(caminho); });
    QVERIFY2(m.contains(QStringLiteral("grande demais")) && m.contains(caminho), qPrintable(m));
  }

  // Qt draws what it can of a cut bmp or jpg, without an error, and an icon
  // is sized by its directory whatever its bitmap says; such a picture is
  // fine, as long as nothing breaks and no size grows.
  void danosQueOQtTolera_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bmp") << "meio.bmp" << Salvar(Bandeira(), "bmp").chopped(1000);
    QTest::newRow("jpg") << "meio.jpg" << Salvar(Bandeira(), "jpg").chopped(100);
    QByteArray icoGrande = Salvar(Bandeira(), "ico");
    qToLittleEndian<qint32>(1000000, icoGrande.data() + 22 + 4);
    qToLittleEndian<qint32>(2000000, icoGrande.data() + 22 + 8);
    QTest::newRow("ico de bitmap enorme") << "grande.ico" << icoGrande;
  }
  void danosQueOQtTolera() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    const QString caminho = Gravar(nome, bytes);
    try {
      QCOMPARE(CarregarFigura(caminho).size(), QSize(40, 30));
    } catch (const std::runtime_error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains(caminho), e.what());
    }
  }

  void metafileEnormeEReduzido_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("tamanho");
    // 10 m x 5 m at 96 dpi, then proportions kept within 4096 x 4096.
    QTest::newRow("emf") << "enorme.emf" << EmfComMoldura(1000000, 500000) << QSize(4096, 2048);
    QTest::newRow("emf só de largura") << "fita.emf" << EmfComMoldura(10000000, 2646) << QSize(4096, 1);
    // 32767 x 32767 units at one unit an inch.
    QTest::newRow("wmf") << "enorme.wmf" << WmfDeclarando(32767, 32767, 1) << QSize(3547, 3547);
  }
  void metafileEnormeEReduzido() {
    QFETCH(QString, nome);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, tamanho);
    const QImage imagem = CarregarFigura(Gravar(nome, bytes));
    QCOMPARE(imagem.size(), tamanho);
    QVERIFY(CabeNoLimite(imagem.size()));
  }

  void cadeiaWmf() {
    for (const QByteArray& wmf : {amostras::Wmf(), amostras::Wmf().mid(22) /* without the placeable header */}) {
      QCOMPARE(metafile::VerificarCadeiaWmf(wmf), wmf.size());
      QCOMPARE(metafile::VerificarCadeiaWmf(wmf + "xyz"), wmf.size());
      for (qsizetype n = 0; n < wmf.size(); n += 2)
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::VerificarCadeiaWmf(wmf.left(n)));
    }
    // A header whose longest record is larger than the file: libwmf would
    // allocate gigabytes for it (found by fuzzing).
    QByteArray mentira = amostras::Wmf();
    qToLittleEndian<quint32>(0x65707974, mentira.data() + 22 + 12);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::VerificarCadeiaWmf(mentira));
    QVERIFY(!Mensagem([&] { CarregarFigura(Gravar("mentira.wmf", mentira)); }).isEmpty());
    // A record longer than the header's longest.
    QByteArray longo = amostras::Wmf();
    qToLittleEndian<quint32>(3, longo.data() + 22 + 12);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::VerificarCadeiaWmf(longo));
  }

  void cadeiaEmf() {
    const QByteArray emf = amostras::Emf();
    QCOMPARE(metafile::VerificarCadeiaEmf(emf), emf.size());
    QCOMPARE(metafile::VerificarCadeiaEmf(emf + QByteArray(100, 'x')), emf.size());  // trailing bytes dropped
    QCOMPARE(metafile::TamanhoEmf(emf), QSize(100, 50));
    // Every cut of the file lacks its end record.
    for (qsizetype n = 0; n < emf.size(); n += 4)
      QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::VerificarCadeiaEmf(emf.left(n)));
  }

  void reduzirAoLimite() {
    QCOMPARE(metafile::ReduzirAoLimite(100, 50), QSize(100, 50));
    QCOMPARE(metafile::ReduzirAoLimite(4096, 3072), QSize(4096, 3072));
    QVERIFY(CabeNoLimite(metafile::ReduzirAoLimite(4096, 4096)));
    QVERIFY(CabeNoLimite(metafile::ReduzirAoLimite(1e12, 1e12)));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::ReduzirAoLimite(0, 10));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, metafile::ReduzirAoLimite(std::nan(""), 10));
  }

  void auxiliarQueNaoTermina() {
    DefinirAuxiliarMetafile(Script("lento.sh", "exec sleep 60"));
    DefinirPrazoMetafile(300);
    const QString m = Mensagem([&] { CarregarFigura(Gravar("lento.emf", amostras::Emf())); });
    QVERIFY2(m.contains(QStringLiteral("300 ms e foi encerrado")), qPrintable(m));
  }

  void auxiliarQueFalha_data() {
    QTest::addColumn<QByteArray>("corpo");
    QTest::addColumn<QString>("trecho");
    QTest::newRow("mensagem") << QByteArray("cat >/dev/null; echo aviso >&2; echo 'registro ruim' >&2; exit 1")
                              << "registro ruim";
    QTest::newRow("sinal") << QByteArray("kill -SEGV $$") << "anormal";
    QTest::newRow("saída que não é PNG") << QByteArray("cat") << "danificada";
    QTest::newRow("PNG enorme") << QByteArray("cat >/dev/null; cat \"$(dirname \"$0\")/enorme.png\"")
                                << "grande demais";
  }
  void auxiliarQueFalha() {
    QFETCH(QByteArray, corpo);
    QFETCH(QString, trecho);
    Gravar("enorme.png", PngDeclarando(5000, 5000));
    DefinirAuxiliarMetafile(Script("falha.sh", corpo));
    const QString caminho = Gravar("falha.wmf", amostras::Wmf());
    const QString m = Mensagem([&] { CarregarFigura(caminho); });
    QVERIFY2(m.contains(trecho) && m.contains(caminho), qPrintable(m));
  }

  // A metafile on which libwmf draws for many seconds (found by fuzzing):
  // the real helper is ended by its limits and the load fails cleanly.
  void wmfQueNaoTerminaDeDesenhar() {
    const QByteArray wmf = QByteArray::fromHex(
        "d7cdc69a0000000000003c001e0060000000000053570100090000037200000004001c0000000000050000000b020000"
        "0000050000000c021e003c0007000000fc020000ff0000080000040000002d01000008000000fa020000010200000000"
        "0000040000002d010100070000001b04120024000300060008000000fa020000030000000000ff00040000002d010200"
        "040000002d01020005000000140200000000050000001402000000000500000013021d003b001c000000fb020000000c"
        "021e003c0007000000fc020000ff0053570100090000037200000004001c000000000005000000000000000000000400"
        "00002d0103000800000021050400566f746f15000600030000000000");
    DefinirPrazoMetafile(3000);
    const QString caminho = Gravar("lento.wmf", wmf);
    const QString m = Mensagem([&] { CarregarFigura(caminho); });
    QVERIFY2(m.contains(caminho) && m.contains(QStringLiteral("programa auxiliar")), qPrintable(m));
  }

  void auxiliarAusente() {
    DefinirAuxiliarMetafile(pasta_.filePath("nao-existe"));
    const QString m = Mensagem([&] { CarregarFigura(Gravar("x.emf", amostras::Emf())); });
    QVERIFY2(m.contains(QStringLiteral("não foi encontrado")), qPrintable(m));
  }
};

QTEST_MAIN(TstFiguras)
#include "tst_figuras.moc"

// Waves read as the sound device gets them: every sample format a wave may
// hold, channels mapped to the device's, reads of any size, files that go
// bad while they play.
#include <QBuffer>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <memory>

#include "onda.h"
#include "ondas.h"

namespace {

template <typename T>
QByteArray Bytes(std::initializer_list<T> valores) {
  QByteArray b;
  for (T v : valores) {
    char c[sizeof(T)];
    qToLittleEndian(v, c);
    b.append(c, sizeof(T));
  }
  return b;
}

std::unique_ptr<QBuffer> Arquivo(const QByteArray& conteudo) {
  auto f = std::make_unique<QBuffer>();
  f->setData(conteudo);
  f->open(QIODevice::ReadOnly);
  return f;
}

// Every float the stream gives, read `porVez` bytes at a time.
QList<float> Ler(const QByteArray& onda, int canaisSaida, qint64 porVez = 1 << 16) {
  auto f = Arquivo(onda);
  const auto formato = LerFormatoOnda(*f);
  if (!formato) return {};
  TOndaEmFloat fluxo(std::move(f), *formato, canaisSaida);
  QByteArray tudo;
  QByteArray pedaco(porVez, '\0');
  for (qint64 n; (n = fluxo.read(pedaco.data(), porVez)) > 0;) tudo.append(pedaco.constData(), n);
  if (!fluxo.atEnd()) return {};
  QList<float> r;
  for (qsizetype i = 0; i + 4 <= tudo.size(); i += 4) r << qFromLittleEndian<float>(tudo.constData() + i);
  return r;
}

}  // namespace

class TesteOnda : public QObject {
  Q_OBJECT

 private slots:
  void everySampleFormatComesOutAsFloats_data() {
    QTest::addColumn<QByteArray>("onda");
    QTest::addColumn<QList<float>>("esperado");
    QTest::newRow("8-bit, unsigned") << Onda(1, 1, 8, QByteArray("\x00\x80\xc0", 3)) << QList<float>{-1, 0, 0.5};
    QTest::newRow("16-bit") << Onda(1, 1, 16, Bytes<qint16>({-32768, 0, 16384})) << QList<float>{-1, 0, 0.5};
    QTest::newRow("24-bit") << Onda(1, 1, 24, QByteArray("\x00\x00\x80\x00\x00\x00\x00\x00\x40", 9))
                            << QList<float>{-1, 0, 0.5};
    QTest::newRow("32-bit") << Onda(1, 1, 32, Bytes<qint32>({INT32_MIN, 0, 1 << 30})) << QList<float>{-1, 0, 0.5};
    QTest::newRow("float") << Onda(3, 1, 32, Bytes<float>({-1, 0.25f, 0.5f})) << QList<float>{-1, 0.25f, 0.5f};
    QTest::newRow("double") << Onda(3, 1, 64, Bytes<double>({-1, 0.25, 0.5})) << QList<float>{-1, 0.25f, 0.5f};
  }
  void everySampleFormatComesOutAsFloats() {
    QFETCH(QByteArray, onda);
    QFETCH(QList<float>, esperado);
    QCOMPARE(Ler(onda, 1), esperado);
  }

  void channelsMapToTheDevice() {
    const QByteArray mono = Onda(1, 1, 16, Bytes<qint16>({16384, -16384}));
    // A mono wave on every channel of a stereo or 5.1 device.
    QCOMPARE(Ler(mono, 2), (QList<float>{0.5, 0.5, -0.5, -0.5}));
    QCOMPARE(Ler(mono, 6).size(), 12);
    QVERIFY(Ler(mono, 6).mid(6) == QList<float>(6, -0.5));
    // Stereo on a mono device: the mean of the two.
    const QByteArray estereo = Onda(1, 2, 16, Bytes<qint16>({16384, 0, -16384, -16384}));
    QCOMPARE(Ler(estereo, 1), (QList<float>{0.25, -0.5}));
    // Stereo on 4 channels: its own two, then silence.
    QCOMPARE(Ler(estereo, 4), (QList<float>{0.5, 0, 0, 0, -0.5, -0.5, 0, 0}));
    // Three channels on a stereo device: the first two.
    const QByteArray tres = Onda(1, 3, 16, Bytes<qint16>({16384, -16384, 8192}));
    QCOMPARE(Ler(tres, 2), (QList<float>{0.5, -0.5}));
  }

  void readsOfAnySizeGiveTheSameStream() {
    QByteArray amostras;
    for (int i = 0; i < 10007; ++i) amostras.append(Bytes<qint16>({qint16(i * 7 - 30000)}));
    const QByteArray onda = Onda(1, 1, 16, amostras);
    const QList<float> inteiro = Ler(onda, 2);
    QCOMPARE(inteiro.size(), 2 * 10007);
    // Sizes that split frames (8 bytes each here) and samples.
    for (qint64 porVez : {1, 3, 5, 8, 13, 4096, 100000}) QCOMPARE(Ler(onda, 2, porVez), inteiro);
  }

  void formatsThatCannotPlayAreRefused_data() {
    QTest::addColumn<QByteArray>("onda");
    const QByteArray dois = Bytes<qint16>({1, 2});
    QTest::newRow("ADPCM") << Onda(2, 1, 16, dois);
    QTest::newRow("16-bit float") << Onda(3, 1, 16, dois);
    QTest::newRow("no channels") << Onda(1, 0, 16, dois);
    QTest::newRow("no rate") << Onda(1, 1, 16, dois, 0);
    QTest::newRow("12-bit") << Onda(1, 1, 12, dois);
    QTest::newRow("empty data") << Onda(1, 1, 16, {});
    QByteArray cortada = Onda(1, 1, 16, dois);
    cortada.chop(1);
    QTest::newRow("data past the end") << cortada;
    QTest::newRow("not RIFF") << QByteArray("RIFX").append(Onda(1, 1, 16, dois).mid(4));
  }
  void formatsThatCannotPlayAreRefused() {
    QFETCH(QByteArray, onda);
    auto f = Arquivo(onda);
    QVERIFY(!LerFormatoOnda(*f));
  }

  void aPartFrameAtTheEndIsLeftOut() {
    // Five bytes of stereo 16-bit: one whole frame and a stray byte.
    const QByteArray onda = Onda(1, 2, 16, QByteArray("\x00\x40\x00\xc0\x11", 5));
    auto f = Arquivo(onda);
    const auto formato = LerFormatoOnda(*f);
    QVERIFY(formato);
    QCOMPARE(formato->tamanho, 4);
    QCOMPARE(Ler(onda, 2), (QList<float>{0.5, -0.5}));
  }

  void aFileCutShortWhilePlayingEndsTheSound() {
    QByteArray amostras(20000, '\x10');
    const QByteArray onda = Onda(1, 1, 16, amostras);
    auto f = Arquivo(onda);
    const auto formato = LerFormatoOnda(*f);
    QVERIFY(formato);
    // The same header over a file that lost most of its samples since.
    auto curto = Arquivo(onda.left(44 + 1001));
    TOndaEmFloat fluxo(std::move(curto), *formato, 1);
    QByteArray tudo;
    char pedaco[4096];
    for (qint64 n; (n = fluxo.read(pedaco, sizeof pedaco)) > 0;) tudo.append(pedaco, n);
    QVERIFY(fluxo.atEnd());
    QCOMPARE(tudo.size(), 500 * 4);  // the 500 whole samples there were
  }
};

QTEST_GUILESS_MAIN(TesteOnda)
#include "tst_onda.moc"

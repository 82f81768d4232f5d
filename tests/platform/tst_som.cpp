// Wave sounds and the music player, with or without a sound server.
#include <QtTest>

#include "erro.h"
#include "ondas.h"
#include "som.h"
#include "somwave.h"
#include "tocador.h"

class TesteSom : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  QString Caminho(const QString& nome) const { return pasta_.filePath(nome); }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid());
    QDir::setCurrent(pasta_.path());
    Gravar(Caminho("bom.wav"), OndaPcm(800));
    Gravar(Caminho("real.wav"), OndaPcm(800, 3));
    Gravar(Caminho("vazio.wav"), {});
    Gravar(Caminho("lixo.wav"), QByteArray(300, 'x'));
    Gravar(Caminho("cortado.wav"), OndaPcm(800).left(500));
    QByteArray adpcm = OndaPcm(800);
    adpcm[20] = 2;
    Gravar(Caminho("adpcm.wav"), adpcm);
    Gravar(Caminho("semdados.wav"), OndaPcm(800).left(36));
  }

  void waveHeaderCheck_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("valido");
    QTest::newRow("pcm") << "bom.wav" << true;
    QTest::newRow("float") << "real.wav" << true;
    QTest::newRow("empty") << "vazio.wav" << false;
    QTest::newRow("garbage") << "lixo.wav" << false;
    QTest::newRow("truncated") << "cortado.wav" << false;
    QTest::newRow("compressed") << "adpcm.wav" << false;
    QTest::newRow("no data chunk") << "semdados.wav" << false;
    QTest::newRow("missing") << "nada.wav" << false;
  }
  void waveHeaderCheck() {
    QFETCH(QString, nome);
    QFETCH(bool, valido);
    QCOMPARE(WaveValido(Caminho(nome)), valido);
  }

  void lookupByBareName() {
    QCOMPARE(LocalizarWave("bom.wav"), QFileInfo(Caminho("bom.wav")).absoluteFilePath());
    QVERIFY(LocalizarWave("nada.wav").isEmpty());
    // Beside the executable: its assets folder.
    QDir exe(QCoreApplication::applicationDirPath());
    QVERIFY(exe.mkpath("assets"));
    const QString junto = exe.filePath("assets/so_no_jogo.wav");
    Gravar(junto, OndaPcm(10));
    QCOMPARE(LocalizarWave("so_no_jogo.wav"), QFileInfo(junto).absoluteFilePath());
    // The current folder comes first.
    Gravar(Caminho("so_no_jogo.wav"), OndaPcm(10));
    QCOMPARE(LocalizarWave("so_no_jogo.wav"), QFileInfo(Caminho("so_no_jogo.wav")).absoluteFilePath());
    QFile::remove(junto);
  }

  void soundModuleLoadsOnTheFirstSound() {
    QVERIFY2(LocalizarModuloDeSom().endsWith(QStringLiteral("/varzeno-som.so")), qPrintable(LocalizarModuloDeSom()));
    TSomWave som;
    // Nothing is loaded for a sound box that has not played.
    QVERIFY(som.Fonte().isEmpty());
    QVERIFY(!som.Tocando());
    QVERIFY2(FabricaDeSom(), qPrintable(ErroDoModuloDeSom()));
    QVERIFY(ErroDoModuloDeSom().isEmpty());
  }

  void missingOrDamagedWavePlaysDefaultSound() {
    TSomWave som;
    som.Tocar("Ganhou_inexistente.wav");
    QCOMPARE(som.Fonte(), kSomPadrao);
    som.Tocar("bom.wav");
    QCOMPARE(som.Fonte(), QUrl::fromLocalFile(QFileInfo(Caminho("bom.wav")).absoluteFilePath()));
    // A damaged file after a good one, then a good one again: no freeze.
    for (const char* nome : {"vazio.wav", "lixo.wav", "cortado.wav"}) {
      som.Tocar(nome);
      QCOMPARE(som.Fonte(), kSomPadrao);
      QTest::qWait(20);
    }
    som.Tocar("real.wav");
    QVERIFY(som.Fonte().toLocalFile().endsWith("real.wav"));
    som.Parar();
    QVERIFY(!som.Tocando());
  }

  void monoWavesPlayToTheirEndOnAStereoDevice() {
    // The game's own sounds are mono and a sound server's sink is stereo:
    // where QSoundEffect mapped those channels, Qt 6.8 crashed here.
    if (!QFileInfo::exists(qEnvironmentVariable("PULSE_RUNTIME_PATH") + "/native"))
      QSKIP("no sound server (scripts/run-tests.sh starts one): the sound cannot play here");
    TSomWave som;
    som.Tocar("bom.wav");  // 0.1 s
    QVERIFY(som.Tocando());
    QTRY_VERIFY_WITH_TIMEOUT(!som.Tocando(), 5000);
    Gravar(Caminho("longo.wav"), OndaPcm(16000));  // 2 s, cut off by the next one
    som.Tocar("longo.wav");
    QVERIFY(som.Tocando());
    QTest::qWait(200);
    QVERIFY(som.Tocando());
    som.Tocar("real.wav");
    QVERIFY(som.Tocando());
    QTRY_VERIFY_WITH_TIMEOUT(!som.Tocando(), 5000);
  }

  void musicPlaysToItsEnd() {
    Gravar(Caminho("musica.wav"), OndaPcm(2400));  // 0.3 s
    TMediaPlayer mp;
    QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
    QStringList erros;
    DefinirCaixaDeErro([&](const QString& t) { erros << t; });
    mp.FileName = Caminho("musica.wav");
    mp.Open();
    mp.Play();
    if (!QTest::qWaitFor([&] { return mp.Mode() == TMediaPlayer::mpPlaying || !erros.isEmpty(); }, 5000))
      QFAIL("the music neither started nor failed");
    if (!erros.isEmpty()) {
      // No sound server here: the failure is reported and the player has no file.
      QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
      DefinirCaixaDeErro({});
      QSKIP("no sound server: music cannot play on this machine");
    }
    QTRY_COMPARE_WITH_TIMEOUT(mp.Mode(), TMediaPlayer::mpStopped, 5000);
    // The same file again starts from the beginning.
    mp.Close();
    QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
    mp.Open();
    mp.Play();
    QTRY_COMPARE_WITH_TIMEOUT(mp.Mode(), TMediaPlayer::mpPlaying, 5000);
    mp.Stop();
    QTRY_COMPARE(mp.Mode(), TMediaPlayer::mpStopped);
    DefinirCaixaDeErro({});
    QVERIFY(erros.isEmpty());
  }

  void unplayableMusicIsReportedAndClosed() {
    TMediaPlayer mp;
    QStringList erros;
    QSignalSpy falhou(&mp, &TMediaPlayer::Falhou);
    DefinirCaixaDeErro([&](const QString& t) { erros << t; });
    mp.FileName = Caminho("lixo.wav");
    mp.Open();
    mp.Play();
    QTRY_COMPARE_WITH_TIMEOUT(erros.size(), 1, 5000);
    DefinirCaixaDeErro({});
    QVERIFY(!erros.first().isEmpty());
    QCOMPARE(falhou.size(), 1);
    QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
  }
};

QTEST_MAIN(TesteSom)
#include "tst_som.moc"

// A game whose sound module is missing stays silent and says why: no crash,
// no hang, and the music button reports the fault instead of playing.
#include <QtTest>

#include "erro.h"
#include "ondas.h"
#include "som.h"
#include "somwave.h"
#include "tocador.h"

class TesteSemSom : public QObject {
  Q_OBJECT

 private slots:
  void waveSoundsAreSilent() {
    QVERIFY(LocalizarModuloDeSom().isEmpty());
    TSomWave som;
    QSignalSpy parou(&som, &TSomWave::Parou);
    som.Tocar(QStringLiteral("Ganhou.wav"));
    QVERIFY(som.Fonte().isEmpty());
    QVERIFY(!som.Tocando());
    som.Parar();
    QCOMPARE(parou.size(), 1);
    QVERIFY(!FabricaDeSom());
    QVERIFY2(ErroDoModuloDeSom().contains(QStringLiteral("varzeno-som.so")), qPrintable(ErroDoModuloDeSom()));
  }

  void musicReportsTheMissingModule() {
    QTemporaryDir pasta;
    QVERIFY(pasta.isValid());
    const QString arquivo = pasta.filePath(QStringLiteral("musica.wav"));
    Gravar(arquivo, OndaPcm(800));
    TMediaPlayer mp;
    QStringList erros;
    QSignalSpy falhou(&mp, &TMediaPlayer::Falhou);
    DefinirCaixaDeErro([&](const QString& t) { erros << t; });
    mp.FileName = arquivo;
    mp.Open();
    mp.Play();
    mp.Pause();
    mp.Stop();
    DefinirCaixaDeErro({});
    QCOMPARE(falhou.size(), 1);
    QCOMPARE(erros, QStringList{ErroDoModuloDeSom()});
    QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
    mp.Close();
    QCOMPARE(mp.Mode(), TMediaPlayer::mpNotReady);
  }
};

QTEST_MAIN(TesteSemSom)
#include "tst_sem_som.moc"

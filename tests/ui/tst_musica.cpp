// Wave sounds of the window and the player's own music.
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

#include "erro.h"
#include "notebook.h"
#include "ondas.h"
#include "programa.h"
#include "somwave.h"
#include "tocador.h"

class TesteMusica : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  QUrl Arquivo(const QString& nome) { return QUrl::fromLocalFile(QFileInfo(pasta_.filePath(nome)).absoluteFilePath()); }

  // Answers the music dialog once it is open: a path, or cancel when empty.
  void Responder(const QString& caminho) {
    auto* t = new QTimer(this);
    connect(t, &QTimer::timeout, this, [t, caminho, this] {
      auto* d = F().OpenMp3;
      if (!d->isVisible()) return;
      t->deleteLater();
      t->stop();
      if (caminho.isEmpty()) return d->reject();
      // Typed as the player would, so a path that does not exist gets through.
      d->findChild<QLineEdit*>("fileNameEdit")->setText(caminho);
      QMetaObject::invokeMethod(d, "accept");
    });
    t->start(20);
  }

  bool MusicaTocando() {
    return QTest::qWaitFor([&] { return F().MPlayer->Mode() == TMediaPlayer::mpPlaying; }, 5000);
  }

 private slots:
  void initTestCase() {
    QDir::setCurrent(pasta_.path());
    Gravar(pasta_.filePath("Ganhou.wav"), OndaPcm(800));
    Gravar(pasta_.filePath("Perdeu.wav"), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16));
    Gravar(pasta_.filePath("longa.wav"), OndaPcm(40000));  // 5 s of music
    Gravar(pasta_.filePath("curta.wav"), OndaPcm(1600));   // 0.2 s
  }
  void init() { p_ = std::make_unique<TPrograma>(); }
  void cleanup() { p_.reset(); }

  void startupMusicAndDialogSettings() {
    // It starts once the window has been painted.
    QVERIFY(F().Som->Fonte().isEmpty());
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
    // Not in the test folder: the game's own assets or the default sound.
    QTRY_VERIFY(F().Som->Fonte().fileName() == "musica.wav" || F().Som->Fonte() == kSomPadrao);
    QCOMPARE(F().DialogoDeMusica()->windowTitle(), QString("Escolha uma música..."));
    QCOMPARE(F().DialogoDeMusica()->nameFilters(), QStringList({"Arquivos Mp3 (*.mp3)", "Todos os Arquivos (*)"}));
    QCOMPARE(F().DialogoDeMusica()->defaultSuffix(), QString("mp3"));
    QCOMPARE(F().DialogoDeMusica()->directory().absolutePath(),
             QDir(QCoreApplication::applicationDirPath()).absolutePath());
  }

  void missingOrDamagedWavePlaysDefaultSound() {
    TocarSom("Ganhou.wav");
    QCOMPARE(F().Som->Fonte(), Arquivo("Ganhou.wav"));
    TocarSom("Perdeu.wav");  // damaged: must not freeze the next one
    QCOMPARE(F().Som->Fonte(), kSomPadrao);
    TocarSom("naoexiste.wav");
    QCOMPARE(F().Som->Fonte(), kSomPadrao);
    TocarSom("Ganhou.wav");
    QCOMPARE(F().Som->Fonte(), Arquivo("Ganhou.wav"));
  }

  void wavesSilentOnceMusicHasStarted() {
    TocarSom("Ganhou.wav");
    F().MPlayer->FileName = pasta_.filePath("longa.wav");
    F().MPlayer->Open();
    F().MPlayer->Play();
    QVERIFY(MusicaTocando());
    TocarSom("naoexiste.wav");  // silent: the source stays as it was
    QVERIFY(F().Som->Fonte() != kSomPadrao);
    F().MPlayer->Pause();
    QTRY_COMPARE(F().MPlayer->Mode(), TMediaPlayer::mpPaused);
    TocarSom("naoexiste.wav");
    QVERIFY(F().Som->Fonte() != kSomPadrao);
    F().MPlayer->Stop();
    QTRY_COMPARE(F().MPlayer->Mode(), TMediaPlayer::mpStopped);
    TocarSom("naoexiste.wav");
    QVERIFY(F().Som->Fonte() != kSomPadrao);
    F().MPlayer->Close();
    TocarSom("naoexiste.wav");
    QCOMPARE(F().Som->Fonte(), kSomPadrao);
  }

  void musicButtonChoosesStopsAndOpensAgain() {
    F().Abook->hide();
    F().show();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
    QTRY_VERIFY(!F().Som->Fonte().isEmpty());  // the start-up music has begun
    TocarSom("Ganhou.wav");
    QWindow* w = F().windowHandle();
    const QPoint botao(467, 30);
    Responder(QString());  // cancel: nothing
    QTest::mouseClick(w, Qt::RightButton, {}, botao);
    QCOMPARE(F().MPlayer->Mode(), TMediaPlayer::mpNotReady);
    Responder(pasta_.filePath("nada.mp3"));  // a path that does not exist: nothing
    QTest::mouseClick(w, Qt::LeftButton, {}, botao);
    QCOMPARE(F().MPlayer->Mode(), TMediaPlayer::mpNotReady);
    Responder(pasta_.filePath("longa.wav"));
    QTest::mouseClick(w, Qt::LeftButton, {}, botao);
    QVERIFY(MusicaTocando());
    QCOMPARE(F().DialogoDeMusica()->directory().absolutePath(), QFileInfo(pasta_.path()).absoluteFilePath());
    QTest::mouseClick(w, Qt::LeftButton, {}, botao);  // playing: the button stops it
    QTRY_COMPARE(F().MPlayer->Mode(), TMediaPlayer::mpStopped);
    Responder(pasta_.filePath("curta.wav"));  // stopped: the dialog again
    QTest::mouseClick(w, Qt::LeftButton, {}, botao);
    QVERIFY(MusicaTocando());
    QTRY_COMPARE_WITH_TIMEOUT(F().MPlayer->Mode(), TMediaPlayer::mpStopped, 5000);
    // The music ended: the wave sounds stay silent for the rest of the run.
    TocarSom("naoexiste.wav");
    QCOMPARE(F().Som->Fonte(), Arquivo("Ganhou.wav"));
  }

  void unplayableMusicIsReported() {
    QStringList caixa;
    DefinirCaixaDeErro([&](const QString& t) { caixa << t; });
    F().Abook->hide();
    F().show();
    QVERIFY(QTest::qWaitForWindowActive(&F()));
    Responder(pasta_.filePath("Perdeu.wav"));
    QTest::mouseClick(F().windowHandle(), Qt::LeftButton, {}, QPoint(467, 30));
    QTRY_COMPARE_WITH_TIMEOUT(caixa.size(), 1, 5000);
    DefinirCaixaDeErro({});
    QCOMPARE(F().MPlayer->Mode(), TMediaPlayer::mpNotReady);
    TocarSom("naoexiste.wav");  // no music: the waves play again
    QCOMPARE(F().Som->Fonte(), kSomPadrao);
  }
};

int main(int argc, char** argv) {
  TAplicacao app(argc, argv);
  TesteMusica t;
  return QTest::qExec(&t, argc, argv);
}
#include "tst_musica.moc"

// Wave sounds and the player's own music.
#include <QFileDialog>
#include <QFileInfo>

#include "Unit1.h"
#include "dialogo_arquivo.h"
#include "somwave.h"
#include "tocador.h"

void TForm1::MontarSom() {
  Som = new TSomWave(this);
  MPlayer = new TMediaPlayer(this);
}

QFileDialog* TForm1::DialogoDeMusica() {
  if (OpenMp3) return OpenMp3;
  // Made on first use: building a file dialog costs a good part of start-up.
  OpenMp3 = new QFileDialog(this, QStringLiteral("Escolha uma música..."));
  OpenMp3->setObjectName("OpenMp3");
  OpenMp3->setAcceptMode(QFileDialog::AcceptOpen);
  OpenMp3->setFileMode(QFileDialog::AnyFile);
  OpenMp3->setNameFilters({QStringLiteral("Arquivos Mp3 (*.mp3)"), QStringLiteral("Todos os Arquivos (*)")});
  OpenMp3->setDefaultSuffix(QStringLiteral("mp3"));
  RecolherSugestoesAoFechar(*OpenMp3);
  // A file the player cannot open leaves the dialog where it was.
  connect(MPlayer, &TMediaPlayer::Falhou, this, [this] {
    if (pastaAntesDaMusica_.isEmpty()) return;
    PastaDaMusica = pastaAntesDaMusica_;
    OpenMp3->setDirectory(PastaDaMusica);
  });
  OpenMp3->setDirectory(PastaDaMusica);
  return OpenMp3;
}

void TForm1::TocarSom(const QString& nome) {
  // Once the player has started music, the wave sounds stay silent.
  switch (MPlayer->Mode()) {
    case TMediaPlayer::mpStopped:
    case TMediaPlayer::mpPlaying:
    case TMediaPlayer::mpPaused:
      return;
    default:
      Som->Tocar(nome);
  }
}

void TForm1::PararSom() { Som->Parar(); }

void TForm1::Image9MouseUp() {
  if (MPlayer->Mode() == TMediaPlayer::mpPlaying) {
    MPlayer->Stop();
    return;
  }
  if (DialogoDeMusica()->exec() != QDialog::Accepted) return;
  const QString arquivo = OpenMp3->selectedFiles().value(0);
  if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile()) return;
  PararSom();
  MPlayer->Close();
  MPlayer->FileName = arquivo;
  MPlayer->Open();
  MPlayer->Play();
  pastaAntesDaMusica_ = PastaDaMusica;
  PastaDaMusica = QFileInfo(arquivo).absolutePath() + QLatin1Char('/');
  OpenMp3->setDirectory(PastaDaMusica);
  OpenMp3->selectFile(QString());
}

void TocarSom(const QString& nome) {
  if (Form1) Form1->TocarSom(nome);
}

void PararSom() {
  if (Form1) Form1->PararSom();
}

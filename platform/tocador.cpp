#include "tocador.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include "erro.h"

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent) {}

TMediaPlayer::~TMediaPlayer() {
  if (player_) player_->stop();
}

void TMediaPlayer::Criar() {
  if (player_) return;
  // Made on first use: the media layer is heavy to bring up at start.
  player_ = new QMediaPlayer(this);
  saida_ = new QAudioOutput(this);
  player_->setAudioOutput(saida_);
  // Errors arrive as a signal after the call that caused them; report them
  // from the event loop, not from inside the media layer.
  connect(player_, &QMediaPlayer::errorOccurred, this, &TMediaPlayer::AoErro, Qt::QueuedConnection);
}

void TMediaPlayer::Open() {
  Criar();
  // The same file again needs the source cleared first or nothing reloads.
  player_->setSource(QUrl());
  player_->setSource(QUrl::fromLocalFile(FileName));
  aberto_ = true;
}

void TMediaPlayer::Play() {
  if (!aberto_) return;
  player_->setPosition(0);
  player_->play();
}

void TMediaPlayer::Stop() {
  if (player_) player_->stop();
}

void TMediaPlayer::Pause() {
  if (player_) player_->pause();
}

void TMediaPlayer::Close() {
  aberto_ = false;
  if (!player_) return;
  player_->stop();
  player_->setSource(QUrl());
}

TMediaPlayer::TMPModes TMediaPlayer::Mode() const {
  if (!aberto_) return mpNotReady;
  const auto estado = player_->mediaStatus();
  // InvalidMedia leaves the playback state at "playing": that is no file.
  if (estado == QMediaPlayer::InvalidMedia || player_->error() != QMediaPlayer::NoError) return mpNotReady;
  switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState:
      return mpPlaying;
    case QMediaPlayer::PausedState:
      return mpPaused;
    case QMediaPlayer::StoppedState:
      break;
  }
  if (estado == QMediaPlayer::LoadingMedia || estado == QMediaPlayer::NoMedia) return mpOpen;
  return mpStopped;
}

void TMediaPlayer::AoErro() {
  if (player_->error() == QMediaPlayer::NoError || !aberto_) return;
  const QString texto = player_->errorString();
  Close();
  emit Falhou(texto);
  MostrarErro(texto);
}

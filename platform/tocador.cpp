#include "tocador.h"

#include <QUrl>

#include "erro.h"
#include "som.h"

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent) {}

// The player stops itself as it goes.
TMediaPlayer::~TMediaPlayer() = default;

bool TMediaPlayer::Criar() {
  if (reprodutor_) return true;
  // Made on first use: the media layer is heavy to bring up at start.
  IFabricaDeSom* fabrica = FabricaDeSom();
  if (!fabrica) return false;
  reprodutor_ = fabrica->CriarReprodutor();
  reprodutor_->AoErro = [this] { AoErro(); };
  return true;
}

void TMediaPlayer::Open() {
  if (!Criar()) {
    Falhar(ErroDoModuloDeSom());
    return;
  }
  reprodutor_->Abrir(QUrl::fromLocalFile(FileName));
  aberto_ = true;
}

void TMediaPlayer::Play() {
  if (aberto_) reprodutor_->TocarDoInicio();
}

void TMediaPlayer::Stop() {
  if (reprodutor_) reprodutor_->Parar();
}

void TMediaPlayer::Pause() {
  if (reprodutor_) reprodutor_->Pausar();
}

void TMediaPlayer::Close() {
  aberto_ = false;
  if (reprodutor_) reprodutor_->Fechar();
}

TMediaPlayer::TMPModes TMediaPlayer::Mode() const {
  if (!aberto_) return mpNotReady;
  switch (reprodutor_->Estado()) {
    case IReprodutor::TEstado::Invalido:
      return mpNotReady;
    case IReprodutor::TEstado::Carregando:
      return mpOpen;
    case IReprodutor::TEstado::Parado:
      return mpStopped;
    case IReprodutor::TEstado::Tocando:
      return mpPlaying;
    case IReprodutor::TEstado::Pausado:
      return mpPaused;
  }
  return mpNotReady;
}

void TMediaPlayer::AoErro() {
  const QString texto = reprodutor_->Erro();
  if (texto.isEmpty() || !aberto_) return;
  Close();
  Falhar(texto);
}

void TMediaPlayer::Falhar(const QString& texto) {
  emit Falhou(texto);
  MostrarErro(texto);
}

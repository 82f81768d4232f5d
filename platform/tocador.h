#pragma once
// The player's own music: a hidden media player that opens one file, plays
// it once from the start and reports its mode.

#include <QObject>
#include <QString>
#include <memory>

class IReprodutor;

class TMediaPlayer : public QObject {
  Q_OBJECT
 public:
  enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

  explicit TMediaPlayer(QObject* parent = nullptr);
  ~TMediaPlayer() override;

  QString FileName;

  // Opens FileName; an error from the media layer comes later, through the
  // error box, and leaves the player with no file. Without the sound module
  // the error comes at once.
  void Open();
  void Play();  // from the start, once, without waiting
  void Stop();
  void Pause();
  void Close();
  TMPModes Mode() const;

 signals:
  // The media layer could not play the file (already closed again).
  void Falhou(const QString& texto);

 private:
  bool Criar();
  void AoErro();
  void Falhar(const QString& texto);

  std::unique_ptr<IReprodutor> reprodutor_;
  bool aberto_ = false;
};

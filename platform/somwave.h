#pragma once
// Wave sounds played once in the background, one at a time.

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class IEfeitoSonoro;

// True when the file is a RIFF/WAVE file in PCM or float format whose data
// chunk lies wholly inside the file (see onda.h); anything else plays the
// default sound instead.
bool WaveValido(const QString& caminho);

// Finds a wave file by its bare name: the current folder first, then the
// game's assets folder (beside the executable in the build tree, then the
// installed data folder). Empty when none has it.
QString LocalizarWave(const QString& nome);

// The sound played in place of a missing or damaged file.
inline const QUrl kSomPadrao{QStringLiteral("qrc:/assets/padrao.wav")};

// One reused sound effect: a new sound cuts off the one still playing. The
// sound module is loaded by the first sound, not before.
class TSomWave : public QObject {
  Q_OBJECT
 public:
  explicit TSomWave(QObject* parent = nullptr);
  ~TSomWave() override;

  // Starts the named wave and returns at once.
  void Tocar(const QString& nome);
  // Stops the sound that is playing, if any.
  void Parar();
  // The source last handed to the sound effect (empty before the first,
  // and while there is no sound module).
  QUrl Fonte() const;
  bool Tocando() const;

 signals:
  void Parou();

 private:
  IEfeitoSonoro* Efeito();
  std::unique_ptr<IEfeitoSonoro> efeito_;
};

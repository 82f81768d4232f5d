// The sound module: the game's sound interfaces over Qt Multimedia.
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <QSoundEffect>

#include "som.h"

namespace {

class TEfeitoQt : public IEfeitoSonoro {
 public:
  ~TEfeitoQt() override { efeito_.stop(); }
  void Tocar(const QUrl& fonte) override {
    efeito_.stop();
    efeito_.setSource(fonte);
    efeito_.play();
  }
  void Parar() override { efeito_.stop(); }
  QUrl Fonte() const override { return efeito_.source(); }
  bool Tocando() const override { return efeito_.isPlaying(); }

 private:
  QSoundEffect efeito_;
};

class TReprodutorQt : public IReprodutor {
 public:
  TReprodutorQt() {
    player_.setAudioOutput(&saida_);
    // Errors arrive as a signal from inside the media layer: hand them on
    // from the event loop.
    QObject::connect(
        &player_, &QMediaPlayer::errorOccurred, &player_,
        [this] {
          if (AoErro) AoErro();
        },
        Qt::QueuedConnection);
  }
  ~TReprodutorQt() override { player_.stop(); }

  void Abrir(const QUrl& arquivo) override {
    // The same file again needs the source cleared first or nothing reloads.
    player_.setSource(QUrl());
    player_.setSource(arquivo);
  }
  void TocarDoInicio() override {
    player_.setPosition(0);
    player_.play();
  }
  void Parar() override { player_.stop(); }
  void Pausar() override { player_.pause(); }
  void Fechar() override {
    player_.stop();
    player_.setSource(QUrl());
  }
  TEstado Estado() const override {
    const auto estado = player_.mediaStatus();
    // InvalidMedia leaves the playback state at "playing": that is no file.
    if (estado == QMediaPlayer::InvalidMedia || player_.error() != QMediaPlayer::NoError) return TEstado::Invalido;
    switch (player_.playbackState()) {
      case QMediaPlayer::PlayingState:
        return TEstado::Tocando;
      case QMediaPlayer::PausedState:
        return TEstado::Pausado;
      case QMediaPlayer::StoppedState:
        break;
    }
    if (estado == QMediaPlayer::LoadingMedia || estado == QMediaPlayer::NoMedia) return TEstado::Carregando;
    return TEstado::Parado;
  }
  QString Erro() const override {
    if (player_.error() == QMediaPlayer::NoError) return {};
    const QString texto = player_.errorString();
    return texto.isEmpty() ? QStringLiteral("não foi possível tocar o arquivo") : texto;
  }

 private:
  // The output first: the player refers to it until it is gone.
  QAudioOutput saida_;
  QMediaPlayer player_;
};

}  // namespace

class TFabricaQt : public QObject, public IFabricaDeSom {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID IFabricaDeSom_iid)
  Q_INTERFACES(IFabricaDeSom)

 public:
  std::unique_ptr<IEfeitoSonoro> CriarEfeito() override { return std::make_unique<TEfeitoQt>(); }
  std::unique_ptr<IReprodutor> CriarReprodutor() override { return std::make_unique<TReprodutorQt>(); }
};

#include "som_qt.moc"

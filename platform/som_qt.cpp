// The sound module: the game's sound interfaces over Qt Multimedia.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QObject>
#include <algorithm>
#include <climits>
#include <memory>

#include "onda.h"
#include "som.h"

namespace {

// A wave through the sound server, converted as it plays (onda.h says why
// not QSoundEffect). No device, or a format the device refuses, is silence.
class TEfeitoQt : public IEfeitoSonoro {
 public:
  // At exit nothing waits on the loop any more: the sink goes at once.
  ~TEfeitoQt() override {
    if (sink_) sink_->disconnect();
  }

  void Tocar(const QUrl& fonte) override {
    Parar();
    fonte_ = fonte;
    auto arquivo = std::make_unique<QFile>(Caminho(fonte));
    if (!arquivo->open(QIODevice::ReadOnly)) return;
    const auto formato = LerFormatoOnda(*arquivo);
    if (!formato) return;
    const QAudioDevice saida = QMediaDevices::defaultAudioOutput();
    if (saida.isNull()) return;

    // Float samples in the device's own channels, at the wave's rate: the
    // server converts rates, and no channel mapping is left to Qt.
    int canais = saida.preferredFormat().channelCount();
    if (canais <= 0) canais = std::min<int>(formato->canais, 2);
    QAudioFormat f;
    f.setSampleRate(int(std::min<quint32>(formato->taxa, INT_MAX)));
    f.setSampleFormat(QAudioFormat::Float);
    f.setChannelCount(canais);
    if (!saida.isFormatSupported(f)) return;

    sink_ = std::make_unique<QAudioSink>(saida, f);
    QAudioSink* sink = sink_.get();
    // The stream goes with the sink that reads it, after it.
    auto* fluxo = new TOndaEmFloat(std::move(arquivo), *formato, canais);
    fluxo->setParent(sink);
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [this, sink, fluxo](QAudio::State estado) {
      // Idle also comes when the server runs short in the middle; only the
      // end of the wave ends the sound.
      if (estado == QAudio::StoppedState || (estado == QAudio::IdleState && fluxo->atEnd())) {
        tocando_ = false;
        if (estado == QAudio::IdleState)
          QMetaObject::invokeMethod(
              sink,
              [this, sink, vivo = std::weak_ptr<int>(vivo_)] {
                if (!vivo.expired() && sink_.get() == sink) Parar();
              },
              Qt::QueuedConnection);
      }
    });
    sink->start(fluxo);
    tocando_ = sink->error() == QAudio::NoError && sink->state() != QAudio::StoppedState;
  }

  // The sink is stopped and deleted from the event loop, never here: Qt
  // 6.4's sink runs the event loop while it closes, which would let the
  // window act (take the focus back, say) in the middle of the caller, and
  // Qt 6.8's stop waits until the server has played all it holds.
  void Parar() override {
    tocando_ = false;
    if (!sink_) return;
    QAudioSink* sink = sink_.release();
    sink->disconnect();
    sink->setVolume(0);
    sink->suspend();
    sink->deleteLater();
  }
  QUrl Fonte() const override { return fonte_; }
  bool Tocando() const override { return tocando_; }

 private:
  static QString Caminho(const QUrl& fonte) {
    if (fonte.scheme() == QLatin1String("qrc")) return QLatin1Char(':') + fonte.path();
    return fonte.toLocalFile();
  }

  QUrl fonte_;
  bool tocando_ = false;
  std::unique_ptr<QAudioSink> sink_;
  // Gone with the effect, for what the loop runs later.
  std::shared_ptr<int> vivo_ = std::make_shared<int>(0);
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

#pragma once
// Photos decoded off the window's thread: a pool of as many workers as the
// machine has cores, so that a slow picture (a metafile whose helper takes
// its whole time) never holds the window, and several load side by side.

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <stop_token>

class TCarregadorFotos : public QObject {
  Q_OBJECT
 public:
  // The picture, or an empty one and the error's text.
  using TPronto = std::function<void(const QImage& foto, const QString& erro)>;

  explicit TCarregadorFotos(QObject* parent = nullptr);
  // Stops every load still running (a metafile's helper is ended) and waits
  // for the workers; no answer comes after.
  ~TCarregadorFotos() override;

  // Loads `caminho` as a photo of at most `lado` pixels a side; `pronto`
  // runs later on this object's thread, unless the load is cancelled
  // first. Returns the load's number.
  quint64 Carregar(const QString& caminho, int lado, TPronto pronto);
  // Drops a load: its answer never comes, and its work stops soon.
  void Cancelar(quint64 numero);
  int Pendentes() const { return int(pendentes_.size()); }

 private:
  struct TPedido {
    std::stop_source parar;
    TPronto pronto;
  };
  void Responder(quint64 numero, const QImage& foto, const QString& erro);

  QThreadPool pool_;
  QHash<quint64, std::shared_ptr<TPedido>> pendentes_;
  quint64 ultimo_ = 0;
};

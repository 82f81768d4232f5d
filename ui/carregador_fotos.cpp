#include "carregador_fotos.h"

#include <QThread>
#include <exception>

#include "figuras.h"

TCarregadorFotos::TCarregadorFotos(QObject* parent) : QObject(parent) {
  pool_.setMaxThreadCount(QThread::idealThreadCount());
  // Idle workers leave soon: the photos load at start and on a choice.
  pool_.setExpiryTimeout(2000);
}

TCarregadorFotos::~TCarregadorFotos() {
  for (const auto& pedido : std::as_const(pendentes_)) pedido->parar.request_stop();
  pool_.clear();  // those not begun never begin
  pool_.waitForDone();
}

quint64 TCarregadorFotos::Carregar(const QString& caminho, int lado, TPronto pronto) {
  const quint64 numero = ++ultimo_;
  auto pedido = std::make_shared<TPedido>();
  pedido->pronto = std::move(pronto);
  pendentes_.insert(numero, pedido);
  const std::stop_token parar = pedido->parar.get_token();
  pool_.start([this, numero, caminho, lado, parar] {
    QImage foto;
    QString erro;
    if (parar.stop_requested()) return;
    try {
      foto = CarregarFigura(caminho, lado, parar);
    } catch (const std::exception& e) {
      erro = QString::fromUtf8(e.what());
    }
    if (parar.stop_requested()) return;
    // This object outlives every worker (its destructor waits for them),
    // and an answer still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(
        this, [this, numero, foto, erro] { Responder(numero, foto, erro); }, Qt::QueuedConnection);
  });
  return numero;
}

void TCarregadorFotos::Cancelar(quint64 numero) {
  if (const auto pedido = pendentes_.take(numero)) pedido->parar.request_stop();
}

void TCarregadorFotos::Responder(quint64 numero, const QImage& foto, const QString& erro) {
  const auto pedido = pendentes_.take(numero);
  if (!pedido) return;  // cancelled meanwhile
  pedido->pronto(foto, erro);
}

#include "erro.h"

#include <QMessageBox>

namespace {
std::function<void(const QString&)>& Caixa() {
  static std::function<void(const QString&)> caixa;
  return caixa;
}
}  // namespace

void MostrarErro(const QString& texto) {
  if (Caixa()) {
    Caixa()(texto);
    return;
  }
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), texto);
}

void DefinirCaixaDeErro(std::function<void(const QString&)> caixa) { Caixa() = std::move(caixa); }

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacao::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& e) {
    MostrarErro(QString::fromLocal8Bit(e.what()));
    return false;
  }
}

#include "somwave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dados.h"
#include "onda.h"
#include "som.h"

bool WaveValido(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) && LerFormatoOnda(f).has_value();
}

QString LocalizarWave(const QString& nome) {
  if (nome.isEmpty()) return {};
  if (QFileInfo(nome).isFile()) return QFileInfo(nome).absoluteFilePath();
  return LocalizarNoJogo(nome);
}

TSomWave::TSomWave(QObject* parent) : QObject(parent) {}

// The effect stops itself as it goes.
TSomWave::~TSomWave() = default;

IEfeitoSonoro* TSomWave::Efeito() {
  if (!efeito_)
    if (IFabricaDeSom* fabrica = FabricaDeSom()) efeito_ = fabrica->CriarEfeito();
  return efeito_.get();
}

void TSomWave::Tocar(const QString& nome) {
  const QString caminho = LocalizarWave(nome);
  const QUrl fonte = !caminho.isEmpty() && WaveValido(caminho) ? QUrl::fromLocalFile(caminho) : kSomPadrao;
  if (IEfeitoSonoro* efeito = Efeito()) efeito->Tocar(fonte);
}

void TSomWave::Parar() {
  if (efeito_) efeito_->Parar();
  emit Parou();
}

QUrl TSomWave::Fonte() const { return efeito_ ? efeito_->Fonte() : QUrl(); }

bool TSomWave::Tocando() const { return efeito_ && efeito_->Tocando(); }

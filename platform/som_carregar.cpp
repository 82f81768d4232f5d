#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <cstdio>

#include "som.h"

// Set by the build from the install directories; the default of a GNU
// layout (bin and lib under one prefix).
#ifndef VARZENO_MODULOS_RELATIVO
#define VARZENO_MODULOS_RELATIVO "../lib/varzeno"
#endif

namespace {

QString& CaminhoDefinido() {
  static QString caminho;
  return caminho;
}

struct TModulo {
  IFabricaDeSom* fabrica = nullptr;
  QString erro;
};

TModulo Carregar() {
  TModulo m;
  const QString caminho = LocalizarModuloDeSom();
  if (caminho.isEmpty()) {
    m.erro = QStringLiteral("o módulo de som (%1) não foi encontrado").arg(QLatin1String(kModuloDeSom));
  } else {
    // Never unloaded: the sound objects it made live until the program ends.
    auto* carregador = new QPluginLoader(caminho, qApp);
    m.fabrica = qobject_cast<IFabricaDeSom*>(carregador->instance());
    if (!m.fabrica) m.erro = QStringLiteral("o módulo de som não carregou: %1").arg(carregador->errorString());
  }
  if (!m.fabrica) std::fprintf(stderr, "varzeno: %s; o jogo fica sem som\n", qPrintable(m.erro));
  return m;
}

const TModulo& Modulo() {
  static const TModulo modulo = Carregar();
  return modulo;
}

}  // namespace

void DefinirModuloDeSom(const QString& caminho) { CaminhoDefinido() = caminho; }

QString LocalizarModuloDeSom() {
  const QString exe = QCoreApplication::applicationDirPath();
  const QString instalado = QDir::cleanPath(exe + QLatin1Char('/') + QStringLiteral(VARZENO_MODULOS_RELATIVO));
  for (const QString& candidato :
       {CaminhoDefinido(), exe + QLatin1Char('/') + QLatin1String(kModuloDeSom),
        instalado + QLatin1Char('/') + QLatin1String(kModuloDeSom)}) {
    if (!candidato.isEmpty() && QFileInfo(candidato).isFile()) return QFileInfo(candidato).absoluteFilePath();
  }
  return {};
}

IFabricaDeSom* FabricaDeSom() { return Modulo().fabrica; }

QString ErroDoModuloDeSom() { return Modulo().erro; }

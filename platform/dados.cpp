#include "dados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Set by the build from the install directories; these are the defaults of
// a GNU layout (bin, share, libexec under one prefix).
#ifndef VARZENO_DADOS_RELATIVO
#define VARZENO_DADOS_RELATIVO "../share/varzeno/assets"
#endif
#ifndef VARZENO_AUXILIARES_RELATIVO
#define VARZENO_AUXILIARES_RELATIVO "../libexec/varzeno"
#endif

namespace {
QString Junto(const QString& pasta, const char* relativo) {
  return QDir::cleanPath(pasta + QLatin1Char('/') + QString::fromUtf8(relativo));
}
}  // namespace

QStringList PastasDoJogo() {
  const QString exe = QCoreApplication::applicationDirPath();
  return {exe + QStringLiteral("/assets"), Junto(exe, VARZENO_DADOS_RELATIVO)};
}

QString LocalizarNoJogo(const QString& relativo) {
  for (const QString& pasta : PastasDoJogo()) {
    const QFileInfo fi(QDir(pasta), relativo);
    if (fi.isFile()) return fi.absoluteFilePath();
  }
  return {};
}

QString LocalizarAuxiliar(const QString& nome) {
  const QString exe = QCoreApplication::applicationDirPath();
  for (const QString& pasta : {exe, Junto(exe, VARZENO_AUXILIARES_RELATIVO)}) {
    const QFileInfo fi(QDir(pasta), nome);
    if (fi.isFile() && fi.isExecutable()) return fi.absoluteFilePath();
  }
  return {};
}

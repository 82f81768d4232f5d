#include "dados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList PastasDoJogo() {
  const QString exe = QCoreApplication::applicationDirPath();
  return {exe + QStringLiteral("/assets"), exe + QStringLiteral("/../share/varzeno/assets")};
}

QString LocalizarNoJogo(const QString& relativo) {
  for (const QString& pasta : PastasDoJogo()) {
    const QFileInfo fi(QDir(pasta), relativo);
    if (fi.isFile()) return fi.absoluteFilePath();
  }
  return {};
}

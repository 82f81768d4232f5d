// The game as it starts with six metafile photos whose helper takes its
// time (it waits as long as the game lives), reporting its main window's
// first paint: the window must not wait for the photos.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "figuras.h"
#include "primeira_pintura.h"
#include "programa.h"

int main(int argc, char** argv) {
  // A folder of its own beside the program, made again at every run (the
  // measure ends the process at once, so nothing would clean a temporary one).
  const QString lugar = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
  const QDir pasta(lugar + QStringLiteral("/inicio_lento"));
  if (!QDir().mkpath(pasta.path())) return 1;
  const QString auxiliar = pasta.filePath("lento.sh");
  QFile script(auxiliar);
  // Busy as long as the game runs, and gone soon after it.
  const QByteArray corpo = "#!/bin/sh\nwhile kill -0 $PPID 2>/dev/null; do sleep 0.2; done\n";
  if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate) || script.write(corpo) != corpo.size()) return 1;
  script.close();
  QFile::setPermissions(auxiliar, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QByteArray ini = "0\r\n";
  for (int k = 1; k <= 6; ++k) {
    const QString foto = pasta.filePath(QStringLiteral("foto%1.emf").arg(k));
    QFile f(foto);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write("x") != 1) return 1;
    ini += foto.toLocal8Bit() + "\r\nCandidato\r\nPartido\r\n";
  }
  QFile arquivo(pasta.filePath("jogo.ini"));
  if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || arquivo.write(ini) != ini.size()) return 1;
  arquivo.close();
  // The game's sounds and pages are looked up beside the program, not in
  // the current folder.
  if (!QDir::setCurrent(pasta.path())) return 1;
  DefinirAuxiliarMetafile(auxiliar);

  TPrimeiraPintura filtro;
  return ExecutarJogo(argc, argv, [&](TPrograma& p) { p.Form1.installEventFilter(&filtro); });
}

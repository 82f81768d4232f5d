#include "shell.h"

#include <QDesktopServices>
#include <QUrl>

void AbrirEndereco(const QString& endereco) { QDesktopServices::openUrl(QUrl::fromUserInput(endereco)); }

#pragma once
#include <QString>

// Opens an address in the desktop's browser. A failure is not reported.
void AbrirEndereco(const QString& endereco);

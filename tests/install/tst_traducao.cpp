// Qt's own dialogs speak Portuguese: the game loads Qt's pt_BR catalogue at
// start-up, so the photo dialog and the music dialog show Portuguese
// buttons and labels; and they letter in the game's Arial. Runs the game's
// real start-up, then quits.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "dialogo_fotos.h"
#include "programa.h"

namespace {
int g_falhas = 0;

void Esperar(const char* oQue, const QString& obtido, const QString& esperado) {
  if (obtido == esperado) return;
  ++g_falhas;
  std::fprintf(stderr, "FALHA: %s: \"%s\", esperado \"%s\"\n", oQue, qPrintable(obtido), qPrintable(esperado));
}

// The texts of a file dialog's two buttons and of its "Look in:" label.
void ConferirDialogo(const char* nome, QFileDialog& dialogo) {
  const auto* botoes = dialogo.findChild<QDialogButtonBox*>();
  if (!botoes) {
    ++g_falhas;
    std::fprintf(stderr, "FALHA: %s: no button box (a native dialog?)\n", nome);
    return;
  }
  const QPushButton* abrir = botoes->button(QDialogButtonBox::Open);
  const QPushButton* cancelar = botoes->button(QDialogButtonBox::Cancel);
  Esperar(nome, abrir ? abrir->text() : QString(), QStringLiteral("&Abrir"));
  Esperar(nome, cancelar ? cancelar->text() : QString(), QStringLiteral("Cancelar"));
  const auto* olhar = dialogo.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  Esperar(nome, olhar ? olhar->text() : QString(), QStringLiteral("Procurar em:"));
  Esperar(nome, abrir ? abrir->font().family() : QString(), QStringLiteral("Arial"));
}
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  bool rodou = false;
  const int status = ExecutarJogo(argc, argv, [&](TPrograma& programa) {
    rodou = true;
    Esperar("QFileDialog Open", QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Abrir"));
    Esperar("QPlatformTheme Cancel", QCoreApplication::translate("QPlatformTheme", "Cancel"),
            QStringLiteral("Cancelar"));
    TDialogoFotos fotos(&programa.Form1);
    ConferirDialogo("photo dialog", fotos);
    QFileDialog* musica = programa.Form1.DialogoDeMusica();
    musica->setOption(QFileDialog::DontUseNativeDialog, true);  // offscreen has none anyway
    ConferirDialogo("music dialog", *musica);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
  if (!rodou) {
    std::fprintf(stderr, "FALHA: the game did not start\n");
    return 1;
  }
  if (status != 0) std::fprintf(stderr, "FALHA: exit status %d\n", status);
  return g_falhas || status ? 1 : 0;
}

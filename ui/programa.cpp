#include "programa.h"

#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "acessivel.h"
#include "ambiente.h"
#include "dados.h"
#include "erro.h"
#include "figuras.h"
#include "fontes.h"
#include "sinais.h"
#include "som.h"

namespace {

// Qt's own dialogs (the photo and music file dialogs) speak the game's
// language whatever the desktop's: Debian's qt6-translations-l10n holds the
// catalogue. Without it they stay in English.
void TraduzirDialogosDoQt(QCoreApplication& app) {
  auto* tradutor = new QTranslator(&app);
  if (tradutor->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(tradutor);
  else
    delete tradutor;
}

// An installed game keeps the metafile helper in its helpers folder rather
// than beside itself in bin.
void AcharAuxiliarMetafile() {
  if (QFileInfo(AuxiliarMetafile()).isExecutable()) return;
  const QString instalado = LocalizarAuxiliar(QStringLiteral("varzeno-metafile"));
  if (!instalado.isEmpty()) DefinirAuxiliarMetafile(instalado);
}

// VARZENO_SAIR_APOS_MS=N, for checking an installed game without a person:
// the event loop ends after N ms; the error box becomes a line "erro: ..."
// on standard error and the exit status becomes 3; at the end the data and
// helper paths the game found, and its sound module, are printed on
// standard error.
int g_errosDoEnsaio = 0;

bool PrepararEnsaio() {
  bool ok = false;
  const int ms = qEnvironmentVariableIntValue("VARZENO_SAIR_APOS_MS", &ok);
  if (!ok || ms < 0) return false;
  DefinirCaixaDeErro([](const QString& texto) {
    ++g_errosDoEnsaio;
    std::fprintf(stderr, "erro: %s\n", qPrintable(texto));
  });
  QTimer::singleShot(ms, qApp, &QCoreApplication::quit);
  return true;
}

int TerminarEnsaio(int status) {
  std::fprintf(stderr, "dados: %s\n", qPrintable(LocalizarNoJogo(QStringLiteral("musica.wav"))));
  std::fprintf(stderr, "pagina: %s\n", qPrintable(LocalizarNoJogo(QStringLiteral("site/index.html"))));
  std::fprintf(stderr, "auxiliar: %s\n", qPrintable(AuxiliarMetafile()));
  std::fprintf(stderr, "som: %s\n", qPrintable(FabricaDeSom() ? LocalizarModuloDeSom() : ErroDoModuloDeSom()));
  std::fprintf(stderr, "traducao: %s\n", qPrintable(QCoreApplication::translate("QFileDialog", "Open")));
  return g_errosDoEnsaio ? 3 : status;
}

}  // namespace

TPrograma::TPrograma() {
  // The message belongs to the main window: transient for it, it is
  // minimised with it and has no taskbar entry of its own.
  formDialog.setParent(&Form1, formDialog.windowFlags());
  // Without a window manager nothing hands the focus back by itself.
  QObject::connect(&formDialog, &TformDialog::Escondido, &Form1, [this] {
    if (Form1.isVisible()) {
      Form1.raise();
      Form1.activateWindow();
    }
  });
}

TSaidaDoPrograma::TSaidaDoPrograma(TPrograma& programa, TSinaisDeSaida& sinais) : programa_(programa) {
  connect(&sinais, &TSinaisDeSaida::Pedido, this, [this] { Sair(true); });
  // The session is ending: the data must be safe before the desktop goes.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { Sair(true); });
  // The session's end without a commit (its "die"), and quit(), arrive as a
  // Quit event, which a window's close could otherwise hold back. (Qt
  // signals aboutToQuit only once the loop is over, when the way out is
  // already the close button's.)
  qApp->installEventFilter(this);
}

bool TSaidaDoPrograma::eventFilter(QObject* objeto, QEvent* e) {
  if (e->type() == QEvent::Quit && objeto == qApp) {
    Sair(false);
    return true;
  }
  return false;
}

void TSaidaDoPrograma::Sair(bool semCaixa) {
  if (saindo_) return;
  saindo_ = true;
  if (semCaixa)
    DefinirCaixaDeErro([](const QString& texto) { std::fprintf(stderr, "varzeno: %s\n", qPrintable(texto)); });
  programa_.Form1.Encerrar();
  // A wait for the player ends with the message it waits on; quietly, so
  // nothing that follows its closing (the chart) starts.
  {
    const QSignalBlocker calado(&programa_.formDialog);
    programa_.formDialog.hide();
  }
  // Ends the loop even where Encerrar was held back (the chart).
  QCoreApplication::exit(0);
}

int ExecutarJogo(int argc, char** argv, const std::function<void(TPrograma&)>& aoCriar) {
  EscolherPlataforma();
  TFontesAntecipadas fontes;
  TAplicacao app(argc, argv);
  fontes.Esperar();  // before anything of Qt's can look for a font
  QApplication::setApplicationName(QStringLiteral("Varzeno"));
  // The desktop entry's name: lets a Wayland compositor match the window to
  // the launcher and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.varzeno.Varzeno"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // The game's lettering for everything, its dialogs and text boxes too, at
  // the desktop's size: the same on every desktop, and one font to load.
  QFont letra = QApplication::font();
  letra.setFamily(QStringLiteral("Arial"));
  QApplication::setFont(letra);
  TraduzirDialogosDoQt(app);
  InstalarFabrica();  // before any window, whose interfaces Qt may make early
  AcharAuxiliarMetafile();
  const bool ensaio = PrepararEnsaio();
  int status = 0;
  // Before the windows: a signal while they are made (or while the start
  // is stuck on a file) ends the program at once.
  TSinaisDeSaida sinais;
  {
    TPrograma programa;
    TSaidaDoPrograma saida(programa, sinais);
    if (aoCriar) aoCriar(programa);
    programa.Form1.show();
    sinais.AtenderNoLaco();
    status = QApplication::exec();
  }  // the windows go first: closing the main one writes jogo.ini
  return ensaio ? TerminarEnsaio(status) : status;
}

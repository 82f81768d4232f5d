// What the start reads of the compiled-in pictures, on a screen of ratio 1:
// only the first screen's. The others (other pages, the dialog, every
// double) sit in a section of their own that the test makes unreadable
// before the game starts; each read of it is caught, counted and let
// through, and named by the picture it fell in.
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QtTest>
#include <atomic>

#include "Unit1.h"
#include "figuras_compiladas.h"
#include "imagem.h"
#include "programa.h"

extern "C" const char __start_varzeno_tardias[], __stop_varzeno_tardias[];

namespace {

constexpr int kMaxLidas = 64;
std::atomic<int> g_lidas{0};
const char* g_enderecos[kMaxLidas];

uintptr_t Pagina(const void* p) { return reinterpret_cast<uintptr_t>(p) & ~uintptr_t(getpagesize() - 1); }

void AoLer(int, siginfo_t* info, void*) {
  const char* a = static_cast<const char*>(info->si_addr);
  if (a < __start_varzeno_tardias || a >= __stop_varzeno_tardias) {
    // Not ours: let the default action take the process down.
    signal(SIGSEGV, SIG_DFL);
    return;
  }
  const int i = g_lidas.fetch_add(1);
  if (i < kMaxLidas) g_enderecos[i] = a;
  mprotect(reinterpret_cast<void*>(Pagina(a)), getpagesize(), PROT_READ);
}

QString FiguraEm(const char* a) {
  for (int i = 0; i < kNumFigurasCompiladas; ++i) {
    const TFiguraCompilada& f = kFigurasCompiladas[i];
    const auto* p = reinterpret_cast<const char*>(f.pixels);
    if (a >= p && a < p + f.altura * f.bytesPorLinha) return QString::fromLatin1(f.nome);
  }
  return QStringLiteral("?");
}

}  // namespace

class TesteFigurasLidas : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    QCOMPARE(qApp->devicePixelRatio(), 1.0);
  }

  void theStartReadsOnlyTheFirstScreensPictures() {
    // Whole pages only: the first partial page is shared with other data.
    const uintptr_t de = Pagina(__start_varzeno_tardias + getpagesize() - 1), ate = Pagina(__stop_varzeno_tardias);
    QVERIFY2(ate - de > 1024 * 1024, "the later pictures and the doubles are in their own section");
    struct sigaction acao {};
    acao.sa_sigaction = AoLer;
    acao.sa_flags = SA_SIGINFO;
    QCOMPARE(sigaction(SIGSEGV, &acao, nullptr), 0);
    QCOMPARE(mprotect(reinterpret_cast<void*>(de), ate - de, PROT_NONE), 0);

    TPrograma p;
    p.Form1.PausaGrafico = 0;
    p.Form1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.Form1));
    // Activation gave the close button its look: the first screen is whole.
    const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
    QTRY_VERIFY(rgb(p.Form1.Fim->Picture()) == rgb(p.Form1.Fim1->Picture()));
    p.Form1.repaint();
    QTest::qWait(50);
    const int lidas = g_lidas.load();
    QStringList nomes;
    for (int i = 0; i < std::min(lidas, kMaxLidas); ++i) nomes << FiguraEm(g_enderecos[i]);
    nomes.removeDuplicates();
    mprotect(reinterpret_cast<void*>(de), ate - de, PROT_READ);
    QVERIFY2(lidas == 0, qPrintable(QStringLiteral("read at start: ") + nomes.join(QStringLiteral(", "))));

    // The trap does catch a read: the chart's grid, which only its page shows.
    mprotect(reinterpret_cast<void*>(de), ate - de, PROT_NONE);
    const QImage grade = p.Form1.grafico->Picture();
    volatile QRgb canto = grade.pixel(grade.width() / 2, grade.height() / 2);
    (void)canto;
    mprotect(reinterpret_cast<void*>(de), ate - de, PROT_READ);
    QCOMPARE(g_lidas.load(), 1);
    QCOMPARE(FiguraEm(g_enderecos[0]), QStringLiteral("grafico.png"));
  }
};

QTEST_MAIN(TesteFigurasLidas)
#include "tst_figuras_lidas.moc"

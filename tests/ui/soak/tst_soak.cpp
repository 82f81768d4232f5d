// Many whole games through the window, one after another in one process:
// title page, rules, candidates, opponents, start button, every week by
// clicks on the marks and the confirm button, the end message, the chart
// and its Ok back to the title page. The opponents (2..5), the candidate
// and the way of playing change from game to game, so that wins, run-offs
// and losses all occur. The resident memory must not grow between the
// tenth game and the last by more than a small bound.
//
// Games: `--jogos N` on the command line, else VARZENO_SOAK_JOGOS, else 30.
// Bound: VARZENO_SOAK_LIMITE_KB (KiB), else kLimitePadraoKb below.
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define VARZENO_LSAN 1
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Unit1.h"
#include "Unit2.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "updown.h"

using namespace varzeno;

namespace {

int g_jogos = 30;

// Allowed growth of the resident set from the end of game 10 to the end of
// the last game. Between those points the process holds one window and one
// engine; a game that leaked a single engine (catalogue of 53 entries, the
// candidates and the ranking), a chart picture (336 x 102 x 4 bytes) or a
// message dialog's pictures would add tens of KiB per game, tens of MiB over
// a thousand. What may legitimately move is heap fragmentation and, under
// ASan, the quarantine and the allocation stacks it records: a few MiB.
constexpr long kLimitePadraoKb = 6 * 1024;

long MemoriaResidenteKb() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return -1;
  long total = 0, residente = 0;
  const int lidos = std::fscanf(f, "%ld %ld", &total, &residente);
  std::fclose(f);
  if (lidos != 2) return -1;
  return residente * (sysconf(_SC_PAGESIZE) / 1024);
}

enum class Estilo { Ponderado, Popular, Nada };

bool Recusa(const QString& texto) {
  for (const char* r : {kSemDinheiro, kPesquisaNegativa, kDescarado})
    if (texto == QString::fromUtf8(r)) return true;
  return false;
}

}  // namespace

class TesteResistencia : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  TEngVarzeno& M() { return *F().Partida.Motor; }

  void Clicar(QWidget* w) {
    QWidget* janela = w->window();
    const QPoint pt = w->mapTo(janela, w->rect().center());
    QTest::mousePress(janela->windowHandle(), Qt::LeftButton, {}, pt);
    QTest::mouseRelease(janela->windowHandle(), Qt::LeftButton, {}, pt);
  }
  void DuploClique(QWidget* w) {
    F().findChild<QScrollArea*>("ScrollBox2")->ensureWidgetVisible(w);
    QTest::mouseDClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), w->rect().center()));
  }
  QString Pagina() { return F().Abook->ActivePage(); }
  bool DialogoAberto() { return p_->formDialog.isVisible(); }

  // The slot to mark this week (0 = do nothing), by the way of playing.
  // Ponderado weighs money while the purse is low and keeps honesty at 40
  // or more; Popular takes the largest affordable gain in popularity.
  int Escolher(Estilo estilo) {
    if (estilo == Estilo::Nada) return 0;
    int escolha = 0;
    double melhor = 0;
    for (int k = 1; k <= 3; ++k) {
      const TAcao& o = *F().Partida.Opcoes[static_cast<size_t>(k)];
      if (!VerificarOpcao(M(), o).empty()) continue;
      double valor = o.Popularidade;
      if (estilo == Estilo::Ponderado) {
        const double peso = M().Semanas <= 2 ? 0.0 : (M().Dinheiro < 6000 ? 1.2 : 0.3);
        valor += peso * o.Dinheiro / 1000.0;
        if (M().Honestidade + o.Honestidade < 40) valor -= 100;
        if (o.Consequencias.Count() > 0) valor -= 1.5;
      }
      if (valor > melhor) {
        melhor = valor;
        escolha = k;
      }
    }
    return escolha;
  }

  struct Placar {
    int jogos = 0, vitorias = 0, segundosTurnos = 0, derrotas = 0;
  };

  // One game from the title page back to the title page.
  void Jogar(int jogo, Placar& placar) {
    const int oponentes = 2 + jogo % 4;
    const Estilo estilo = static_cast<Estilo>((jogo / 4) % 3);
    const int candidato = 1 + jogo % 6;
    RandSeed(static_cast<uint32_t>(1000 + jogo));

    QCOMPARE(Pagina(), QString("Default"));
    Clicar(F().Image1);
    QCOMPARE(Pagina(), QString("regras"));
    Clicar(F().bt[1]);
    QCOMPARE(Pagina(), QString("Candidatos"));
    DuploClique(F().Fcan[candidato]);
    QCOMPARE(Pagina(), QString("adversarios"));
    QCOMPARE(F().lblNomeJog->text(), F().Ncan[candidato]->text());
    while (F().UpDown1->Position() < oponentes) Clicar(F().UpDown1->Acima());
    while (F().UpDown1->Position() > oponentes) Clicar(F().UpDown1->Abaixo());
    QCOMPARE(F().UpDown1->Position(), oponentes);

    Clicar(F().Image3);
    QVERIFY(!F().Abook->isVisible());
    QCOMPARE(M().Candidatos.Count(), oponentes + 1);

    bool segundoTurno = false;
    QString fim;
    for (int passos = 0; fim.isEmpty(); ++passos) {
      QVERIFY2(passos < 80, qPrintable(QString("game %1 does not end").arg(jogo)));
      if (DialogoAberto()) {
        const QString texto = p_->formDialog.lblMensagem->text();
        QVERIFY2(!Recusa(texto), qPrintable("an affordable choice was refused: " + texto));
        Clicar(p_->formDialog.btn);
        QVERIFY(!DialogoAberto());
        if (texto == QString::fromUtf8(kGanhou) || texto == QString::fromUtf8(kPerdeu)) fim = texto;
        continue;
      }
      const int escolha = Escolher(estilo);
      Clicar(F().Trava[static_cast<size_t>(escolha == 0 ? 3 : escolha - 1)]);
      QCOMPARE(int(F().Escolha), escolha);
      Clicar(F().Image4);
      segundoTurno |= M().SegundoTurno;
    }

    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    QCOMPARE(Pagina(), QString("Grafico"));
    QVERIFY(!F().GraficoPendente());
    Clicar(F().imgBtn);
    QCOMPARE(Pagina(), QString("Default"));
    QVERIFY(!F().imgBtn->isVisible());

    ++placar.jogos;
    if (segundoTurno) ++placar.segundosTurnos;
    if (fim == QString::fromUtf8(kGanhou))
      ++placar.vitorias;
    else
      ++placar.derrotas;
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    // The wave files the game plays by their bare names.
    for (const char* onda : {"musica.wav", "Ganhou.wav", "Perdeu.wav"})
      QVERIFY(QFile::copy(QStringLiteral(VARZENO_ASSETS_DIR "/") + onda, onda));
  }

  void manyWholeGamesKeepMemoryFlat() {
    QVERIFY(g_jogos >= 1);
    long limiteKb = kLimitePadraoKb;
    if (const char* l = std::getenv("VARZENO_SOAK_LIMITE_KB")) limiteKb = std::atol(l);

    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));

    Placar placar;
    long memoria10 = -1;
    QElapsedTimer relogio;
    relogio.start();
    for (int jogo = 0; jogo < g_jogos; ++jogo) {
      Jogar(jogo, placar);
      if (QTest::currentTestFailed()) return;
      if (placar.jogos == 10) memoria10 = MemoriaResidenteKb();
      if (placar.jogos % 100 == 0)
        std::printf("soak: %d games, resident %ld KiB, %.1f s\n", placar.jogos, MemoriaResidenteKb(),
                    relogio.elapsed() / 1000.0);
    }
    const long memoriaFim = MemoriaResidenteKb();
    QCOMPARE(placar.jogos, g_jogos);

    std::printf("soak: games %d, wins %d, run-offs %d, losses %d\n", placar.jogos, placar.vitorias,
                placar.segundosTurnos, placar.derrotas);
    std::printf("soak: resident memory at game 10: %ld KiB, at the end: %ld KiB (growth %ld KiB, bound %ld KiB)\n",
                memoria10, memoriaFim, memoria10 < 0 ? 0 : memoriaFim - memoria10, limiteKb);
    std::printf("soak: %.1f s, %.1f ms a game\n", relogio.elapsed() / 1000.0, double(relogio.elapsed()) / placar.jogos);
    std::fflush(stdout);

    QCOMPARE(placar.vitorias + placar.derrotas, placar.jogos);
    // Twelve games cover every way of playing against every number of
    // opponents; the seeds of the first thirty give every outcome.
    if (placar.jogos >= 30) {
      QVERIFY(placar.vitorias > 0);
      QVERIFY(placar.segundosTurnos > 0);
      QVERIFY(placar.derrotas > 0);
    }
    if (memoria10 > 0) {
      QVERIFY(memoriaFim > 0);
      QVERIFY2(memoriaFim - memoria10 <= limiteKb,
               qPrintable(QString("resident memory grew by %1 KiB from game 10 to game %2 (bound %3 KiB)")
                              .arg(memoriaFim - memoria10)
                              .arg(placar.jogos)
                              .arg(limiteKb)));
    }
  }

  // With the window gone, nothing the games allocated may be unreachable.
  // Only the ASan build can look; the exit check then covers Qt's own
  // teardown as well.
  void nothingLeaksOnceTheWindowIsGone() {
    p_.reset();
#ifdef VARZENO_LSAN
    QCOMPARE(__lsan_do_recoverable_leak_check(), 0);
#else
    QSKIP("leak check needs the ASan build");
#endif
  }
};

int main(int argc, char** argv) {
  if (const char* n = std::getenv("VARZENO_SOAK_JOGOS")) g_jogos = std::atoi(n);
  // `--jogos N` is ours; the rest goes to QTest.
  std::vector<char*> resto;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--jogos") == 0 && i + 1 < argc) {
      g_jogos = std::atoi(argv[++i]);
      continue;
    }
    resto.push_back(argv[i]);
  }
  int n = static_cast<int>(resto.size());
  resto.push_back(nullptr);
  QApplication app(n, resto.data());
  TesteResistencia teste;
  return QTest::qExec(&teste, n, resto.data());
}

#include "tst_soak.moc"

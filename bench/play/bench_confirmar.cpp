// The confirm button ("passar a semana") in the real window under X: time
// from its release reaching the window to the status panel's last label
// written (the release handler: ConfirmarAcao, then AtualizarPainel).
//
// Whole games are played by real clicks through the X server's pointer, the
// most popular affordable action each week, the messages closed with their Ok,
// each game's chart left to finish (PausaGrafico 0) and a new game started
// with the start button, until enough weeks have been confirmed. A click that
// decides a round is not a week and is left out.
//
//   bench_confirmar [clicks]     (default 400)
#include <QLabel>
#include <QTimer>

#include "Unit1.h"
#include "Unit2.h"
#include "estrategia.h"
#include "imagem.h"
#include "janela_real.h"
#include "notebook.h"
#include "programa.h"
#include "updown.h"

using namespace bancada;

namespace {

constexpr double kLimite = 2.0;  // ms

// When a release reaches the main window.
class TChegada : public QObject {
 public:
  QObject* janela = nullptr;
  Relogio::time_point quando{};
  bool eventFilter(QObject* alvo, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease && alvo == janela) quando = Relogio::now();
    return false;
  }
};

class TCenario {
 public:
  TCenario(TPrograma& p, int cliques) : p_(p), F(p.Form1), alvo_(cliques) {}

  int Executar() {
    if (!ponteiro_.Pronto()) {
      std::fprintf(stderr, "no XTEST on this X server (libX11/libXtst missing?)\n");
      return 1;
    }
    qApp->installEventFilter(&cliques_);
    if (!EsperarAte([&] { return F.isVisible() && F.windowHandle() && F.windowHandle()->isExposed(); })) {
      std::fprintf(stderr, "bench_confirmar: window never shown\n");
      return 1;
    }
    chegada_.janela = F.windowHandle();
    qApp->installEventFilter(&chegada_);
    // The clock stops when the panel's last label is written, inside the
    // window's own handler of the release.
    QObject::connect(&F, &TForm1::PainelAtualizado, &F, [this] { fim_ = Relogio::now(); });
    QObject::connect(F.Image4, &TImagem::MouseUp, &F, [this] { ++soltosNoBotao_; });
    F.PausaGrafico = 0;
    Folgar(300);
    varzeno::RandSeed(7u);

    int jogos = 0;
    while (static_cast<int>(semana_.size() + comEvento_.size()) < alvo_) {
      if (!Jogo(jogos % 4 + 2)) return 1;
      ++jogos;
    }

    std::vector<double> todos = semana_;
    todos.insert(todos.end(), comEvento_.begin(), comEvento_.end());
    const TResumo r = Resumir(todos), rs = Resumir(semana_), re = Resumir(comEvento_), rx = Resumir(doServidor_);
    const bool okMediana = r.mediana < kLimite, okPior = r.pior < kLimite;
    std::printf("\nconfirm click in the real window (Xvfb, xcb): %zu weeks confirmed in %d games, %d wrong panels\n",
                r.n, jogos, erros_);
    std::printf("  release at the window -> panel written, median: %6.3f ms  (target < %.0f ms)  %s\n", r.mediana,
                kLimite, Veredito(okMediana));
    std::printf("  release at the window -> panel written, worst : %6.3f ms  (target < %.0f ms)  %s\n", r.pior, kLimite,
                Veredito(okPior));
    std::printf("  release at the window -> panel written, p99   : %6.3f ms  mean %.3f ms\n", r.p99, r.media);
    std::printf("    plain weeks (%zu): median %.3f ms  worst %.3f ms\n", rs.n, rs.mediana, rs.pior);
    std::printf("    weeks opening with an event message (%zu): median %.3f ms  worst %.3f ms\n", re.n, re.mediana,
                re.pior);
    std::printf("    the worst: click %zu of %zu, %s\n", pior_.n, r.n,
                pior_.mensagem ? (pior_.mensagensAntes == 0 ? "the run's first message (the dialog's first showing)"
                                                            : "a week opening with an event message")
                               : "a plain week");
    std::printf("  release sent to the X server -> panel written: median %.3f ms  worst %.3f ms\n", rx.mediana,
                rx.pior);
    const bool tudo = okMediana && okPior && erros_ == 0;
    std::printf("  overall: %s\n", Veredito(tudo));
    return tudo ? 0 : 3;
  }

 private:
  TPrograma& p_;
  TForm1& F;
  const int alvo_;
  TPonteiro ponteiro_;
  TOlheiroDeCliques cliques_;
  TChegada chegada_;
  Relogio::time_point fim_{};
  int soltosNoBotao_ = 0;
  std::vector<double> semana_, comEvento_, doServidor_;
  int erros_ = 0;
  int mensagensAntes_ = 0;  // event messages shown by the confirm button so far
  struct {
    size_t n = 0;
    double ms = 0;
    bool mensagem = false;
    int mensagensAntes = 0;
  } pior_;

  varzeno::TEngVarzeno& M() { return *F.Partida.Motor; }

  bool Clique(QWidget* w) {
    if (Clicar(ponteiro_, cliques_, w)) return true;
    std::fprintf(stderr, "bench_confirmar: a click on %s never arrived\n", qPrintable(w->objectName()));
    return false;
  }

  // A measured click on the confirm button; the panel is checked afterwards.
  bool Confirmar() {
    const bool segundo = M().SegundoTurno;
    const int semanas = M().Semanas;
    const QPoint c = F.Image4->mapToGlobal(F.Image4->rect().center());
    ponteiro_.Mover(c);
    ponteiro_.Apertar(true);
    Folgar(5);  // the press is handled; what is measured is the release
    const int antes = soltosNoBotao_;
    const auto enviado = Relogio::now();
    ponteiro_.Apertar(false);
    if (!EsperarAte([&] { return soltosNoBotao_ > antes; }, 5000)) {
      std::fprintf(stderr, "bench_confirmar: the confirm release never arrived\n");
      return false;
    }
    const double ms = Ms(fim_ - chegada_.quando);
    const QString esperado = QStringLiteral("Semanas até %1o turno: %2").arg(segundo ? 2 : 1).arg(semanas - 1);
    if (F.Label8->text() != esperado || M().Semanas != semanas - 1) ++erros_;
    const bool mensagem = formDialog->isVisible();
    (mensagem ? comEvento_ : semana_).push_back(ms);
    if (!pior_.n || ms > pior_.ms) pior_ = {semana_.size() + comEvento_.size(), ms, mensagem, mensagensAntes_};
    mensagensAntes_ += mensagem;
    doServidor_.push_back(Ms(fim_ - enviado));
    return true;
  }

  bool Jogo(int oponentes) {
    F.UpDown1->SetPosition(oponentes);
    F.lblNomeJog->setText(QStringLiteral("Candidato 15"));
    F.Abook->show();
    F.Abook->SetActivePage(QStringLiteral("adversarios"));
    Folgar(20);
    if (!Clique(F.Image3) || !F.Partida.Motor || F.Abook->isVisible()) {
      std::fprintf(stderr, "bench_confirmar: no game started\n");
      return false;
    }
    for (int passos = 0; passos < 200; ++passos) {
      Folgar(20);  // a player's pace: the window is idle when the next click comes
      if (formDialog->isVisible()) {
        const QString texto = p_.formDialog.lblMensagem->text();
        if (!Clique(p_.formDialog.btn)) return false;
        if (texto == QString::fromUtf8(varzeno::kGanhou) || texto == QString::fromUtf8(varzeno::kPerdeu)) {
          if (!EsperarAte([&] { return F.imgBtn->isVisible(); }, 10000)) return false;
          return Clique(F.imgBtn);
        }
        continue;
      }
      if (M().Semanas == 0) {  // a decision, not a week
        if (!Clique(F.Image4)) return false;
        continue;
      }
      const int escolha = varzeno::sim::EscolherSemRecusa(F.Partida);
      if (escolha != F.Escolha && !Clique(F.Trava[static_cast<size_t>(escolha == 0 ? 3 : escolha - 1)])) return false;
      if (!Confirmar()) return false;
    }
    std::fprintf(stderr, "bench_confirmar: a game did not end\n");
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  GarantirTela(argc, argv);
  const int cliques = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
#ifdef VARZENO_PASTA_ONDAS
  if (chdir(VARZENO_PASTA_ONDAS) != 0) std::perror(VARZENO_PASTA_ONDAS);
#endif
  int resultado = 1;
  ExecutarJogo(argc, argv, [&](TPrograma& p) {
    QTimer::singleShot(0, [&] {
      TCenario c(p, cliques);
      resultado = c.Executar();
      std::fflush(stdout);
      p.Form1.Encerrar();
    });
  });
  return resultado;
}

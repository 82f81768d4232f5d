// A game in the window, driven by its own widgets: marks, confirm button,
// the message dialog, the panel, the start button and the chart.
#include <QLabel>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "estrategia.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "roteiro.h"
#include "somwave.h"
#include "updown.h"

using namespace varzeno;
using varzeno::teste::TComRoteiro;

class TesteJogo : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  TEngVarzeno& M() { return *F().Partida.Motor; }

  // A press and release on a widget through the window, as a player does.
  void Clicar(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
    QWidget* janela = w->window();
    const QPoint pt = w->mapTo(janela, w->rect().center());
    QTest::mousePress(janela->windowHandle(), b, {}, pt);
    QTest::mouseRelease(janela->windowHandle(), b, {}, pt);
  }
  void Ok() {
    QVERIFY(formDialog->isVisible());
    Clicar(p_->formDialog.btn);
    QVERIFY(!formDialog->isVisible());
  }
  // Starts a game from the opponents page with the start button.
  void Comecar(const QString& nome, int oponentes) {
    F().lblNomeJog->setText(nome);
    F().UpDown1->SetPosition(oponentes);
    F().Abook->show();
    F().Abook->SetActivePage("adversarios");
    Clicar(F().Image3);
    QVERIFY(!F().Abook->isVisible());
    QVERIFY(F().Partida.Motor);
  }
  bool Marcada(int i) { return F().Trava[i]->Picture() == F().Tic1->Picture(); }
  QString Texto(QLabel* l) { return l->text(); }
  // Ends the round at the next confirm, with the given shares.
  void FimDaRodada(int32_t popularidade, int brancos) {
    M().Semanas = 0;
    M().Popularidade = popularidade;
    TComRoteiro r{static_cast<uint64_t>(brancos - 1)};
    M().CalcularPesquisa();
  }
  void EsperarGrafico() {
    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    QCOMPARE(F().Abook->ActivePage(), QString("Grafico"));
  }

 private slots:
  void initTestCase() {
    // A fresh current folder for "jogo.ini", holding the wave files, which
    // are found there by their bare names.
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    for (const char* onda : {"musica.wav", "Ganhou.wav", "Perdeu.wav"})
      QVERIFY(QFile::copy(QStringLiteral(VARZENO_ASSETS_DIR "/") + onda, onda));
  }
  void init() {
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
    QTRY_VERIFY(!F().Som->Fonte().isEmpty());  // the start-up music has been asked for
    RandSeed(4);
  }
  void cleanup() { p_.reset(); }

  void confirmBeforeAnyMarkDoesNothingForAWeek() {
    Comecar("Eu", 2);
    QCOMPARE(F().Escolha, uint8_t(0));
    for (int i = 0; i < 4; ++i) QVERIFY(!Marcada(i));
    Clicar(F().Image4);
    QCOMPARE(M().Semanas, 19);
    QCOMPARE(M().Dinheiro, 10000);
    QCOMPARE(Texto(F().Label8), QString("Semanas até 1o turno: 19"));
    QCOMPARE(Texto(F().Label10), QString("10000"));
    QCOMPARE(F().Label14->text(), QString("Eu"));
  }

  void panelShowsTheEngine() {
    Comecar("Eu", 3);
    const TAcao& o = *F().Partida.Opcoes[2];
    QCOMPARE(Texto(F().Label3),
             QString::fromStdString(o.Nome) +
                 QString(" Din: %1   Pop: %2   hon: %3").arg(o.Dinheiro).arg(o.Popularidade).arg(o.Honestidade));
    QCOMPARE(Texto(F().Label11), QString("1%"));
    QCOMPARE(Texto(F().Label12), QString("100"));
    for (int r = 0; r < 5; ++r) {
      QCOMPARE(Texto(F().Can[r]), QString::fromStdString(M().Ranking[r]->Nome) + ".....................");
      QCOMPARE(Texto(F().Per[r]), QString::number(M().Ranking[r]->Percentual) + "%");
    }
    QCOMPARE(Texto(F().Can[5]), QString("......................."));
    QCOMPARE(Texto(F().Per[6]), QString("00%"));
    QCOMPARE(F().Can[0]->size(), QSize(76, 14));
  }

  void refusedChoiceChangesNothing() {
    Comecar("Eu", 2);
    F().Partida.Opcoes[1] = BuscarAcao(M().Acoes, "Recuperar sistema de esgotos da cidade");
    M().Dinheiro = 9999;
    const QString opcao1 = Texto(F().Label2);
    QTest::mousePress(F().windowHandle(), Qt::LeftButton, {}, F().Trava[0]->geometry().center());
    QCOMPARE(F().Escolha, uint8_t(1));
    QVERIFY(Marcada(0));
    Clicar(F().Image4);
    QVERIFY(formDialog->isVisible());
    QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Sem dinheiro Suficiente"));
    QCOMPARE(M().Semanas, 20);
    QCOMPARE(M().Dinheiro, 9999);
    QCOMPARE(Texto(F().Label2), opcao1);
    QCOMPARE(F().Escolha, uint8_t(1));
    QVERIFY(Marcada(0));
    // While the message is up the confirm button is ignored, the marks are not.
    Clicar(F().Trava[3]);
    QCOMPARE(F().Escolha, uint8_t(0));
    Clicar(F().Image4);
    QCOMPARE(M().Semanas, 20);
    Ok();
    Clicar(F().Image4);
    QCOMPARE(M().Semanas, 19);
  }

  void eventWeekShowsItsNameWithTheEffectAlreadyOnThePanel() {
    Comecar("Eu", 2);
    // The week's poll, then r = 0: an event, the 2nd of the four that a
    // campaign with popularity 1 can suffer; its poll; three actions.
    {
      TComRoteiro r{0, 0, 1, 0, 0, 1, 2};
      Clicar(F().Image4);
    }
    QVERIFY(formDialog->isVisible());
    QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Investigação de jornal local"));
    QCOMPARE(Texto(F().Label10), QString("8000"));
    QCOMPARE(Texto(F().Label11), QString("0%"));
    QCOMPARE(Texto(F().Label2).left(20), QString("Comprar ternos novos"));
    Clicar(F().Image4);
    QCOMPARE(M().Semanas, 19);
    Ok();
    Clicar(F().Image4);
    QCOMPARE(M().Semanas, 18);
  }

  void markStaysIntoTheNextWeekAndGame() {
    Comecar("Eu", 2);
    Clicar(F().Trava[1]);
    QCOMPARE(F().Escolha, uint8_t(2));
    F().Partida.Opcoes[2] = BuscarAcao(M().Acoes, "Coleta de recursos");
    Clicar(F().Image4);
    QCOMPARE(M().Dinheiro, 11000);
    QVERIFY(Marcada(1));
    QVERIFY(!Marcada(3));
    Comecar("Eu", 2);
    QCOMPARE(F().Escolha, uint8_t(2));
    QVERIFY(Marcada(1));
    F().Partida.Opcoes[2] = BuscarAcao(M().Acoes, "Asfaltar ruas");
    Clicar(F().Image4);
    QCOMPARE(M().Dinheiro, 7000);
  }

  void fewerOpponentsLeaveBlankRows() {
    Comecar("Eu", 5);
    QVERIFY(!Texto(F().Can[6]).startsWith('.'));  // seven rows, all named
    Comecar("Eu", 2);
    for (int r = 4; r < 7; ++r) {
      QCOMPARE(Texto(F().Can[r]), QString("......................."));
      QCOMPARE(Texto(F().Per[r]), QString("00%"));
    }
  }

  void outrightWin() {
    Comecar("Eu", 2);
    FimDaRodada(50, 1);
    Clicar(F().Trava[1]);
    Clicar(F().Image4);
    QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Você ganhou!"));
    QCOMPARE(F().Som->Fonte().fileName(), QString("Ganhou.wav"));
    // The first round is on record for the chart: the player ranks last here.
    QCOMPARE(F().Partida.NomesTurno1[0], M().Ranking[0]->Nome);
    QCOMPARE(F().Partida.NomesTurno1[3], M().Ranking[3]->Nome);
    // Nothing is drawn before the message is closed.
    QTest::qWait(20);
    QVERIFY(!F().imgBtn->isVisible());
    QVERIFY(!F().Abook->isVisible());
    Ok();
    EsperarGrafico();
    QCOMPARE(F().Som->Fonte().fileName(), QString("musica.wav"));
    QTest::mousePress(F().windowHandle(), Qt::RightButton, {}, F().imgBtn->mapTo(&F(), QPoint(5, 5)));
    QCOMPARE(F().Abook->ActivePage(), QString("Default"));
    QVERIFY(!F().imgBtn->isVisible());
    QVERIFY(F().Abook->isVisible());
  }

  void firstRoundLoss() {
    Comecar("Eu", 2);
    FimDaRodada(10, 2);
    Clicar(F().Image4);
    QCOMPARE(p_->formDialog.lblMensagem->text(), QString("Você perdeu!"));
    QCOMPARE(F().Som->Fonte().fileName(), QString("Perdeu.wav"));
    Ok();
    EsperarGrafico();
  }

  void runOffWonOnATieAndRunOffLost() {
    for (bool empate : {true, false}) {
      Comecar("Eu", 2);
      FimDaRodada(30, 1);
      const QString finalista = QString::fromStdString(M().Candidatos[1]->Nome);
      Clicar(F().Image4);
      QVERIFY(!formDialog->isVisible());
      QVERIFY(M().SegundoTurno);
      QCOMPARE(Texto(F().Label8), QString("Semanas até 2o turno: 4"));
      QCOMPARE(Texto(F().Label11), QString("47%"));
      QCOMPARE(Texto(F().Can[3]), QString("......................."));
      bool listado = false;
      for (int r = 0; r < 3; ++r) listado |= Texto(F().Can[r]).startsWith(finalista);
      QVERIFY(listado);
      M().Semanas = 0;
      M().Candidatos[1]->Percentual = empate ? M().Popularidade : M().Popularidade + 1;
      Clicar(F().Image4);
      QCOMPARE(p_->formDialog.lblMensagem->text(), empate ? QString("Você ganhou!") : QString("Você perdeu!"));
      Ok();
      EsperarGrafico();
      Clicar(F().imgBtn);
    }
  }

  void wholeGamePlayedByClicks() {
    Comecar("Candidato 15", 3);
    int confirmacoes = 0;
    for (;;) {
      if (formDialog->isVisible()) {
        const QString texto = p_->formDialog.lblMensagem->text();
        Ok();
        if (texto == "Você ganhou!" || texto == "Você perdeu!") break;
        continue;
      }
      // The best affordable gain in popularity, else doing nothing.
      const int escolha = varzeno::sim::EscolherSemRecusa(F().Partida);
      Clicar(F().Trava[escolha == 0 ? 3 : escolha - 1]);
      Clicar(F().Image4);
      QVERIFY(++confirmacoes < 40);
      if (M().Semanas > 0 || !formDialog->isVisible()) QCOMPARE(Texto(F().Label10), QString::number(M().Dinheiro));
    }
    EsperarGrafico();
    QVERIFY(confirmacoes >= 21);
  }

  void chartOfAFirstRoundGame() {
    Comecar("Eu", 2);
    FimDaRodada(10, 2);
    auto& h = F().Partida.HistoricoTurno1;
    Clicar(F().Image4);
    for (int k = 0; k < 4; ++k)
      for (int s = 0; s <= 20; ++s) h[k][s] = 90 - 20 * k;  // flat lines, well apart
    Ok();
    EsperarGrafico();
    const QImage g = F().imgGraf->Picture().convertToFormat(QImage::Format_RGB32);
    const QImage grade = F().grafico->Picture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(g.size(), QSize(336, 102));
    QCOMPARE(g.pixel(288, 5) & 0xFFFFFF, 0xC0C0C0u);
    // Right of the divider the grid is untouched.
    for (int y = 0; y < 102; ++y)
      for (int x = 290; x < 336; ++x) QCOMPARE(g.pixel(x, y), grade.pixel(x, y));
    for (int k = 0; k < 4; ++k) QCOMPARE(g.pixel(100, 100 - (90 - 20 * k)) & 0xFFFFFF, CoresGrafico[k]);

    // The names, top down in the rows' colours, the rest black.
    const QImage n = F().imgNomes->Picture().convertToFormat(QImage::Format_RGB32);
    QList<int> ordem;
    for (int y = 0; y < n.height(); ++y)
      for (int x = 0; x < n.width(); ++x) {
        const QRgb c = n.pixel(x, y) & 0xFFFFFF;
        for (int k = 0; k < 7; ++k)
          if (c == CoresGrafico[k] && !ordem.contains(k)) ordem << k;
      }
    QCOMPARE(ordem, (QList<int>{0, 1, 2, 3}));
    QCOMPARE(n.pixel(50, 140) & 0xFFFFFF, 0u);
  }

  void chartOfARunOffEndsAtTheRightEdge() {
    Comecar("Eu", 2);
    FimDaRodada(30, 1);
    Clicar(F().Image4);
    M().Semanas = 0;
    for (TOponente* e : M().Ranking) e->Historico = {0, 60, 60, 60};
    M().Candidatos[1]->Percentual = 0;
    Clicar(F().Image4);
    Ok();
    EsperarGrafico();
    const QImage g = F().imgGraf->Picture().convertToFormat(QImage::Format_RGB32);
    const QImage grade = F().grafico->Picture().convertToFormat(QImage::Format_RGB32);
    QVERIFY(g.pixel(335, 40) != grade.pixel(335, 40));
    QVERIFY(g.pixel(320, 40) != grade.pixel(320, 40));
  }
};

QTEST_MAIN(TesteJogo)
#include "tst_jogo.moc"

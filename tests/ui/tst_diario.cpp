// The campaign diary's window: a seeded campaign played through the
// window, the diary opened by its key and its links, its table against the
// shared model, and its exported file against the model and the simulator.
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>

#include "Unit1.h"
#include "Unit2.h"
#include "erro.h"
#include "estrategia.h"
#include "imagem.h"
#include "janela_diario.h"
#include "notebook.h"
#include "programa.h"
#include "rotulo.h"
#include "updown.h"

using namespace varzeno;

namespace {
// A campaign with a run-off and a week that the dishonesty penalty struck.
constexpr uint32_t kSemente = 206;
// A name a spreadsheet must read as one field.
const char* const kNome = "Zé \"Boca\"; Silva";
constexpr int kOponentes = 3;
}  // namespace

class TesteDiario : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  QStringList erros_;
  TForm1& F() { return p_->Form1; }
  TEngVarzeno& M() { return *F().Partida.Motor; }
  TformDiario* D() { return F().formDiario; }

  void Clicar(QWidget* w) {
    QWidget* janela = w->window();
    const QPoint pt = w->mapTo(janela, w->rect().center());
    QTest::mousePress(janela->windowHandle(), Qt::LeftButton, {}, pt);
    QTest::mouseRelease(janela->windowHandle(), Qt::LeftButton, {}, pt);
  }
  bool Recusa(const QString& texto) {
    return texto == QString::fromUtf8(kSemDinheiro) || texto == QString::fromUtf8(kPesquisaNegativa) ||
           texto == QString::fromUtf8(kDescarado);
  }
  void Marcar(int escolha) { Clicar(F().Trava[escolha == 0 ? 3 : escolha - 1]); }
  // One week as the simulator's "popular" player plays it: its choice, and
  // doing nothing after a refusal. Returns false once the game has ended.
  bool Semana() {
    if (formDialog->isVisible()) Clicar(p_->formDialog.btn);  // the week's event
    Marcar(sim::Escolher(sim::TEstrategia::Popular, F().Partida));
    Clicar(F().Image4);
    if (formDialog->isVisible() && Recusa(p_->formDialog.lblMensagem->text())) {
      Clicar(p_->formDialog.btn);
      Marcar(0);
      Clicar(F().Image4);
    }
    return F().Diario.PesquisaFinal().empty();
  }
  // The window's table cell by cell against the model's.
  void ConferirTabela() {
    const jogo::TTabelaDiario t = jogo::TabelaDiario(F().Diario);
    QTableWidget* tab = D()->Tabela;
    QCOMPARE(tab->columnCount(), static_cast<int>(t.colunas.size()));
    QCOMPARE(tab->rowCount(), static_cast<int>(t.linhas.size()));
    for (int c = 0; c < tab->columnCount(); ++c)
      QCOMPARE(tab->horizontalHeaderItem(c)->text(), QString::fromStdString(t.colunas[static_cast<size_t>(c)]));
    for (int r = 0; r < tab->rowCount(); ++r) {
      const auto& linha = t.linhas[static_cast<size_t>(r)];
      QCOMPARE(tab->verticalHeaderItem(r)->text(), QString::fromStdString(linha.cabecalho));
      const bool nota = linha.celulas.size() == 1;
      QCOMPARE(tab->columnSpan(r, 0), nota ? tab->columnCount() : 1);
      for (size_t c = 0; c < linha.celulas.size(); ++c)
        QCOMPARE(tab->item(r, static_cast<int>(c))->text(), QString::fromStdString(linha.celulas[c]));
    }
    QStringList rodape;
    for (const std::string& l : t.rodape) rodape << QString::fromStdString(l);
    QCOMPARE(D()->Rodape->text(), rodape.join('\n'));
  }
  QByteArray Simulador() {
    QProcess sim;
    sim.start(QStringLiteral(VARZENO_SIM),
              {"--jogos", "1", "--diario", "--semente", QString::number(kSemente), "--nome", QString::fromUtf8(kNome),
               "--oponentes", QString::number(kOponentes), "--estrategia", "popular"});
    if (!sim.waitForFinished(30000)) return {};
    return sim.exitCode() == 0 ? sim.readAllStandardOutput() : QByteArray();
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    qputenv("VARZENO_SEMENTE", QByteArray::number(kSemente));
    DefinirCaixaDeErro([this](const QString& texto) { erros_ << texto; });
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
  }
  void cleanupTestCase() {
    p_.reset();
    DefinirCaixaDeErro({});
  }

  void noDiaryBeforeACampaign() {
    QTest::keyClick(&F(), Qt::Key_D);
    QVERIFY(!D() || !D()->isVisible());
    QVERIFY(!F().DiarioDisponivel());
  }

  void openedByKeyDuringACampaign() {
    F().lblNomeJog->setText(QString::fromUtf8(kNome));
    F().UpDown1->SetPosition(kOponentes);
    F().Abook->show();
    F().Abook->SetActivePage("adversarios");
    Clicar(F().Image3);
    QVERIFY(!F().Abook->isVisible());
    QCOMPARE(F().Diario.Semente(), std::optional<uint32_t>(kSemente));
    for (int k = 0; k < 6; ++k) QVERIFY(Semana());
    if (formDialog->isVisible()) Clicar(p_->formDialog.btn);

    QTest::keyClick(&F(), Qt::Key_D);
    QVERIFY(D() && D()->isVisible());
    QCOMPARE(D()->windowTitle(), QString("Diário da campanha"));
    QCOMPARE(F().Diario.Entradas().size(), size_t(6));
    ConferirTabela();
    QCOMPARE(D()->Tabela->verticalHeaderItem(5)->text(), QString("1o turno, semana 6"));
    QVERIFY(D()->Rodape->text().contains("6 semanas jogadas"));
    // Moving by cell: the table has the focus on the latest week.
    QCOMPARE(D()->Tabela->currentRow(), 5);
    QTest::keyClick(D()->Tabela, Qt::Key_Escape);
    QVERIFY(!D()->isVisible());
  }

  void openedByItsLinkOnThePlayArea() {
    QVERIFY(F().lblDiario->isVisible());
    // It sits on the panel's bare background, clear of every other control.
    for (QWidget* w : F().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w != F().lblDiario && w != F().Imp && w->isVisible())
        QVERIFY2(!w->geometry().intersects(F().lblDiario->geometry()), qPrintable(w->objectName()));
    // The weeks line at its longest still ends before it.
    const int fimSemanas = F().Label8->x() + QFontMetrics(F().Label8->font()).horizontalAdvance("Semanas até 1o turno: 20");
    QVERIFY2(fimSemanas + 8 < F().lblDiario->x(), qPrintable(QString::number(fimSemanas)));
    Clicar(F().lblDiario);
    QVERIFY(D()->isVisible());
    Clicar(D()->btnOk);
    QVERIFY(!D()->isVisible());
  }

  void fromTheChartTheWholeCampaignAndItsFile() {
    int semanas = 0;
    while (Semana()) QVERIFY(++semanas < 40);
    QVERIFY(!F().lblDiarioGrafico->isVisible());
    Clicar(p_->formDialog.btn);  // the win or loss message
    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    QVERIFY(F().lblDiarioGrafico->isVisible());
    // Clear of the chart's pictures and its Ok.
    for (QWidget* w : {static_cast<QWidget*>(F().imgNomes), static_cast<QWidget*>(F().imgGraf),
                       static_cast<QWidget*>(F().imgBtn), static_cast<QWidget*>(F().Label13)})
      QVERIFY(!w->geometry().intersects(F().lblDiarioGrafico->geometry()));

    QVERIFY(F().Diario.SegundoTurno());
    QVERIFY(std::any_of(F().Diario.Entradas().begin(), F().Diario.Entradas().end(),
                        [](const jogo::TEntradaDiario& e) { return e.penalidade > 0; }));
    Clicar(F().lblDiarioGrafico);
    QVERIFY(D()->isVisible());
    ConferirTabela();
    // The run-off's start: one row across every column.
    const int nota = static_cast<int>(F().Diario.SegundoTurno()->antes);
    QCOMPARE(D()->Tabela->verticalHeaderItem(nota)->text(), QString("2o turno"));
    QCOMPARE(D()->Tabela->columnSpan(nota, 0), D()->Tabela->columnCount());
    QVERIFY(D()->Rodape->text().startsWith("Resultado: "));
    QTest::keyClick(D()->Tabela, Qt::Key_Escape);
    QVERIFY(!D()->isVisible());
    QTest::keyClick(&F(), Qt::Key_D);  // the key as well
    QVERIFY(D()->isVisible());

    QString proposto;
    const QString caminho = pasta_.filePath("exportado.csv");
    D()->EscolhaDeArquivo = [&](const QString& p) {
      proposto = p;
      return caminho;
    };
    Clicar(D()->btnExportar);
    QVERIFY2(erros_.isEmpty(), qPrintable(erros_.join('\n')));
    QCOMPARE(QFileInfo(proposto).fileName(), QString("diario-campanha-semente-%1.csv").arg(kSemente));
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const std::string csv = jogo::DiarioCsv(F().Diario);
    QCOMPARE(bytes, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "turno;semana;"));
    QCOMPARE(bytes.count("\r\n"), static_cast<qsizetype>(F().Diario.Entradas().size() + 1));
    // The simulator plays the same draws and choices to the same file.
    QCOMPARE(bytes, Simulador());
    QVERIFY(D()->findChild<QLabel*>("Salvo")->text().contains("exportado.csv"));

    // A place that cannot take the file: said in Portuguese, nothing made.
    D()->EscolhaDeArquivo = [this](const QString&) { return pasta_.filePath("nao-ha/diario.csv"); };
    Clicar(D()->btnExportar);
    QCOMPARE(erros_.size(), 1);
    QVERIFY2(erros_[0].startsWith("Não foi possível gravar \"") && erros_[0].endsWith(": a pasta não existe."),
             qPrintable(erros_[0]));
    D()->EscolhaDeArquivo = [this](const QString&) { return pasta_.path(); };
    Clicar(D()->btnExportar);
    QCOMPARE(erros_.size(), 2);
    QVERIFY2(erros_[1].endsWith(": não é um arquivo comum."), qPrintable(erros_[1]));
    // Through Qt's own save dialog: titled as the button, proposing the
    // file's name in the last folder that took a file (not one that failed);
    // a name typed without its suffix gets ".csv".
    D()->EscolhaDeArquivo = nullptr;
    const QString pelaCaixa = pasta_.filePath("pela-caixa.csv");
    QString tituloDaCaixa, nomeProposto, pastaProposta;
    // Answered once it is up, from inside its own event loop.
    QTimer vigia;
    vigia.setInterval(10);
    connect(&vigia, &QTimer::timeout, this, [&] {
      auto* caixa = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!caixa || !caixa->isVisible()) return;
      vigia.stop();
      tituloDaCaixa = caixa->windowTitle();
      auto* nome = caixa->findChild<QLineEdit*>("fileNameEdit");
      nomeProposto = nome->text();
      pastaProposta = caixa->directory().absolutePath();
      // Typed as a player does: the dialog keeps the line its own while it has focus.
      nome->selectAll();
      QTest::keyClicks(nome, "pela-caixa");
      static_cast<QDialog*>(caixa)->accept();  // QFileDialog's own, as its button does
    });
    vigia.start();
    Clicar(D()->btnExportar);
    QCOMPARE(tituloDaCaixa, QString("Exportar diário (CSV)"));
    QCOMPARE(nomeProposto, QString("diario-campanha-semente-%1.csv").arg(kSemente));
    QCOMPARE(pastaProposta, QDir(pasta_.path()).absolutePath());
    QFile escrito(pelaCaixa);
    QVERIFY(escrito.open(QIODevice::ReadOnly));
    QCOMPARE(escrito.readAll(), bytes);
    QCOMPARE(erros_.size(), 2);
    // Cancelled: nothing written, nothing said.
    D()->EscolhaDeArquivo = [](const QString&) { return QString(); };
    Clicar(D()->btnExportar);
    QCOMPARE(erros_.size(), 2);

    Clicar(D()->btnOk);
    QVERIFY(!D()->isVisible());
    // The chart's Ok leads to the title page, where there is no diary.
    Clicar(F().imgBtn);
    QCOMPARE(F().Abook->ActivePage(), QString("Default"));
    QVERIFY(!F().lblDiarioGrafico->isVisible());
    QTest::keyClick(&F(), Qt::Key_D);
    QVERIFY(!D()->isVisible());
  }
};

QTEST_MAIN(TesteDiario)
#include "tst_diario.moc"

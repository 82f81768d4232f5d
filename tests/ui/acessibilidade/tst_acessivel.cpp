// The window's accessible tree as a screen reader gets it, in process: the
// role, name, state and actions of every control, what hidden pages hide,
// the message dialog's announcements, and a whole game played through the
// controls' accessible actions alone.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "acessivel.h"
#include "aleatorio.h"
#include "erro.h"
#include "imagem.h"
#include "nomes_acessiveis.h"
#include "notebook.h"
#include "programa.h"
#include "rotulo.h"
#include "updown.h"

namespace {

QAccessibleInterface* I(QObject* o) { return QAccessible::queryAccessibleInterface(o); }
QString Nome(QObject* o) { return I(o)->text(QAccessible::Name); }

// Every event the window sends to a reader, by object.
QList<QPair<QObject*, QAccessible::Event>> g_eventos;
void Registrar(QAccessibleEvent* e) { g_eventos.append({e->object(), e->type()}); }
bool Recebeu(QObject* o, QAccessible::Event tipo) { return g_eventos.contains(qMakePair(o, tipo)); }

// The whole accessible tree under `raiz`, depth first.
void Percorrer(QAccessibleInterface* raiz, QList<QAccessibleInterface*>& todos) {
  todos << raiz;
  for (int i = 0; i < raiz->childCount(); ++i) {
    QAccessibleInterface* c = raiz->child(i);
    if (c) Percorrer(c, todos);
  }
}

// The last thing the window announced, read as a reader does.
QString Anuncio() {
  if (!Form1) return {};
  auto* aviso = Form1->findChild<QWidget*>("varzenoAnuncio", Qt::FindDirectChildrenOnly);
  if (!aviso) return {};
  QAccessibleInterface* i = I(aviso);
  return i && i->role() == QAccessible::Notification ? i->text(QAccessible::Name) : QString();
}

}  // namespace

class TesteAcessivel : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }

  void Abrir(bool comLeitor = true) {
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
    if (comLeitor) QAccessible::setActive(true);  // as a reader coming does
  }
  QString Pagina() { return F().Abook->ActivePage(); }

  // A reader's press: the control must offer it, and it acts from the
  // event loop.
  void Pressionar(QObject* o) {
    QAccessibleInterface* i = I(o);
    QVERIFY(i && i->actionInterface());
    const QStringList acoes = i->actionInterface()->actionNames();
    const QString acao = acoes.contains(QAccessibleActionInterface::toggleAction())
                             ? QAccessibleActionInterface::toggleAction()
                             : QAccessibleActionInterface::pressAction();
    QVERIFY2(acoes.contains(acao), qPrintable(o->objectName()));
    i->actionInterface()->doAction(acao);
    QCoreApplication::processEvents();
  }
  // Presses and answers the message it brings up from inside its wait.
  void PressionarEResponder(QObject* o, const QString& mensagem) {
    bool respondeu = false;
    QTimer::singleShot(50, this, [&] {
      QCOMPARE(Nome(&p_->formDialog), mensagem);
      Pressionar(p_->formDialog.btn);
      respondeu = true;
    });
    Pressionar(o);
    QTRY_VERIFY(respondeu);
  }
  bool Mostrando(QObject* o) { return !I(o)->state().invisible; }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    DefinirCaixaDeErro([](const QString& t) { QFAIL(qPrintable(t)); });
    OuvirAvisos(Registrar);
  }
  void init() {
    QFile::remove("jogo.ini");
    g_eventos.clear();
  }
  void cleanup() { p_.reset(); }

  void nothingIsDescribedUntilAReaderListens() {
    Abrir(false);
    QVERIFY(!PapelDe(F().Image1) && !PapelDe(F().Can[0]));
    QCOMPARE(I(F().Image1)->role(), QAccessible::Graphic);
    QAccessible::setActive(true);
    QCOMPARE(I(F().Image1)->role(), QAccessible::PushButton);
    QCOMPARE(Nome(F().Image1), QString("Começar"));
    // The poll rows Qt had made interfaces for before are ours now.
    QCOMPARE(I(F().Can[0])->role(), QAccessible::StaticText);
    QCOMPARE(Nome(F().Label5), QString("Dinheiro: 0"));
  }

  void everyControlHasItsRoleAndName() {
    Abrir();
    struct Esperado {
      QObject* o;
      QAccessible::Role papel;
      QString nome;
    };
    QList<Esperado> esperados = {
        {F().Image1, QAccessible::PushButton, "Começar"},
        {F().bt[0], QAccessible::PushButton, "Página anterior"},
        {F().bt[1], QAccessible::PushButton, "Próxima página"},
        {F().bt[2], QAccessible::PushButton, "Página anterior"},
        {F().bt[3], QAccessible::PushButton, "Próxima página"},
        {F().bt[4], QAccessible::PushButton, "Página anterior"},
        {F().UpDown1, QAccessible::SpinBox, "Número de adversários"},
        {F().Image3, QAccessible::PushButton, "Iniciar campanha"},
        {F().Trava[3], QAccessible::RadioButton, "Não fazer nada, 4 de 4"},
        {F().Image4, QAccessible::PushButton, "Passar a semana"},
        {F().Fim, QAccessible::PushButton, "Fechar"},
        {F().Image9, QAccessible::PushButton, "Música"},
        {F().imgGraf, QAccessible::Graphic, "Gráfico de Desempenho"},
        {F().imgBtn, QAccessible::PushButton, "Ok"},
        {p_->formDialog.btn, QAccessible::PushButton, "Ok"},
        {&F(), QAccessible::Window, "Varzeno"},
        {F().Label36, QAccessible::Link, F().Label36->text()},
    };
    for (int k = 1; k <= 6; ++k) {
      const QString nome = QStringLiteral("Candidato %1").arg(10 * k + 5);
      esperados << Esperado{F().Fcan[k], QAccessible::PushButton, nome}
                << Esperado{F().Mq[k], QAccessible::PushButton, "Trocar foto de " + nome}
                << Esperado{F().Ncan[k], QAccessible::EditableText, "Nome do candidato"};
    }
    for (const Esperado& e : esperados) {
      QAccessibleInterface* i = I(e.o);
      QVERIFY2(i, qPrintable(e.o->objectName()));
      QCOMPARE(i->role(), e.papel);
      QCOMPARE(i->text(QAccessible::Name), e.nome);
    }
    // Every entry of the table both editions share names its control here.
    for (const varzeno::jogo::TNomeAcessivel& n : varzeno::jogo::kNomesAcessiveis) {
      const QString nome = QString::fromLatin1(n.controle);
      QObject* o = F().findChild<QObject*>(nome);
      if (!o) o = p_->formDialog.findChild<QObject*>(nome);
      QVERIFY2(o, n.controle);
      QCOMPARE(I(o)->text(QAccessible::Name), QString::fromUtf8(n.nome));
    }
    QCOMPARE(I(p_->formDialog.btn)->parent()->role(), QAccessible::AlertMessage);
    QCOMPARE(I(F().Fcan[2])->text(QAccessible::Description), QString("Escolher este candidato"));

    // The photo and its camera follow the name box, and say so.
    F().Ncan[2]->setText("Dona Zica");
    QCOMPARE(Nome(F().Fcan[2]), QString("Dona Zica"));
    QCOMPARE(Nome(F().Mq[2]), QString("Trocar foto de Dona Zica"));
    QVERIFY(Recebeu(F().Fcan[2], QAccessible::NameChanged));
    QVERIFY(Recebeu(F().Mq[2], QAccessible::NameChanged));

    // The marks read the option beside them.
    F().Label3->setText("Comício Din: -5");
    QCOMPARE(Nome(F().Trava[1]), QString("Comício Din: -5, 2 de 4"));
  }

  void theSpinnerIsAValueFromTwoToFive() {
    Abrir();
    QAccessibleValueInterface* v = I(F().UpDown1)->valueInterface();
    QVERIFY(v);
    QCOMPARE(v->minimumValue().toInt(), 2);
    QCOMPARE(v->maximumValue().toInt(), 5);
    QCOMPARE(v->currentValue().toInt(), 2);
    const QImage antes = F().Dig->Picture().copy(0, 0, 17, 29);
    v->setCurrentValue(4);
    QCOMPARE(F().UpDown1->Position(), 4);
    // The digit on show moved as for a click on the arrows.
    QCOMPARE(F().Dig->Picture().copy(0, 0, 17, 29), F().Dig->Picture().copy(17 * 3, 0, 17, 29));
    QVERIFY(F().Dig->Picture().copy(0, 0, 17, 29) != antes);
    QVERIFY(Recebeu(F().UpDown1, QAccessible::ValueChanged));
    v->setCurrentValue(9);
    QCOMPARE(v->currentValue().toInt(), 5);
    v->setCurrentValue(0);
    QCOMPARE(F().UpDown1->Position(), 2);
    // Its arrows are named too.
    for (int i = 0; i < I(F().UpDown1)->childCount(); ++i)
      QVERIFY(!I(F().UpDown1)->child(i)->text(QAccessible::Name).isEmpty());
  }

  void hiddenThingsAreNotShownAndTheStoreIsNotThere() {
    Abrir();
    QList<QAccessibleInterface*> todos;
    Percorrer(I(&F()), todos);
    QVERIFY(todos.size() > 40);
    QSet<QObject*> objetos;
    for (QAccessibleInterface* i : todos) {
      objetos << i->object();
      // Nothing in the tree is an unnamed picture.
      if (qobject_cast<TImagem*>(i->object()))
        QVERIFY2(!i->text(QAccessible::Name).isEmpty(), qPrintable(i->object()->objectName()));
    }
    for (QObject* guardada : QList<QObject*>{F().Tic0, F().Fim1, F().sesq1, F().maq1, F().grafico, F().Imp})
      QVERIFY2(!objetos.contains(guardada), qPrintable(guardada->objectName()));
    QVERIFY(!objetos.contains(F().Abook->Pagina("Extra")));
    QVERIFY(objetos.contains(F().Fcan[6]));
    QVERIFY(!objetos.contains(F().Can[0]));  // no poll before a game

    // Only the page on show shows, and what is on it.
    QVERIFY(Mostrando(F().Image1));
    QVERIFY(Mostrando(F().Abook->Pagina("Default")));
    QCOMPARE(Nome(F().Abook->Pagina("Default")), QString("Título"));
    for (QObject* o : QList<QObject*>{F().Abook->Pagina("regras"), F().bt[1], F().Fcan[1], F().Ncan[1], F().UpDown1,
                                      F().Image3, F().imgGraf})
      QVERIFY2(!Mostrando(o), qPrintable(o->objectName()));
    // The play area under the pages is not offered while they cover it.
    QVERIFY(!objetos.contains(F().Trava[0]));
    QVERIFY(!objetos.contains(F().Image4));
    QVERIFY(objetos.contains(F().Fim));
    QVERIFY(!I(F().Image4)->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    Pressionar(F().Image1);
    QCOMPARE(Pagina(), QString("regras"));
    QVERIFY(Mostrando(F().bt[1]));
    QVERIFY(!Mostrando(F().Image1));
    // A hidden control does nothing when pressed.
    I(F().Image3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(20);
    QVERIFY(F().Abook->isVisible());
  }

  void theMessageIsAnAlertAnnouncedWhenItComesAndChanges() {
    Abrir();
    TformDialog& d = p_->formDialog;
    QCOMPARE(I(&d)->role(), QAccessible::AlertMessage);
    // Its text is the alert's name, not read a second time beside it.
    for (int i = 0; i < I(&d)->childCount(); ++i) QVERIFY(I(&d)->child(i)->object() != d.lblMensagem);
    F().Mensagem("Sem dinheiro Suficiente");
    QCOMPARE(Nome(&d), QString("Sem dinheiro Suficiente"));
    QVERIFY(Recebeu(&d, QAccessible::Alert));
    QVERIFY(!Recebeu(&d, QAccessible::NameChanged));  // said once, as it comes up
    g_eventos.clear();
    F().Mensagem("Você perdeu!");
    QCOMPARE(Nome(&d), QString("Você perdeu!"));
    QVERIFY(Recebeu(&d, QAccessible::NameChanged));
    QVERIFY(Recebeu(&d, QAccessible::Alert));
    Pressionar(d.btn);
    QTRY_VERIFY(!d.isVisible());
    g_eventos.clear();
    F().Mensagem("Você perdeu!");  // the same text, shown anew
    QVERIFY(Recebeu(&d, QAccessible::Alert));
  }

  // Every text query answers at once, whatever its offset: a word asked
  // for at the end of "Candidato 15" once spun for ever in Qt's own.
  void theNameBoxAnswersEveryTextQuery() {
    Abrir();
    QAccessibleTextInterface* t = I(F().Ncan[1])->textInterface();
    QVERIFY(t);
    QCOMPARE(F().Ncan[1]->text(), QString("Candidato 15"));
    int a = -1, b = -1;
    QCOMPARE(t->textAtOffset(12, QAccessible::WordBoundary, &a, &b), QString("15"));
    QCOMPARE(QPair(a, b), QPair(10, 12));
    QCOMPARE(t->textAtOffset(10, QAccessible::WordBoundary, &a, &b), QString("15"));
    QCOMPARE(t->textAtOffset(3, QAccessible::WordBoundary, &a, &b), QString("Candidato "));
    QCOMPARE(t->textAtOffset(12, QAccessible::LineBoundary, &a, &b), QString("Candidato 15"));
    QCOMPARE(t->textAtOffset(12, QAccessible::CharBoundary, &a, &b), QString());
    QCOMPARE(QPair(a, b), QPair(12, 12));
    QCOMPARE(t->textBeforeOffset(12, QAccessible::WordBoundary, &a, &b), QString("Candidato "));
    QCOMPARE(t->textAfterOffset(0, QAccessible::WordBoundary, &a, &b), QString("15"));
    QCOMPARE(t->textAfterOffset(12, QAccessible::WordBoundary, &a, &b), QString());
    QCOMPARE(t->textBeforeOffset(0, QAccessible::CharBoundary, &a, &b), QString());
    for (int o : {-1000, -1, 13, 1000, INT_MAX, INT_MIN})
      for (auto tipo : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                        QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary}) {
        t->textAtOffset(o, tipo, &a, &b);
        QVERIFY(0 <= a && a <= b && b <= 12);
        t->textBeforeOffset(o, tipo, &a, &b);
        QVERIFY(0 <= a && a <= b && b <= 12);
        t->textAfterOffset(o, tipo, &a, &b);
        QVERIFY(0 <= a && a <= b && b <= 12);
      }
    QCOMPARE(t->text(-5, 100), QString("Candidato 15"));
    QCOMPARE(t->text(8, 3), QString());
    QCOMPARE(t->characterCount(), 12);
    // The selection a tab brings is the whole name, to its last letter.
    F().Ncan[1]->selectAll();
    t->selection(0, &a, &b);
    QCOMPARE(t->text(a, b), QString("Candidato 15"));
    // Only spaces, an empty box, a pair of surrogates.
    F().Ncan[1]->setText("   ");
    QCOMPARE(t->textAtOffset(3, QAccessible::WordBoundary, &a, &b), QString("   "));
    F().Ncan[1]->setText("");
    QCOMPARE(t->textAtOffset(0, QAccessible::WordBoundary, &a, &b), QString());
    QCOMPARE(t->textAtOffset(0, QAccessible::CharBoundary, &a, &b), QString());
    F().Ncan[1]->setText(QString::fromUtf8("a \xF0\x9F\x98\x80 b"));
    QCOMPARE(t->textAtOffset(3, QAccessible::CharBoundary, &a, &b), QString::fromUtf8("\xF0\x9F\x98\x80"));
    QCOMPARE(t->textAtOffset(0, QAccessible::WordBoundary, &a, &b), QString("a "));
    F().Ncan[1]->setText("Candidato 15");  // jogo.ini takes no emoji
  }

  void aWholeGameThroughTheReadersActions() {
    Abrir();
    varzeno::RandSeed(77);
    // A reader's press goes through the control's own press and release,
    // never through a mouse signal.
    int sinaisDoMouse = 0;
    const auto contar = [&sinaisDoMouse] { ++sinaisDoMouse; };
    for (TImagem* f : F().findChildren<TImagem*>() + p_->formDialog.findChildren<TImagem*>()) {
      connect(f, &TImagem::MouseDown, this, contar);
      connect(f, &TImagem::MouseUp, this, contar);
      connect(f, &TImagem::DblClick, this, contar);
    }
    QSignalSpy premidas(F().Image4, &TImagem::Premida), soltas(F().Image4, &TImagem::Solta);
    Pressionar(F().Image1);
    Pressionar(F().bt[1]);
    QCOMPARE(Pagina(), QString("Candidatos"));
    // Forward without a candidate: the same guard and message as a click.
    PressionarEResponder(F().bt[3], "Selecione seu candidato!");
    QCOMPARE(Pagina(), QString("Candidatos"));
    Pressionar(F().Fcan[3]);
    QCOMPARE(Pagina(), QString("adversarios"));
    QCOMPARE(F().lblNomeJog->text(), QString("Candidato 35"));
    I(F().UpDown1)->valueInterface()->setCurrentValue(3);
    Pressionar(F().Image3);
    QVERIFY(!F().Abook->isVisible());
    QCOMPARE(F().Partida.Motor->Candidatos.Count(), 4);
    // The play area comes into the tree as children added one by one (a
    // reorder reaches readers malformed from Qt 6.4).
    QVERIFY(Recebeu(F().Trava[0], QAccessible::ObjectCreated));
    QVERIFY(Recebeu(F().Image4, QAccessible::ObjectCreated));
    QVERIFY(!Recebeu(&F(), QAccessible::ObjectReorder));
    // Where the campaign starts is said, before the option marked.
    QTRY_VERIFY(Anuncio().startsWith("Campanha iniciada. Semanas até 1o turno: 20. Dinheiro: 10000."));
    QVERIFY(Anuncio().indexOf("Honestidade: ") < Anuncio().indexOf("Não fazer nada, 4 de 4"));

    // The play area is offered now, the marks with their state.
    QList<QAccessibleInterface*> todos;
    Percorrer(I(&F()), todos);
    QSet<QObject*> objetos;
    for (QAccessibleInterface* i : todos) objetos << i->object();
    QVERIFY(objetos.contains(F().Trava[0]) && objetos.contains(F().Image4) && objetos.contains(F().Image9));
    QVERIFY(I(F().Trava[3])->state().checked);
    QCOMPARE(Nome(F().Trava[0]), F().Label2->text() + ", 1 de 4");
    Pressionar(F().Trava[0]);
    QVERIFY(I(F().Trava[0])->state().checked);
    QVERIFY(!I(F().Trava[3])->state().checked);
    QVERIFY(Recebeu(F().Trava[0], QAccessible::StateChanged));
    Pressionar(F().Trava[3]);
    QCOMPARE(F().Escolha, uint8_t{0});

    // The poll rows read as name and share; the share labels are not
    // offered apart.
    const varzeno::TEngVarzeno& m = *F().Partida.Motor;
    QCOMPARE(Nome(F().Can[0]), QString::fromStdString(m.Ranking[0]->Nome) + ": " + F().Per[0]->text());
    QVERIFY(!objetos.contains(F().Per[0]));
    QCOMPARE(Nome(F().Label5), "Dinheiro: " + F().Label10->text());
    // Three opponents fill five rows; the two left show only dots, unread.
    QVERIFY(objetos.contains(F().Can[4]));
    QVERIFY(!objetos.contains(F().Can[5]) && !objetos.contains(F().Can[6]));

    const QString semanas = F().Label8->text();
    Pressionar(F().Image4);
    QTRY_VERIFY(F().Label8->text() != semanas || formDialog->isVisible());
    // A quiet week is said, with where the campaign stands.
    if (!formDialog->isVisible()) QTRY_COMPARE(Anuncio(), F().Label8->text() + ". Dinheiro: " + F().Label10->text() +
                                                              ". Popularidade: " + F().Label11->text() +
                                                              ". Honestidade: " + F().Label12->text() + ".");
    for (int passos = 0; !F().GraficoPendente() && !F().imgBtn->isVisible(); ++passos) {
      QVERIFY(passos < 80);
      Pressionar(formDialog->isVisible() ? static_cast<QObject*>(p_->formDialog.btn) : F().Image4);
    }
    if (formDialog->isVisible()) Pressionar(p_->formDialog.btn);
    QTRY_VERIFY(F().imgBtn->isVisible());
    QCOMPARE(Pagina(), QString("Grafico"));

    // The chart in words: every name of the final poll with its share.
    const QString descricao = I(F().imgGraf)->text(QAccessible::Description);
    for (int r = 0; r < m.Ranking.Count(); ++r)
      QVERIFY2(
          descricao.contains(
              QStringLiteral("%1: %2%").arg(QString::fromStdString(m.Ranking[r]->Nome)).arg(m.Ranking[r]->Percentual)),
          qPrintable(descricao));
    QVERIFY(Recebeu(F().imgGraf, QAccessible::DescriptionChanged));
    // Said when drawn, and read with its page before the Ok.
    QTRY_COMPARE(Anuncio(), "Gráfico de Desempenho. " + descricao);
    QCOMPARE(Nome(F().Abook->Pagina("Grafico")), "Gráfico de Desempenho. " + descricao);
    Pressionar(F().imgBtn);
    QCOMPARE(Pagina(), QString("Default"));
    QCOMPARE(sinaisDoMouse, 0);
    QVERIFY(soltas.size() >= 20);
    QCOMPARE(premidas.size(), soltas.size());
  }
};

QTEST_MAIN(TesteAcessivel)
#include "tst_acessivel.moc"

// The window as a screen reader reads it: a role, a name, a state and an
// action for every control. A reader's press does what a click does, by the
// control's own press and release, so every guard and message is the same.
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "Unit1.h"
#include "Unit2.h"
#include "acessivel.h"
#include "falas.h"
#include "nomes_acessiveis.h"
#include "imagem.h"
#include "janela_diario.h"
#include "notebook.h"
#include "painel.h"
#include "rotulo.h"
#include "updown.h"

namespace {

QString Texto(const char* s) { return QString::fromUtf8(s); }

// The button pressed and released, as a click does.
void Clicar(TImagem* img) {
  img->Premir();
  img->Soltar();
}

TPapelAcessivel* Botao(TImagem* img, std::function<QString()> nome) {
  TPapelAcessivel* p = DarPapel(img, QAccessible::PushButton, std::move(nome));
  p->Acionar = [img] { Clicar(img); };
  return p;
}

// Its name in the table both editions read, by its object name.
QString NomeFixo(const QObject* o) {
  const std::string_view n = varzeno::jogo::NomeAcessivel(o->objectName().toStdString());
  return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
}

TPapelAcessivel* Botao(TImagem* img) {
  return Botao(img, [n = NomeFixo(img)] { return n; });
}

// A label followed by the dots that fill its row, without them.
QString SemPontos(const QString& s) {
  QString t = s;
  while (t.endsWith(QLatin1Char('.'))) t.chop(1);
  return t.trimmed();
}

// The final poll, as the chart's text for those who cannot see it, in the
// words both editions say.
QString DescreverPesquisaFinal(const varzeno::TPartida& partida) {
  return QString::fromStdString(varzeno::jogo::DescreverPesquisaFinal(partida));
}

// The chart's text: the final poll, and where its weeks are told as a table.
QString TextoDoGrafico(const varzeno::TPartida& partida) {
  return DescreverPesquisaFinal(partida) + QLatin1Char(' ') + QString::fromUtf8(kDiarioDoGrafico);
}

QString Situacao(const TForm1& f) { return FalaDaSituacao(f); }

// An option read with its place among the four, top to bottom.
QString ComPosicao(const QString& texto, int linha) {
  return SemPontos(texto) + QStringLiteral(", %1").arg(linha + 1) + Texto(varzeno::jogo::kDeQuatro);
}

QLabel* Opcao(const TForm1& f, int escolha) {
  QLabel* const textos[4] = {f.Label9, f.Label2, f.Label3, f.Label4};
  return textos[std::clamp(escolha, 0, 3)];
}

// Says what waits to be said once no message is up and the window is active.
void DizerPendente(TForm1* f, const std::shared_ptr<QString>& pendente) {
  if (pendente->isEmpty()) return;
  if (formDialog && formDialog->isVisible()) {
    QObject::connect(
        formDialog, &TformDialog::Escondido, f,
        [f, pendente] { QTimer::singleShot(0, f, [f, pendente] { DizerPendente(f, pendente); }); },
        Qt::SingleShotConnection);
    return;
  }
  if (!f->isActiveWindow()) return;  // the window's activation says it
  Anunciar(f, std::exchange(*pendente, QString()));
}

}  // namespace

// Where the campaign stands, as the panel shows it.
QString FalaDaSituacao(const TForm1& f) {
  return QStringLiteral("%1. Dinheiro: %2. Popularidade: %3. Honestidade: %4.")
      .arg(f.Label8->text(), f.Label10->text(), f.Label11->text(), f.Label12->text());
}

// The poll's rows as the panel shows them, top (the leader) to bottom.
QString FalaDaPesquisa(const TForm1& f) {
  QStringList linhas;
  for (size_t r = 0; r < f.Can.size(); ++r) {
    const QString nome = SemPontos(f.Can[r]->text());
    if (!nome.isEmpty()) linhas << nome + QStringLiteral(": ") + f.Per[r]->text();
  }
  if (linhas.isEmpty()) return Texto(varzeno::jogo::kSemPesquisa);
  return Texto(varzeno::jogo::kPesquisaDita) + linhas.join(QStringLiteral("; ")) + QLatin1Char('.');
}

void TForm1::MontarAcessibilidade() {
  // Nothing is spent on readers until one listens.
  QuandoHouverLeitor(this, [this] {
    // Pages: a named panel each; the picture store is never shown.
    for (const char* pagina : {"Default", "regras", "Candidatos", "adversarios", "Grafico"}) {
      QWidget* p = Abook->Pagina(QString::fromLatin1(pagina));
      DarPapel(p, QAccessible::Pane, [n = NomeFixo(p)] { return n; });
    }
    DeixarDeFora(Abook->Pagina(QStringLiteral("Extra")));
    // The chart's page says its poll once drawn: a reader reads the page
    // as it comes to the Ok, so the poll comes before the Ok.
    PapelDe(Abook->Pagina(QStringLiteral("Grafico")))->Nome = [this, nome = NomeFixo(Abook->Pagina(QStringLiteral("Grafico")))] {
      return imgBtn->isVisible() ? NomeFixo(imgGraf) + QStringLiteral(". ") + TextoDoGrafico(Partida) : nome;
    };
    // The rules' text takes the focus first.
    if (auto* regras = findChild<QScrollArea*>(QStringLiteral("ScrollBox1")))
      DarPapel(regras, QAccessible::Pane, [n = NomeFixo(regras)] { return n; });

    // Frame and set-up.
    for (TImagem* b : {Image1, Fim, Image9, Image3}) Botao(b);
    for (TImagem* b : bt) Botao(b);
    DarPapel(Label36, QAccessible::Link, [this] { return Label36->text(); })->Acionar = [this] { Label36MouseDown(); };

    // The spinner moves by its own arrows, so the digits follow as they do
    // for a click.
    TPapelAcessivel* spin = DarPapel(UpDown1, QAccessible::SpinBox, [n = NomeFixo(UpDown1)] { return n; });
    spin->Minimo = 2;
    spin->Maximo = 5;
    spin->Valor = [this] { return UpDown1->Position(); };
    spin->ValorDito = QString::number(UpDown1->Position());
    spin->DefinirValor = [this](int v) {
      v = std::clamp(v, 2, 5);
      for (int passos = 0; UpDown1->Position() != v && passos < 8; ++passos)
        (UpDown1->Position() < v ? UpDown1->Acima() : UpDown1->Abaixo())->click();
    };
    // One control with its number: its arrows apart would hide the number
    // from a reader's review, which reads a row's innermost objects.
    DeixarDeFora(UpDown1->Acima());
    DeixarDeFora(UpDown1->Abaixo());
    // The digits are a picture: every step is said aloud.
    connect(UpDown1, &TUpDown::Click, this, [this] {
      AvisarValor(UpDown1);
      // With the focus on it a reader says the new value itself.
      if (focusWidget() != UpDown1) Anunciar(this, Texto("Número de adversários: %1").arg(UpDown1->Position()));
    });

    // Candidates: the photo chooses, by the double click the mouse needs.
    for (int k = 1; k <= 6; ++k) {
      TImagem* foto = Fcan[k];
      QLineEdit* nome = Ncan[k];
      TPapelAcessivel* p = DarPapel(foto, QAccessible::PushButton, [nome] { return nome->text(); });
      p->Descricao = [] { return Texto("Escolher este candidato"); };
      p->Acionar = [this, foto] { Fcan1DblClick(foto); };
      Botao(Mq[k], [nome] { return Texto(varzeno::jogo::kTrocarFotoDe) + nome->text(); });
      DarPapel(nome, QAccessible::EditableText, [] { return Texto(varzeno::jogo::kNomeDaCaixaDeNome); });
      connect(nome, &QLineEdit::textChanged, this, [foto, camera = Mq[k]] {
        AvisarNome(foto);
        AvisarNome(camera);
      });
    }

    // The week: four marks, read by the text beside them, and the confirm.
    QLabel* textos[4] = {Label2, Label3, Label4, Label9};
    for (int i = 0; i < 4; ++i) {
      TImagem* marca = Trava[i];
      const uint8_t escolha = static_cast<uint8_t>(i == 3 ? 0 : i + 1);
      TPapelAcessivel* p =
          DarPapel(marca, QAccessible::RadioButton, [r = textos[i], i] { return ComPosicao(r->text(), i); });
      p->Marcado = [this, escolha] { return Escolha == escolha; };
      p->Acionar = [marca] { Clicar(marca); };
      DeixarDeFora(textos[i]);
      // After the game's own handler: the mark has moved.
      connect(marca, &TImagem::Premida, this, [this] {
        for (TImagem* t : Trava) AvisarMarcado(t);
      });
    }
    Botao(Image4);

    // The panel: each poll row and each statistic read as one line.
    for (int r = 0; r < 7; ++r) {
      QLabel* nome = Can[r];
      QLabel* parte = Per[r];
      // A row the poll does not fill shows only dots, and is not read.
      DarPapel(nome, QAccessible::StaticText, [nome, parte] {
        return SemPontos(nome->text()) + QStringLiteral(": ") + parte->text();
      })->Presente = [nome] { return !SemPontos(nome->text()).isEmpty(); };
      DeixarDeFora(parte);
    }
    DarPapel(Label14, QAccessible::StaticText, [this] { return Label14->text(); })->Presente = [this] {
      return !Label14->text().isEmpty();
    };
    const std::pair<QLabel*, QLabel*> estatisticas[] = {{Label5, Label10}, {Label6, Label11}, {Label7, Label12}};
    for (const auto& [legenda, valor] : estatisticas) {
      DarPapel(legenda, QAccessible::StaticText,
               [legenda, valor] { return legenda->text() + QLatin1Char(' ') + valor->text(); });
      DeixarDeFora(valor);
    }
    // A week that passes is said once the focus has settled: after the
    // event's message is closed and the window is active again, since a
    // reader cuts off what it says when the focus moves.
    auto pendente = std::make_shared<QString>();
    OuvirEventos(this, [this, pendente](QEvent* e) {
      if (e->type() == QEvent::WindowActivate) QTimer::singleShot(0, this, [this, pendente] { DizerPendente(this, pendente); });
    });
    connect(this, &TForm1::PainelAtualizado, this, [this, pendente] {
      for (int i = 0; i < 3; ++i) AvisarNome(Trava[i]);
      for (QLabel* l : Can) AvisarNome(l);
      for (QLabel* l : {Label5, Label6, Label7}) AvisarNome(l);
      AvisarFilhos(this);  // rows filled or emptied
      const varzeno::TEngVarzeno& m = *Partida.Motor;
      if (!m.SegundoTurno && m.Semanas == 20)  // a campaign that starts (the first round has 20 weeks)
        *pendente = Texto(varzeno::jogo::kCampanhaIniciada) + Situacao(*this) + Texto(varzeno::jogo::kTeclasDaSemana) +
                    ComPosicao(Opcao(*this, Escolha)->text(),
                               Escolha == 0 ? 3 : Escolha - 1);
      else
        *pendente = Situacao(*this);
      QTimer::singleShot(0, this, [this, pendente] { DizerPendente(this, pendente); });
    });

    // The chart, in words, and its Ok.
    DarPapel(imgGraf, QAccessible::Graphic, [n = NomeFixo(imgGraf)] { return n; })->Descricao = [this] {
      return TextoDoGrafico(Partida);
    };
    Botao(imgBtn);
    // The number of opponents is a picture: said when its page comes.
    connect(Abook, &QStackedWidget::currentChanged, this, [this] {
      if (Abook->ActivePage() != QLatin1String("adversarios")) return;
      QTimer::singleShot(0, this, [this] {
        Anunciar(this, Texto("Número de adversários: %1. Para cima e para baixo o mudam; Enter inicia a campanha.")
                           .arg(UpDown1->Position()));
      });
    });

    // Drawn: the poll is said after the Ok has taken the focus.
    OuvirEventos(imgBtn, [this](QEvent* e) {
      if (e->type() != QEvent::Show) return;
      AvisarDescricao(imgGraf);
      QTimer::singleShot(0, this, [this] {
        if (imgBtn->isVisible()) Anunciar(this, NomeFixo(imgGraf) + QStringLiteral(". ") + TextoDoGrafico(Partida));
      });
    });

    // What the pages cover changes when they come and go.
    OuvirEventos(Abook, [this](QEvent* e) {
      if (e->type() == QEvent::Show || e->type() == QEvent::Hide) AvisarFilhos(this);
    });
    AvisarFilhos(this);  // what is offered now
  });
}

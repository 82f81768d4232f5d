// The window as a screen reader reads it: a role, a name, a state and an
// action for every control. A reader's press does what the mouse does, by
// the same signals, so every guard and message is the same.
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "Unit1.h"
#include "acessivel.h"
#include "imagem.h"
#include "notebook.h"
#include "rotulo.h"
#include "updown.h"

namespace {

QString Texto(const char* s) { return QString::fromUtf8(s); }

// A press and a release of the left button over the picture.
void Clicar(TImagem* img) {
  emit img->MouseDown(img, Qt::LeftButton, 0, 0);
  emit img->MouseUp(img, Qt::LeftButton, 0, 0);
}

TPapelAcessivel* Botao(TImagem* img, std::function<QString()> nome) {
  TPapelAcessivel* p = DarPapel(img, QAccessible::PushButton, std::move(nome));
  p->Acionar = [img] { Clicar(img); };
  return p;
}

TPapelAcessivel* Botao(TImagem* img, const char* nome) {
  return Botao(img, [n = Texto(nome)] { return n; });
}

// A label followed by the dots that fill its row, without them.
QString SemPontos(const QString& s) {
  QString t = s;
  while (t.endsWith(QLatin1Char('.'))) t.chop(1);
  return t.trimmed();
}

// The final poll, as the chart's text for those who cannot see it.
QString DescreverPesquisaFinal(const varzeno::TPartida& partida) {
  if (!partida.Motor) return {};
  QStringList linhas;
  const auto& ranking = partida.Motor->Ranking;
  for (int r = 0; r < ranking.Count(); ++r)
    linhas << QStringLiteral("%1: %2%").arg(QString::fromStdString(ranking[r]->Nome)).arg(ranking[r]->Percentual);
  return QStringLiteral("Pesquisa final. ") + linhas.join(QStringLiteral("; ")) + QLatin1Char('.');
}

}  // namespace

void TForm1::MontarAcessibilidade() {
  // Nothing is spent on readers until one listens.
  QuandoHouverLeitor(this, [this] {
    // Pages: a named panel each; the picture store is never shown.
    const std::pair<const char*, const char*> paginas[] = {{"Default", "Título"},
                                                           {"regras", "Regras"},
                                                           {"Candidatos", "Candidatos"},
                                                           {"adversarios", "Adversários"},
                                                           {"Grafico", "Gráfico"}};
    for (const auto& [pagina, nome] : paginas)
      DarPapel(Abook->Pagina(QString::fromLatin1(pagina)), QAccessible::Pane, [n = Texto(nome)] { return n; });
    DeixarDeFora(Abook->Pagina(QStringLiteral("Extra")));

    // Frame and set-up.
    Botao(Image1, "Começar");
    Botao(Fim, "Fechar");
    Botao(Image9, "Música");
    for (int i = 0; i < 5; ++i) Botao(bt[i], i % 2 == 0 ? "Página anterior" : "Próxima página");
    Botao(Image3, "Iniciar campanha");
    DarPapel(Label36, QAccessible::Link, [this] { return Label36->text(); })->Acionar = [this] {
      emit Label36->MouseDown();
    };

    // The spinner moves by its own arrows, so the digits follow as they do
    // for a click.
    TPapelAcessivel* spin = DarPapel(UpDown1, QAccessible::SpinBox, [] { return Texto("Número de adversários"); });
    spin->Minimo = 2;
    spin->Maximo = 5;
    spin->Valor = [this] { return UpDown1->Position(); };
    spin->DefinirValor = [this](int v) {
      v = std::clamp(v, 2, 5);
      for (int passos = 0; UpDown1->Position() != v && passos < 8; ++passos)
        (UpDown1->Position() < v ? UpDown1->Acima() : UpDown1->Abaixo())->click();
    };
    UpDown1->Acima()->setAccessibleName(Texto("Mais adversários"));
    UpDown1->Abaixo()->setAccessibleName(Texto("Menos adversários"));
    connect(UpDown1, &TUpDown::Click, this, [this] { AvisarValor(UpDown1); });

    // Candidates: the photo chooses, by the double click the mouse needs.
    for (int k = 1; k <= 6; ++k) {
      TImagem* foto = Fcan[k];
      QLineEdit* nome = Ncan[k];
      TPapelAcessivel* p = DarPapel(foto, QAccessible::PushButton, [nome] { return nome->text(); });
      p->Descricao = [] { return Texto("Escolher este candidato"); };
      p->Acionar = [foto] { emit foto->DblClick(foto); };
      Botao(Mq[k], [nome] { return Texto("Trocar foto de ") + nome->text(); });
      nome->setAccessibleName(Texto("Nome do candidato"));
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
      TPapelAcessivel* p = DarPapel(marca, QAccessible::RadioButton, [r = textos[i]] { return r->text(); });
      p->Marcado = [this, escolha] { return Escolha == escolha; };
      p->Acionar = [marca] { Clicar(marca); };
      DeixarDeFora(textos[i]);
      // After the game's own handler: the mark has moved.
      connect(marca, &TImagem::MouseDown, this, [this] {
        for (TImagem* t : Trava) AvisarMarcado(t);
      });
    }
    Botao(Image4, "Passar a semana");

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
    connect(this, &TForm1::PainelAtualizado, this, [this] {
      for (int i = 0; i < 3; ++i) AvisarNome(Trava[i]);
      for (QLabel* l : Can) AvisarNome(l);
      for (QLabel* l : {Label5, Label6, Label7}) AvisarNome(l);
      AvisarFilhos(this);  // rows filled or emptied
    });

    // The chart, in words, and its Ok.
    DarPapel(imgGraf, QAccessible::Graphic, [] { return Texto("Gráfico de Desempenho"); })->Descricao = [this] {
      return DescreverPesquisaFinal(Partida);
    };
    Botao(imgBtn, "Ok");
    OuvirEventos(imgBtn, [this](QEvent* e) {
      if (e->type() == QEvent::Show) AvisarDescricao(imgGraf);
    });

    // What the pages cover changes when they come and go.
    OuvirEventos(Abook, [this](QEvent* e) {
      if (e->type() == QEvent::Show || e->type() == QEvent::Hide) AvisarFilhos(this);
    });
  });
}

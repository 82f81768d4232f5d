// The six candidates: photo, editable name, party description and the
// camera button that swaps the photo; read from "jogo.ini" at start and
// written back at exit.
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "Unit1.h"
#include "carregador_fotos.h"
#include "configuracao.h"
#include "dialogo_fotos.h"
#include "erro.h"
#include "figuras.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"
#include "rolagem.h"
#include "rotulo.h"
#include "textos.h"

namespace {
using varzeno::jogo::kDescricoes;

const char* const kNomeDoArquivo = "jogo.ini";

// Runs `acao` once, right after the window's first paint (or after a
// second, for a window that is never shown).
class TAposPrimeiraPintura : public QObject {
 public:
  TAposPrimeiraPintura(QWidget* janela, std::function<void()> acao) : QObject(janela), acao_(std::move(acao)) {
    janela->installEventFilter(this);
    QTimer::singleShot(1000, this, [this] { Executar(); });
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) QTimer::singleShot(0, this, [this] { Executar(); });
    return false;
  }

 private:
  void Executar() {
    if (!acao_) return;
    const auto acao = std::exchange(acao_, nullptr);
    deleteLater();
    acao();
  }
  std::function<void()> acao_;
};

// One report for every stored photo that failed at start.
QString ListaDeFalhas(const QMap<int, QString>& falhas) {
  const QString cabeca =
      falhas.size() == 1
          ? QStringLiteral(
                "A foto de um candidato não pôde ser carregada. Por enquanto a vaga mostra a foto padrão; o caminho "
                "continua guardado, e a foto volta quando o arquivo puder ser aberto ao iniciar o jogo.")
          : QStringLiteral(
                "As fotos de %1 candidatos não puderam ser carregadas. Por enquanto as vagas mostram a foto padrão; "
                "os caminhos continuam guardados, e as fotos voltam quando os arquivos puderem ser abertos ao "
                "iniciar o jogo.")
                .arg(falhas.size());
  return cabeca + QStringLiteral("\n\n") + QStringList(falhas.cbegin(), falhas.cend()).join(QLatin1Char('\n'));
}

// A name box takes only what the settings file can hold.
class TValidadorNome : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texto, int&) const override { return CabeNaConfiguracao(texto) ? Acceptable : Invalid; }
};
}  // namespace

void TForm1::MontarCandidatos() {
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  maq1 = GuardarFigura(extra, "maq1", 38, 31);
  maq2 = GuardarFigura(extra, "maq2", 38, 31);

  QWidget* conteudo = CriarRolagem(Abook->Pagina(QStringLiteral("Candidatos")), "ScrollBox2", Geometria("ScrollBox2"),
                                   LugarDe("candidatosConteudo").h);
  Label34 = RotuloNoLugar(conteudo, "Label34", true, QColor(0x00, 0xFF, 0xFF), QColor(),
                          QString::fromUtf8(varzeno::jogo::kEscolhaCandidato));
  QFont sublinhada = Label34->font();
  sublinhada.setUnderline(true);
  Label34->setFont(sublinhada);
  Label34->adjustSize();

  Carregador = new TCarregadorFotos(this);
  auto* validador = new TValidadorNome(this);
  for (int k = 1; k <= 6; ++k) {
    const int numero = 10 * k + 5;

    TImagem* foto = new TImagem(conteudo, QStringLiteral("Fcan%1").arg(k));
    foto->setGeometry(Geometria(foto->objectName()));
    foto->SetStretch(true);
    foto->SetPicture(FiguraEmbutida(QStringLiteral("foto%1.png").arg(numero)));
    foto->setToolTip(QString::fromUtf8(varzeno::jogo::kDicaFoto));
    foto->setCursor(Qt::DragMoveCursor);
    connect(foto, &TImagem::DblClick, this, [this](TImagem* s) { Fcan1DblClick(s); });
    Fcan[k] = foto;

    TImagem* camera = new TImagem(conteudo, QStringLiteral("Mq%1").arg(k));
    camera->setGeometry(Geometria(camera->objectName()));
    camera->SetPicture(maq1->Picture());
    camera->setToolTip(QString::fromUtf8(varzeno::jogo::kDicaCamera));
    connect(camera, &TImagem::Premida, this, [this](TImagem* s) { Mq1MouseDown(s); });
    connect(camera, &TImagem::Solta, this, [this](TImagem* s) { Mq1MouseUp(s); });
    Mq[k] = camera;

    auto* nome = new QLineEdit(QString::fromStdString(varzeno::jogo::NomeInicialCandidato(k)), conteudo);
    nome->setObjectName(QStringLiteral("Ncan%1").arg(k));
    nome->setGeometry(Geometria(nome->objectName()));
    nome->setFrame(false);
    nome->setTextMargins(0, 0, 0, 0);
    nome->setFont(Arial(LugarDe(nome->objectName()).fonte, true));
    QPalette p = nome->palette();
    p.setColor(QPalette::Base, QColor(0x93, 0x9E, 0xAA));
    nome->setPalette(p);
    nome->setValidator(validador);
    Ncan[k] = nome;

    QLabel* descricao = RotuloNoLugar(conteudo, QStringLiteral("Dcan%1").arg(k), true, QColor(0xFF, 0xFF, 0x00),
                                      QColor(), QString::fromUtf8(kDescricoes[static_cast<size_t>(k - 1)]));
    QFont fd(QStringLiteral("MS Sans Serif"));
    fd.setPixelSize(LugarDe(descricao->objectName()).fonte);
    fd.setBold(true);
    descricao->setFont(fd);
    descricao->setWordWrap(true);
    Dcan[k] = descricao;
  }
  // Tab order follows the candidatos.
  for (int k = 1; k < 6; ++k) setTabOrder(Ncan[k], Ncan[k + 1]);
}

void TForm1::CarregarConfiguracao() {
  const QString arquivo = QString::fromLatin1(kNomeDoArquivo);
  std::optional<TSlotsCandidatos> candidatos;
  try {
    candidatos = LerConfiguracao(arquivo);
  } catch (const std::exception& e) {
    // The game starts all the same, with the built-in candidates; a plain
    // file that could not be read may still hold the player's, so it is not
    // written over at exit.
    configuracaoIlegivel_ = EArquivoComum(arquivo);
    const QString texto = QString::fromUtf8(e.what()) + QStringLiteral(". O jogo segue com os candidatos padrão.");
    new TAposPrimeiraPintura(this, [texto] { MostrarErro(texto); });
  }
  if (candidatos) {
    for (int k = 1; k <= 6; ++k) {
      const TSlotCandidato& s = (*candidatos)[static_cast<size_t>(k - 1)];
      Fotos[k] = s.foto;
      Ncan[k]->setText(s.nome);
      Dcan[k]->setText(s.descricao);
    }
  }
  // The photos load off the window's thread and go in as they arrive; the
  // window shows the placeholders meanwhile, and the loads begin once it has
  // painted, so their threads and helpers do not hold the first paint back.
  // A photo that fails keeps its path (a pen drive or a network folder may
  // just not be there today) and its placeholder; the failures are reported
  // together, once all the photos have answered.
  if (std::all_of(Fotos.begin(), Fotos.end(), [](const QString& f) { return f.isEmpty(); })) return;
  new TAposPrimeiraPintura(this, [this, guardadas = Fotos] {
    auto faltam = std::make_shared<int>(0);
    auto falhas = std::make_shared<QMap<int, QString>>();  // by slot
    for (int k = 1; k <= 6; ++k) {
      const QString caminho = guardadas[size_t(k)];
      if (caminho.isEmpty()) continue;
      ++*faltam;
      Carregador->Carregar(
          caminho, kLadoFoto, [this, k, caminho, faltam, falhas](const QImage& foto, const QString& erro) {
            // A photo chosen meanwhile through the camera wins.
            if (Fotos[k] == caminho) {
              if (erro.isEmpty())
                Fcan[k]->SetPicture(foto);
              else
                falhas->insert(k, erro.contains(caminho)
                                      ? QStringLiteral("Vaga %1 (%2): %3").arg(k).arg(Ncan[k]->text(), erro)
                                      : QStringLiteral("Vaga %1 (%2), arquivo \"%3\": %4")
                                            .arg(k)
                                            .arg(Ncan[k]->text(), caminho, erro));
            }
            if (--*faltam == 0 && !falhas->isEmpty()) MostrarErro(ListaDeFalhas(*falhas));
          });
    }
  });
}

void TForm1::SalvarConfiguracao() {
  if (configuracaoIlegivel_)
    throw std::runtime_error("\"" + std::string(kNomeDoArquivo) +
                             "\" não foi gravado: não pôde ser lido no início do jogo, e gravá-lo agora "
                             "apagaria os candidatos guardados nele.");
  TSlotsCandidatos candidatos;
  for (int k = 1; k <= 6; ++k) candidatos[static_cast<size_t>(k - 1)] = {Fotos[k], Ncan[k]->text(), Dcan[k]->text()};
  GravarConfiguracao(QString::fromLatin1(kNomeDoArquivo), candidatos);
}

void TForm1::Mq1MouseDown(TImagem* Sender) {
  CopiarAparencia(*Sender, *maq2);
  Sender->repaint();
}

void TForm1::Mq1MouseUp(TImagem* Sender) {
  CopiarAparencia(*Sender, *maq1);
  Sender->repaint();
  int k = 1;
  while (k < 6 && Mq[k] != Sender) ++k;
  const QString caminho = EscolherFoto();
  if (caminho.isEmpty()) return;
  if (!CabeNaConfiguracao(caminho))
    throw std::runtime_error(
        "O caminho desta foto não pode ser guardado nas configurações do jogo (jogo.ini). "
        "Escolha um arquivo cujo nome e pasta usem apenas letras comuns.");
  // Loaded off the window's thread while the window stays live; stored only
  // once it has loaded, so a picture that fails leaves the slot as it was.
  // A close asked for meanwhile drops the load.
  bool pronto = false;
  QImage foto;
  QString erro;
  const quint64 numero = Carregador->Carregar(caminho, kLadoFoto, [&](const QImage& f, const QString& e) {
    foto = f;
    erro = e;
    pronto = true;
  });
  Esperar([&] { return !pronto && !saidaPedida_; });
  if (!pronto) {
    Carregador->Cancelar(numero);
    return;
  }
  if (!erro.isEmpty()) throw std::runtime_error(erro.toUtf8().toStdString());
  Fotos[k] = caminho;
  Fcan[k]->SetPicture(foto);
}

QString TForm1::EscolherFoto() {
  if (EscolhaDeFoto) return EscolhaDeFoto();
  if (!LdFotos) LdFotos = new TDialogoFotos(this);
  if (LdFotos->exec() != QDialog::Accepted) return {};
  return LdFotos->selectedFiles().value(0);
}

void TForm1::Fcan1DblClick(TImagem* Sender) {
  int k = 1;
  while (k < 6 && Fcan[k] != Sender) ++k;
  Image2->SetPicture(Fcan[k]->Picture());
  lblNomeJog->setText(Ncan[k]->text());
  lblNomeJog->adjustSize();
  Abook->SetActivePage(QStringLiteral("adversarios"));
}

#include "janela_diario.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "dialogo_arquivo.h"
#include "diario.h"
#include "erro.h"
#include "tela.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The game's colours: the slate of its panels, the chart's black with its
// yellow title, the status panel's sea green and teal, the buttons' teal.
const char* const kEstilo = R"(
TformDiario { background: #5A6672; }
QLabel { color: #FFFFFF; font: bold 12px "Arial"; }
QLabel#Titulo { color: #FFFF00; font: bold 16px "Arial"; }
QLabel#Rodape { color: #FFFF00; }
QLabel#Salvo { color: #00FF00; }
QTableWidget { background: #000000; color: #00FF00; gridline-color: #3C4650; font: bold 12px "Arial";
  border: 2px solid #7EB1A2; selection-background-color: #005959; selection-color: #FFFFFF; }
QTableWidget:focus { border: 2px solid #FFFF00; }
QHeaderView::section, QTableCornerButton::section { background: #7EB1A2; color: #005959; font: bold 11px "Arial";
  border: 0; border-right: 1px solid #5A6672; border-bottom: 1px solid #5A6672; padding: 2px 4px; }
QPushButton { color: #FFFFFF; font: bold 13px "Arial"; padding: 4px 14px; border: 1px solid #9FC9BE;
  border-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2E8C80, stop:1 #0E4A44); }
QPushButton:pressed { background: #0A3531; }
QPushButton:focus { border: 2px solid #FFFF00; }
)";

// The corner over the row headers says what they are; Qt draws it blank.
const char* const kTextoDoCanto = "varzenoTexto";
class TCanto : public QObject {
 public:
  explicit TCanto(QAbstractButton* canto) : QObject(canto) { canto->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Paint) return false;
    auto* canto = static_cast<QAbstractButton*>(o);
    QStyleOptionHeader opcao;
    opcao.initFrom(canto);
    opcao.rect = canto->rect();
    opcao.text = canto->property(kTextoDoCanto).toString();
    opcao.textAlignment = Qt::AlignCenter;
    opcao.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter p(canto);
    p.drawControl(QStyle::CE_Header, opcao);
    return true;
  }
};

// A folder the player can find again: their documents, else their home.
QString PastaInicial() {
  const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documentos.isEmpty() && QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

// Why a file could not be written, in the player's words where we know them.
QString Motivo(const QSaveFile& arquivo) {
  switch (arquivo.error()) {
    case QFileDevice::PermissionsError:
      return QStringLiteral("sem permissão de gravação");
    case QFileDevice::ResourceError:
      return QStringLiteral("sem espaço no disco");
    default:
      return arquivo.errorString();
  }
}

}  // namespace

TformDiario::TformDiario(QWidget* parent) : QDialog(parent) {
  setObjectName("formDiario");
  setWindowTitle(QString::fromUtf8(varzeno::jogo::kTituloDiario));
  setStyleSheet(QString::fromUtf8(kEstilo));
  resize(860, 420);

  Titulo = new QLabel(QString::fromUtf8(varzeno::jogo::kTituloDiario), this);
  Titulo->setObjectName("Titulo");
  Titulo->setAlignment(Qt::AlignCenter);

  Tabela = new QTableWidget(this);
  Tabela->setObjectName("Tabela");
  Tabela->setAccessibleName(QString::fromUtf8(varzeno::jogo::kTituloDiario));
  Tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tabela->setSelectionMode(QAbstractItemView::SingleSelection);
  Tabela->setSelectionBehavior(QAbstractItemView::SelectItems);
  // Tab leaves the table for the buttons; the arrows move by cell.
  Tabela->setTabKeyNavigation(false);
  Tabela->setWordWrap(true);
  Tabela->horizontalHeader()->setHighlightSections(false);
  Tabela->verticalHeader()->setHighlightSections(false);
  Tabela->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (auto* canto = Tabela->findChild<QAbstractButton*>()) new TCanto(canto);

  Rodape = new QLabel(this);
  Rodape->setObjectName("Rodape");
  Rodape->setWordWrap(true);
  Rodape->setTextFormat(Qt::PlainText);
  auto* salvo = new QLabel(this);
  salvo->setObjectName("Salvo");
  salvo->setTextFormat(Qt::PlainText);
  salvo->hide();

  btnExportar = new QPushButton(QString::fromUtf8(varzeno::jogo::kExportarDiario), this);
  btnExportar->setObjectName("btnExportar");
  btnExportar->setAutoDefault(false);
  btnOk = new QPushButton(QStringLiteral("Ok"), this);
  btnOk->setObjectName("btnOk");
  btnOk->setDefault(true);
  for (QPushButton* b : {btnExportar, btnOk}) b->setCursor(Qt::DragMoveCursor);

  auto* botoes = new QHBoxLayout;
  botoes->addWidget(salvo);
  botoes->addStretch(1);
  botoes->addWidget(btnExportar);
  botoes->addWidget(btnOk);
  auto* coluna = new QVBoxLayout(this);
  coluna->addWidget(Titulo);
  coluna->addWidget(Tabela, 1);
  coluna->addWidget(Rodape);
  coluna->addLayout(botoes);

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnExportar, &QPushButton::clicked, this, [this, salvo] {
    salvo->hide();
    Proteger([this] { Exportar(); });
  });
  // A file written is said under the table; a new showing starts clean.
  connect(this, &QDialog::finished, salvo, &QWidget::hide);
  salvo_ = salvo;
}

void TformDiario::Mostrar(const varzeno::jogo::TDiario& d) {
  diario_ = &d;
  const varzeno::jogo::TTabelaDiario t = varzeno::jogo::TabelaDiario(d);
  const int colunas = static_cast<int>(t.colunas.size());
  Tabela->clear();
  Tabela->clearSpans();
  Tabela->setColumnCount(colunas);
  Tabela->setRowCount(static_cast<int>(t.linhas.size()));
  for (int c = 0; c < colunas; ++c) Tabela->setHorizontalHeaderItem(c, new QTableWidgetItem(Q(t.colunas[static_cast<size_t>(c)])));
  for (int r = 0; r < Tabela->rowCount(); ++r) {
    const auto& linha = t.linhas[static_cast<size_t>(r)];
    Tabela->setVerticalHeaderItem(r, new QTableWidgetItem(Q(linha.cabecalho)));
    const bool nota = linha.celulas.size() == 1;
    for (int c = 0; c < static_cast<int>(linha.celulas.size()); ++c) {
      auto* celula = new QTableWidgetItem(Q(linha.celulas[static_cast<size_t>(c)]));
      celula->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      // Figures line up in the middle; texts read from the left.
      if (!nota && c >= 2) celula->setTextAlignment(Qt::AlignCenter);
      if (nota) celula->setForeground(QColor(0xFF, 0xFF, 0x00));
      Tabela->setItem(r, c, celula);
    }
    if (nota && colunas > 1) Tabela->setSpan(r, 0, 1, colunas);
  }
  if (auto* canto = Tabela->findChild<QAbstractButton*>()) canto->setProperty(kTextoDoCanto, Q(t.cabecalhoLinhas));
  // The long texts wrap at a readable width; the rest fit their contents.
  Tabela->resizeColumnsToContents();
  for (int c = 0; c < std::min(colunas, 2); ++c) Tabela->setColumnWidth(c, std::min(Tabela->columnWidth(c), 240));
  Tabela->resizeRowsToContents();
  // Wide enough for every column, where the screen allows.
  int largura = Tabela->verticalHeader()->sizeHint().width() + 2 * Tabela->frameWidth() +
                style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * layout()->contentsMargins().left() + 4;
  for (int c = 0; c < colunas; ++c) largura += Tabela->columnWidth(c);
  if (const QScreen* tela = parentWidget() ? parentWidget()->screen() : screen())
    largura = std::min(largura, tela->availableGeometry().width() - 40);
  if (!isVisible()) resize(std::max(largura, 600), 440);

  QStringList rodape;
  for (const std::string& l : t.rodape) rodape << Q(l);
  Rodape->setText(rodape.join(QLatin1Char('\n')));

  // The latest week first in view: the one a player asks about.
  if (Tabela->rowCount() > 0) {
    Tabela->setCurrentCell(Tabela->rowCount() - 1, 0);
    Tabela->scrollToBottom();
  }
  Tabela->setFocus(Qt::OtherFocusReason);
  setWindowModality(Qt::ApplicationModal);
  if (!isVisible()) CaberNaTela(*this);
  show();
  raise();
  activateWindow();
}

QString TformDiario::EscolherArquivo(const QString& proposto) {
  if (EscolhaDeArquivo) return EscolhaDeArquivo(proposto);
  // Qt's own dialog, which the game has in Portuguese whatever the desktop.
  QFileDialog dialogo(this, QString::fromUtf8(varzeno::jogo::kExportarDiario));
  dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  dialogo.setFileMode(QFileDialog::AnyFile);
  dialogo.setNameFilters({QStringLiteral("Planilhas CSV (*.csv)"), QStringLiteral("Todos os Arquivos (*)")});
  dialogo.setDefaultSuffix(QStringLiteral("csv"));
  dialogo.setDirectory(QFileInfo(proposto).absolutePath());
  dialogo.selectFile(QFileInfo(proposto).fileName());
  RecolherSugestoesAoFechar(dialogo);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
  return dialogo.selectedFiles().first();
}

void TformDiario::Exportar() {
  if (!diario_) return;
  if (pasta_.isEmpty()) pasta_ = PastaInicial();
  const QString caminho = EscolherArquivo(QDir(pasta_).filePath(Q(varzeno::jogo::NomeArquivoDiario(*diario_))));
  if (caminho.isEmpty()) return;
  const std::string csv = varzeno::jogo::DiarioCsv(*diario_);
  GravarArquivo(caminho, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())));
  // Only a folder that took the file is offered again.
  pasta_ = QFileInfo(caminho).absolutePath();
  salvo_->setText(QStringLiteral("Diário salvo em %1").arg(QDir::toNativeSeparators(caminho)));
  salvo_->show();
}

void GravarArquivo(const QString& caminho, const QByteArray& bytes) {
  const auto falha = [&caminho](const QString& motivo) {
    return std::runtime_error(QStringLiteral("Não foi possível gravar \"%1\": %2.").arg(caminho, motivo).toStdString());
  };
  const QFileInfo info(caminho);
  if (!info.absoluteDir().exists()) throw falha(QStringLiteral("a pasta não existe"));
  // A folder, a pipe or a device by that name is no place for a file.
  if (info.exists() && !info.isFile()) throw falha(QStringLiteral("não é um arquivo comum"));
  QSaveFile arquivo(caminho);
  // A writable file in a folder the player cannot write to is written in place.
  arquivo.setDirectWriteFallback(true);
  // Unbuffered, so a short write shows in the count and is never committed.
  if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw falha(Motivo(arquivo));
  if (arquivo.write(bytes) != bytes.size() || arquivo.size() != bytes.size()) {
    const QString motivo = arquivo.error() != QFileDevice::NoError ? Motivo(arquivo) : QStringLiteral("gravação incompleta");
    arquivo.cancelWriting();
    throw falha(motivo);
  }
  if (!arquivo.commit()) throw falha(Motivo(arquivo));
}

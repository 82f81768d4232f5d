#pragma once
// The campaign diary's window: the weeks so far as a table (a header for
// every column and every week, so a screen reader moving by cell says
// where it is), the result under it, and the export to a spreadsheet file.
// It only shows the shared model's table and writes its file unchanged.

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace varzeno::jogo {
class TDiario;
}

// Where the chart's description sends a reader for its data as text.
inline constexpr const char* kDiarioDoGrafico = "Semana a semana no Diário da campanha: tecla D.";
// The link to the diary on the play area and on the chart page.
inline constexpr const char* kLinkDiario = "Diário";

class TformDiario : public QDialog {
  Q_OBJECT
 public:
  explicit TformDiario(QWidget* parent);

  // Fills the table from `d` (kept until the window closes) and shows it.
  void Mostrar(const varzeno::jogo::TDiario& d);
  // Asks where to save the diary and writes its file there; cancelled,
  // nothing is written. A failure goes to the error box.
  void Exportar();

  QLabel* Titulo = nullptr;
  QTableWidget* Tabela = nullptr;
  QLabel* Rodape = nullptr;
  QPushButton* btnExportar = nullptr;
  QPushButton* btnOk = nullptr;
  // Stands in for the save dialog when set (tests): given the proposed
  // path, returns the chosen one, or empty for a cancel.
  std::function<QString(const QString&)> EscolhaDeArquivo;

 private:
  QString EscolherArquivo(const QString& proposto);
  const varzeno::jogo::TDiario* diario_ = nullptr;
  QLabel* salvo_ = nullptr;  // where the last file went
  QString pasta_;            // the folder the save dialog opens in
};

// Writes `bytes` as the whole file at `caminho`, or leaves what was there:
// the new file replaces the old one only once it is complete. Throws
// std::runtime_error with a Portuguese message on failure.
void GravarArquivo(const QString& caminho, const QByteArray& bytes);

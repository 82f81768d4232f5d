// The status panel: statistics, the week's options with their effects, the
// ranked poll and the weeks left. It only displays what the game holds.
#include "Unit1.h"
#include "rotulo.h"

namespace {
const QString kPontos23 = QStringLiteral(".......................");
const QString kPontos21 = QStringLiteral(".....................");
const QString kPorcentoVazio = QStringLiteral("00%");

const QColor kVerdeLimao(0x00, 0xFF, 0x00);
const QColor kAmarelo(0xFF, 0xFF, 0x00);
const QColor kPreto(0x00, 0x00, 0x00);
const QColor kTitulo(0x00, 0x59, 0x59);
const QColor kMarrom(0x80, 0x00, 0x00);
const QColor kFundoPainel(0x7E, 0xB1, 0xA2);
const QColor kAgua(0x00, 0xFF, 0xFF);

QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void TForm1::MontarPainel() {
  const TFonte nomes{11, false, kVerdeLimao, kPreto};
  const TFonte partes{11, true, kAmarelo, kPreto};
  const int linhas[7] = {7, 22, 37, 52, 67, 82, 97};
  for (int r = 0; r < 7; ++r) {
    Can[r] = CriarRotulo(this, QStringLiteral("Can%1").arg(r + 1), 508, linhas[r], nomes, kPontos23, {76, 14});
    Per[r] = CriarRotulo(this, QStringLiteral("Per%1").arg(r + 1), 588, linhas[r], partes, kPorcentoVazio);
  }

  const TFonte legenda{11, true, kTitulo, kFundoPainel};
  const TFonte valor{11, true, kMarrom, kFundoPainel};
  Label5 = CriarRotulo(this, "Label5", 508, 142, legenda, QStringLiteral("Dinheiro:"));
  Label6 = CriarRotulo(this, "Label6", 508, 158, legenda, QStringLiteral("Popularidade:"));
  Label7 = CriarRotulo(this, "Label7", 508, 174, legenda, QStringLiteral("Honestidade:"));
  Label10 = CriarRotulo(this, "Label10", 562, 142, valor, QStringLiteral("0"));
  Label11 = CriarRotulo(this, "Label11", 588, 158, valor, QStringLiteral("0"));
  Label12 = CriarRotulo(this, "Label12", 585, 174, valor, QStringLiteral("0"));
  Label14 = CriarRotulo(this, "Label14", 508, 126, legenda, QString());
  RotulosDoPainel = {Label5, Label6, Label7, Label10, Label11, Label12};

  const TFonte opcao{12, true, Qt::white, QColor()};
  Label2 = CriarRotulo(this, "Label2", 35, 60, opcao, QStringLiteral("Label2"));
  Label3 = CriarRotulo(this, "Label3", 35, 88, opcao, QStringLiteral("Label3"));
  Label4 = CriarRotulo(this, "Label4", 35, 117, opcao, QStringLiteral("Label4"));
  Label8 = CriarRotulo(this, "Label8", 30, 34, TFonte{16, true, kAgua, QColor()}, QStringLiteral("Label8"));
}

void TForm1::AtualizarPainel() {
  const varzeno::TEngVarzeno& m = *Partida.Motor;
  Escrever(Label10, QString::number(m.Dinheiro));
  Escrever(Label11, QString::number(m.Popularidade) + QLatin1Char('%'));
  Escrever(Label12, QString::number(m.Honestidade));

  QLabel* opcoes[3] = {Label2, Label3, Label4};
  for (int k = 1; k <= 3; ++k) {
    const varzeno::TAcao& o = *Partida.Opcoes[static_cast<size_t>(k)];
    Escrever(opcoes[k - 1],
             Q(o.Nome) +
                 QStringLiteral(" Din: %1   Pop: %2   hon: %3").arg(o.Dinheiro).arg(o.Popularidade).arg(o.Honestidade));
  }

  // Rows past the ranking's length keep what they showed.
  for (int r = 0; r < 7; ++r) {
    if (r >= 3 && r >= m.Ranking.Count()) break;
    const varzeno::TOponente& e = *m.Ranking[r];
    Escrever(Can[r], Q(e.Nome) + kPontos21);
    Escrever(Per[r], QString::number(e.Percentual) + QLatin1Char('%'));
  }

  Escrever(Label8,
           (m.SegundoTurno ? QStringLiteral("Semanas até 2o turno: ") : QStringLiteral("Semanas até 1o turno: ")) +
               QString::number(m.Semanas));
  emit PainelAtualizado();
}

void TForm1::LimparPainel() {
  for (QLabel* l : {Label10, Label11, Label12}) Escrever(l, QStringLiteral("0"));
  for (int r = 0; r < 7; ++r) {
    Escrever(Can[r], kPontos23);
    Escrever(Per[r], kPorcentoVazio);
  }
}

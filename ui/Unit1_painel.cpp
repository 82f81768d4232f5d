// The status panel: statistics, the week's options with their effects, the
// ranked poll and the weeks left. It only displays what the game holds.
#include "Unit1.h"
#include "painel.h"
#include "rotulo.h"

namespace {

const QColor kVerdeLimao(0x00, 0xFF, 0x00);
const QColor kAmarelo(0xFF, 0xFF, 0x00);
const QColor kPreto(0x00, 0x00, 0x00);
const QColor kTitulo(0x00, 0x59, 0x59);
const QColor kMarrom(0x80, 0x00, 0x00);
const QColor kFundoPainel(0x7E, 0xB1, 0xA2);
const QColor kAgua(0x00, 0xFF, 0xFF);

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }
}  // namespace

void TForm1::MontarPainel() {
  const TFonte nomes{11, false, kVerdeLimao, kPreto};
  const TFonte partes{11, true, kAmarelo, kPreto};
  const int linhas[7] = {7, 22, 37, 52, 67, 82, 97};
  for (int r = 0; r < 7; ++r) {
    Can[r] = CriarRotulo(this, QStringLiteral("Can%1").arg(r + 1), 508, linhas[r], nomes, Q(varzeno::jogo::kPontosVazios), {76, 14});
    Per[r] = CriarRotulo(this, QStringLiteral("Per%1").arg(r + 1), 588, linhas[r], partes, Q(varzeno::jogo::kPorcentoVazio));
  }

  const TFonte legenda{11, true, kTitulo, kFundoPainel};
  const TFonte valor{11, true, kMarrom, kFundoPainel};
  Label5 = CriarRotulo(this, "Label5", 508, 142, legenda, Q(varzeno::jogo::kDinheiro));
  Label6 = CriarRotulo(this, "Label6", 508, 158, legenda, Q(varzeno::jogo::kPopularidade));
  Label7 = CriarRotulo(this, "Label7", 508, 174, legenda, Q(varzeno::jogo::kHonestidade));
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

// Writes the panel's labels as the shared composition says, so every
// edition reads the same; what the composition leaves empty is not touched.
static void EscreverPainel(TForm1& f, const varzeno::jogo::TPainel& p) {
  Escrever(f.Label10, Q(p.dinheiro));
  Escrever(f.Label11, Q(p.popularidade));
  Escrever(f.Label12, Q(p.honestidade));
  QLabel* opcoes[3] = {f.Label2, f.Label3, f.Label4};
  for (size_t k = 0; k < 3; ++k)
    if (!p.opcoes[k].empty()) Escrever(opcoes[k], Q(p.opcoes[k]));
  for (int r = 0; r < p.linhas; ++r) {
    Escrever(f.Can[r], Q(p.nomes[static_cast<size_t>(r)]));
    Escrever(f.Per[r], Q(p.partes[static_cast<size_t>(r)]));
  }
  if (!p.semanas.empty()) Escrever(f.Label8, Q(p.semanas));
}

void TForm1::AtualizarPainel() {
  EscreverPainel(*this, varzeno::jogo::ComporPainel(Partida));
  emit PainelAtualizado();
}

void TForm1::LimparPainel() { EscreverPainel(*this, varzeno::jogo::PainelVazio()); }

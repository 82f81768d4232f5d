// The status panel: statistics, the week's options with their effects, the
// ranked poll and the weeks left. It only displays what the game holds.
#include "Unit1.h"
#include "lugar.h"
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
  for (int r = 0; r < 7; ++r) {
    Can[r] = RotuloNoLugar(this, QStringLiteral("Can%1").arg(r + 1), false, kVerdeLimao, kPreto,
                           Q(varzeno::jogo::kPontosVazios));
    Per[r] = RotuloNoLugar(this, QStringLiteral("Per%1").arg(r + 1), true, kAmarelo, kPreto,
                           Q(varzeno::jogo::kPorcentoVazio));
  }

  const auto legenda = [this](const char* nome, const QString& texto) {
    return RotuloNoLugar(this, nome, true, kTitulo, kFundoPainel, texto);
  };
  const auto valor = [this](const char* nome) {
    return RotuloNoLugar(this, nome, true, kMarrom, kFundoPainel, QStringLiteral("0"));
  };
  Label5 = legenda("Label5", Q(varzeno::jogo::kDinheiro));
  Label6 = legenda("Label6", Q(varzeno::jogo::kPopularidade));
  Label7 = legenda("Label7", Q(varzeno::jogo::kHonestidade));
  Label10 = valor("Label10");
  Label11 = valor("Label11");
  Label12 = valor("Label12");
  Label14 = legenda("Label14", QString());
  RotulosDoPainel = {Label5, Label6, Label7, Label10, Label11, Label12};

  const auto opcao = [this](const char* nome) {
    return RotuloNoLugar(this, nome, true, Qt::white, QColor(), QString::fromLatin1(nome));
  };
  Label2 = opcao("Label2");
  Label3 = opcao("Label3");
  Label4 = opcao("Label4");
  Label8 = RotuloNoLugar(this, "Label8", true, kAgua, QColor(), QStringLiteral("Label8"));
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

// The campaign diary: one entry per week played, what struck it, what the
// player did, what the dishonesty penalty took and where the poll stood
// after it; the run-off's start and the result. Both editions show it and
// export it from this one model, so they cannot differ.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "partida.h"

namespace varzeno::jogo {

inline constexpr const char* kTituloDiario = "Diário da campanha";
inline constexpr const char* kExportarDiario = "Exportar diário (CSV)";

// An event or an action with its three effects.
struct TEfeitoDiario {
  std::string nome;
  int32_t dinheiro = 0, popularidade = 0, honestidade = 0;
};

struct TEntradaDiario {
  int turno = 1;   // 1, or 2 in the run-off
  int semana = 0;  // the week's number in its round, from 1
  std::optional<TEfeitoDiario> evento;  // the adverse event that opened the week
  TEfeitoDiario acao;                   // "Não fazer nada." with no effects
  int32_t penalidade = 0;               // popularity the dishonesty penalty took
  int32_t dinheiro = 0, popularidade = 0, honestidade = 0;  // after the week
  int posicao = 0;  // the player's place in the poll, from 1
  std::string lider;
  int32_t percentualLider = 0;
};

struct TInicioSegundoTurno {
  size_t antes = 0;  // entries of the first round, before it
  std::string adversario;
  int32_t bonus = 0;  // popularity the run-off added
};

class TDiario {
 public:
  // Takes what a step of the game did: a new game (which starts the diary
  // afresh), a week, a refusal (nothing), a decided round.
  void Registrar(const TPartida& partida, const TResposta& r);

  const std::vector<TEntradaDiario>& Entradas() const { return entradas_; }
  const std::optional<TInicioSegundoTurno>& SegundoTurno() const { return segundo_; }
  // Vitoria or Derrota once the game has ended, Nenhuma before.
  TDecisao Resultado() const { return resultado_; }
  int TurnoDoResultado() const { return turnoResultado_; }
  const std::string& PesquisaFinal() const { return pesquisaFinal_; }
  const std::optional<uint32_t>& Semente() const { return semente_; }
  bool Vazio() const { return !iniciado_; }

 private:
  bool iniciado_ = false;
  std::vector<TEntradaDiario> entradas_;
  std::optional<TEfeitoDiario> eventoPendente_;
  std::optional<TInicioSegundoTurno> segundo_;
  TDecisao resultado_ = TDecisao::Nenhuma;
  int turnoResultado_ = 0;
  std::string pesquisaFinal_;
  std::optional<uint32_t> semente_;
};

// The diary as a file for spreadsheets: UTF-8 with a byte-order mark, ';'
// between fields, CR LF line ends, quoted as RFC 4180 says; a header row
// and one row per week.
std::string DiarioCsv(const TDiario& d);
// "diario-campanha-semente-N.csv", or "diario-campanha.csv" with no seed.
std::string NomeArquivoDiario(const TDiario& d);

// The diary as the editions show it: a table whose rows are weeks (a row
// header each) and whose cells read as the panel does; a row that spans
// every column where the run-off starts; lines under the table.
struct TTabelaDiario {
  struct TLinha {
    std::string cabecalho;
    std::vector<std::string> celulas;  // one cell spanning all: a note row
  };
  std::string cabecalhoLinhas;  // the header over the row headers
  std::vector<std::string> colunas;
  std::vector<TLinha> linhas;
  std::vector<std::string> rodape;  // the result and the final poll, or how far the campaign is
};
TTabelaDiario TabelaDiario(const TDiario& d);

}  // namespace varzeno::jogo

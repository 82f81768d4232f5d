#pragma once
// The main window: a borderless window cut from its background picture,
// dragged by that picture, holding the game state and the page container.

#include <QImage>
#include <QList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "diario.h"
#include "grafico_plano.h"
#include "partida.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class TDialogoFotos;
class TformDiario;
class TRotuloClicavel;
class QTimer;
class TCarregadorFotos;
class TImagem;
class TMediaPlayer;
class TNotebook;
class TSomWave;
class TUpDown;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The game: the engine of the current game, the week's options and the
  // first round's record for the chart.
  varzeno::TPartida Partida;

  // Frame (Unit1_shell.cpp).
  TImagem* Imp = nullptr;
  TImagem* Fim = nullptr;
  TImagem* Image9 = nullptr;
  // Pages (Unit1_pages.cpp): "Default", "Extra", "regras", "Candidatos",
  // "adversarios", "Grafico".
  TNotebook* Abook = nullptr;
  TImagem* Image1 = nullptr;  // title banner of page "Default"
  TImagem* Fim1 = nullptr;    // picture store, page "Extra"
  TImagem* Fim2 = nullptr;
  // The statistics labels of the status panel take the background colour
  // at every activation.
  QList<QLabel*> RotulosDoPainel;

  // Sound and music (Unit1_som.cpp).
  TMediaPlayer* MPlayer = nullptr;
  QFileDialog* OpenMp3 = nullptr;  // made on first use: DialogoDeMusica()
  QString PastaDaMusica;           // its start folder
  QFileDialog* DialogoDeMusica();
  TSomWave* Som = nullptr;

  // Status panel (Unit1_painel.cpp): the poll's rows, the statistics,
  // the week's options and the weeks left.
  std::array<QLabel*, 7> Can{};
  std::array<QLabel*, 7> Per{};
  QLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label10 = nullptr, *Label11 = nullptr,
         *Label12 = nullptr, *Label14 = nullptr;
  QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label8 = nullptr;
  void AtualizarPainel();
  void LimparPainel();

  // Play area and the week cycle (Unit1_semana.cpp). Escolha is the marked
  // choice: 0 = do nothing, 1..3 = an option; it is never reset.
  std::array<TImagem*, 4> Trava{};
  QLabel* Label9 = nullptr;
  TImagem* Image4 = nullptr;
  TImagem *Tic0 = nullptr, *Tic1 = nullptr, *Image7 = nullptr, *Image8 = nullptr;  // picture store
  uint8_t Escolha = 0;
  void NovoJogo();
  void ConfirmarAcao();
  void Mensagem(const QString& texto);
  void Trava1MouseDown(TImagem* Sender);
  void Image4MouseDown();
  void Image4MouseUp();

  // Performance chart, page "Grafico" (Unit1_grafico.cpp).
  QLabel* Label13 = nullptr;
  TImagem *imgNomes = nullptr, *imgGraf = nullptr, *imgBtn = nullptr;
  TImagem *grafico = nullptr, *img1 = nullptr;  // picture store
  int PausaGrafico = 125;                       // ms between segments; tests use 0
  void MostrarGrafico();
  void imgBtnMouseDown();
  bool GraficoPendente() const { return graficoPendente_; }

  // Set-up screens (Unit1_setup.cpp): the arrows, the opponents page and
  // the start button. The set-up choices are the caption of lblNomeJog
  // ("Seu Nome" until a candidate is chosen) and the position of UpDown1.
  std::array<TImagem*, 5> bt{};  // bt1..bt5
  TImagem *sesq1 = nullptr, *sesq2 = nullptr, *sdir1 = nullptr, *sdir2 = nullptr, *Image5 = nullptr,
          *Image6 = nullptr;  // picture store
  QLabel* Label39 = nullptr;
  TImagem* Image2 = nullptr;
  QLabel* lblNomeJog = nullptr;
  QLabel* Label19 = nullptr;
  TImagem* Dig = nullptr;
  TUpDown* UpDown1 = nullptr;
  TImagem* Image3 = nullptr;
  void bt1MouseDown(TImagem* Sender);
  void bt1MouseUp(TImagem* Sender);
  void UpDown1Click();
  void Image3MouseDown();
  void Image3MouseUp();

  // Rules page (Unit1_regras.cpp): the texts and the link to the web page.
  TRotuloClicavel* Label36 = nullptr;
  void Label36MouseDown();
  // The shipped web page's address, or the link's caption if it is missing.
  QString EnderecoDaPagina() const;

  // Candidates page (Unit1_candidatos.cpp), slots 1..6 (index 0 unused).
  // Fotos holds the path of the photo on screen; empty: the placeholder.
  std::array<TImagem*, 7> Fcan{};
  std::array<TImagem*, 7> Mq{};
  std::array<QLineEdit*, 7> Ncan{};
  std::array<QLabel*, 7> Dcan{};
  std::array<QString, 7> Fotos;
  QLabel* Label34 = nullptr;
  TImagem *maq1 = nullptr, *maq2 = nullptr;  // picture store
  TDialogoFotos* LdFotos = nullptr;          // made on first use
  TCarregadorFotos* Carregador = nullptr;    // photos decode off the window's thread
  // Stands in for the photo dialog when set (tests): returns the chosen path.
  std::function<QString()> EscolhaDeFoto;
  void CarregarConfiguracao();
  void SalvarConfiguracao();
  void Mq1MouseDown(TImagem* Sender);
  void Mq1MouseUp(TImagem* Sender);
  void Fcan1DblClick(TImagem* Sender);

  // Campaign diary (Unit1_diario.cpp): every step of the game recorded, and
  // shown in a window of its own during a campaign and once the chart has
  // drawn (its links, the D key, a screen reader's press).
  varzeno::jogo::TDiario Diario;
  TformDiario* formDiario = nullptr;  // made on first use
  TRotuloClicavel *lblDiario = nullptr, *lblDiarioGrafico = nullptr;
  // Records a step of the game and hands it on.
  const varzeno::TResposta& NoDiario(const varzeno::TResposta& r);
  bool DiarioDisponivel() const;
  // Opens the diary where it may be seen; false (nothing done) elsewhere.
  bool AbrirDiario();

  // Keyboard (Unit1_teclado.cpp): a key for every action, pressing each
  // control as its click does, and a ring that shows where the focus is.
  QObject* Teclado = nullptr;
  void MontarTeclado();

  // Screen readers (Unit1_acessivel.cpp): a role, a name, a state and an
  // action for every control.
  void MontarAcessibilidade();

  bool Arrastando = false;
  int PontoX = 0;
  int PontoY = 0;

  void FormCreate();
  void FormActivate();
  void FormDestroy();
  void ModelarJanela();

  void ImpMouseDown(TImagem* Sender, int X, int Y);
  void ImpMouseMove(int X, int Y);
  void ImpMouseUp(TImagem* Sender);
  void FimMouseDown();
  void FimMouseUp();
  void Image9MouseUp();

  void TocarSom(const QString& nome);
  void PararSom();

  // Ends the program; asked for during a wait, it takes effect once the
  // waiting handler has returned.
  void Encerrar();
  // Keeps the window live, processing its events, while `enquanto` holds.
  void Esperar(const std::function<bool()>& enquanto);
  // Holds a close request back while work that must finish (the chart) runs.
  void ReterSaida();
  void LiberarSaida();

 signals:
  // The panel's last label has just been written.
  void PainelAtualizado();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* objeto, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void MontarMoldura();
  void MontarPaginas();
  void MontarSom();
  void MontarPainel();
  void MontarJogo();
  void MontarGrafico();
  void MontarSetup();
  void MontarRegras();
  void MontarCandidatos();
  void MontarDiario();
  QString EscolherFoto();
  void PintarRotulos(const QColor& cor);
  // A hidden picture of the store on `pagina`, loaded from the assets.
  TImagem* GuardarFigura(QWidget* pagina, const char* nome, int w, int h);
  TImagem* MarcaDe(int escolha) const;
  void Mostrar(const varzeno::TResposta& r);
  void IniciarGrafico();
  void DesenharSegmento();
  void TerminarGrafico();

  varzeno::TPlanoGrafico planoGrafico_;
  QImage telaGrafico_;
  size_t proximoSegmento_ = 0;
  QTimer* relogioGrafico_ = nullptr;
  bool graficoPendente_ = false;
  bool musicaPendente_ = false;
  bool configuracaoIlegivel_ = false;  // jogo.ini is there but could not be read

  int esperas_ = 0;
  bool saidaPedida_ = false;
  bool saindo_ = false;
  QString pastaAntesDaMusica_;
};

// The game's main window while it exists.
extern TForm1* Form1;

// Wave sounds of the game, silent once the player's music has started.
void TocarSom(const QString& nome);
void PararSom();

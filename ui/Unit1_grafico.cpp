// The performance chart: every candidate's weekly share, drawn segment by
// segment on page "Grafico" once the win or loss message has been closed.
#include <QPainter>
#include <QTimer>

#include "Unit1.h"
#include "Unit2.h"
#include "grafico_plano.h"
#include "imagem.h"
#include "notebook.h"
#include "rotulo.h"
#include "updown.h"

namespace {
QColor Cor(int k) { return QColor::fromRgb(varzeno::CoresGrafico[static_cast<size_t>(k)]); }
}  // namespace

void TForm1::MontarGrafico() {
  QWidget* pagina = Abook->Pagina(QStringLiteral("Grafico"));
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  grafico = GuardarFigura(extra, "grafico", 336, 102);
  img1 = GuardarFigura(extra, "img1", 75, 52);

  Label13 = CriarRotulo(pagina, "Label13", 146, 8, TFonte{16, true, QColor(0xFF, 0xFF, 0x00), QColor()},
                        QStringLiteral("Gráfico de Desempenho"));
  imgNomes = new TImagem(pagina, "imgNomes");
  imgNomes->setGeometry(8, 32, 105, 145);
  imgGraf = new TImagem(pagina, "imgGraf");
  imgGraf->setGeometry(120, 32, 336, 102);
  imgBtn = new TImagem(pagina, "imgBtn");
  imgBtn->setGeometry(248, 144, 75, 26);
  imgBtn->hide();
  connect(imgBtn, &TImagem::MouseDown, this, [this] { imgBtnMouseDown(); });

  relogioGrafico_ = new QTimer(this);
  relogioGrafico_->setTimerType(Qt::PreciseTimer);
  connect(relogioGrafico_, &QTimer::timeout, this, [this] { DesenharSegmento(); });
}

void TForm1::MostrarGrafico() {
  // The program does not end while the chart is pending or drawing.
  graficoPendente_ = true;
  ReterSaida();
  if (formDialog->isVisible()) {
    // Start once the player has closed the win or loss message.
    connect(formDialog, &TformDialog::Escondido, this, &TForm1::IniciarGrafico, Qt::SingleShotConnection);
    return;
  }
  IniciarGrafico();
}

void TForm1::IniciarGrafico() {
  TocarSom(QStringLiteral("musica.wav"));
  Abook->show();
  Abook->SetActivePage(QStringLiteral("Grafico"));

  planoGrafico_ = varzeno::PlanejarGrafico(Partida, UpDown1->Position(), imgGraf->width());

  // The names, one text height apart, each in its line's colour on black.
  QImage nomes(imgNomes->size(), QImage::Format_RGB32);
  nomes.fill(Qt::black);
  {
    QPainter p(&nomes);
    const QFont f = Arial(11, true);
    p.setFont(f);
    const QFontMetrics fm(f);
    const int h = fm.height();
    for (size_t k = 0; k < planoGrafico_.nomes.size(); ++k) {
      const QString nome = QString::fromStdString(planoGrafico_.nomes[k]);
      const QRect caixa(5, static_cast<int>(k) * h, fm.horizontalAdvance(nome), h);
      p.fillRect(caixa, Qt::black);
      p.setPen(Cor(static_cast<int>(k)));
      p.drawText(caixa, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, nome);
    }
  }
  imgNomes->SetPicture(nomes);

  // The grid, then the divider between the rounds.
  telaGrafico_ = QImage(imgGraf->size(), QImage::Format_RGB32);
  {
    QPainter p(&telaGrafico_);
    p.drawImage(0, 0, grafico->Picture());
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 2));
    p.drawLine(planoGrafico_.divisor, 0, planoGrafico_.divisor, imgGraf->height());
  }
  proximoSegmento_ = 0;
  imgGraf->SetPicture(telaGrafico_);
  DesenharSegmento();
  relogioGrafico_->start(PausaGrafico);
}

// One segment per tick; the tick after the last one shows the Ok button.
void TForm1::DesenharSegmento() {
  if (proximoSegmento_ >= planoGrafico_.segmentos.size()) {
    relogioGrafico_->stop();
    TerminarGrafico();
    return;
  }
  const varzeno::TSegmento& s = planoGrafico_.segmentos[proximoSegmento_++];
  {
    QPainter p(&telaGrafico_);
    p.setPen(QPen(Cor(s.cor), 2));
    p.drawLine(s.x0, s.y0, s.x1, s.y1);
  }
  imgGraf->SetPicture(telaGrafico_);
}

void TForm1::TerminarGrafico() {
  imgGraf->SetPicture(telaGrafico_);
  telaGrafico_ = QImage();
  imgBtn->show();
  imgBtn->SetPicture(img1->Picture().copy(0, imgBtn->height(), imgBtn->width(), imgBtn->height()));
  imgBtn->repaint();
  graficoPendente_ = false;
  LiberarSaida();
}

void TForm1::imgBtnMouseDown() {
  imgBtn->SetPicture(img1->Picture().copy(0, 0, imgBtn->width(), imgBtn->height()));
  imgBtn->repaint();
  Abook->SetActivePage(QStringLiteral("Default"));
  imgBtn->hide();
}

// The performance chart: every candidate's weekly share, drawn segment by
// segment on page "Grafico" once the win or loss message has been closed.
#include <QPainter>
#include <QTimer>

#include "Unit1.h"
#include "Unit2.h"
#include "copia.h"
#include "grafico_plano.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"
#include "rotulo.h"
#include "textos.h"
#include "updown.h"

namespace {
QColor Cor(int k) { return QColor::fromRgb(varzeno::CoresGrafico[static_cast<size_t>(k)]); }

// On a screen of a ratio above 1 the chart is drawn twice: on the picture
// the game keeps and on its double, at the screen's finer pixels, so the
// lines and names are as sharp as the rest of the window.
bool Duplicar(const QWidget* w) { return w->devicePixelRatioF() > 1; }

QImage NovaDupla(QSize tamanho) {
  QImage d(tamanho * 2, QImage::Format_RGB32);
  d.setDevicePixelRatio(2);
  return d;
}

}  // namespace

void TForm1::MontarGrafico() {
  QWidget* pagina = Abook->Pagina(QStringLiteral("Grafico"));
  QWidget* extra = Abook->Pagina(QStringLiteral("Extra"));
  grafico = GuardarFigura(extra, "grafico", 336, 102);
  img1 = GuardarFigura(extra, "img1", 75, 52);

  Label13 = RotuloNoLugar(pagina, "Label13", true, QColor(0xFF, 0xFF, 0x00), QColor(),
                          QString::fromUtf8(varzeno::jogo::kGraficoDesempenho));
  imgNomes = new TImagem(pagina, "imgNomes");
  imgNomes->setGeometry(Geometria("imgNomes"));
  imgGraf = new TImagem(pagina, "imgGraf");
  imgGraf->setGeometry(Geometria("imgGraf"));
  imgBtn = new TImagem(pagina, "imgBtn");
  imgBtn->setGeometry(Geometria("imgBtn"));
  imgBtn->hide();
  connect(imgBtn, &TImagem::Premida, this, [this] { imgBtnMouseDown(); });

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
  const auto escreverNomes = [this](QImage& tela) {
    tela.fill(Qt::black);
    QPainter p(&tela);
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
  };
  escreverNomes(nomes);
  imgNomes->SetPicture(nomes);
  if (Duplicar(imgNomes)) {
    QImage nomesDupla = NovaDupla(imgNomes->size());
    escreverNomes(nomesDupla);
    DarVarianteDupla(imgNomes->Picture(), nomesDupla);
  }

  // The grid, then the divider between the rounds.
  telaGrafico_ = QImage(imgGraf->size(), QImage::Format_RGB32);
  const auto grade = [this](QPainter& p, const QImage& fundo) {
    p.drawImage(0, 0, fundo);
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 2));
    p.drawLine(planoGrafico_.divisor, 0, planoGrafico_.divisor, imgGraf->height());
  };
  {
    QPainter p(&telaGrafico_);
    grade(p, grafico->Picture());
  }
  proximoSegmento_ = 0;
  imgGraf->SetPicture(telaGrafico_);
  if (Duplicar(imgGraf)) {
    QImage dupla = NovaDupla(imgGraf->size());
    const QImage fundo = VarianteDupla(grafico->Picture());
    {
      QPainter p(&dupla);
      grade(p, fundo.isNull() ? grafico->Picture() : fundo);
    }
    DarVarianteDupla(imgGraf->Picture(), dupla);
  }
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
  const auto linha = [&s](QPainter& p) {
    p.setPen(QPen(Cor(s.cor), 2));
    p.drawLine(s.x0, s.y0, s.x1, s.y1);
  };
  {
    QPainter p(&telaGrafico_);
    linha(p);
  }
  // The double goes on with the picture it belonged to.
  QImage dupla = VarianteDupla(imgGraf->Picture());
  imgGraf->SetPicture(telaGrafico_);
  if (!dupla.isNull()) {
    {
      QPainter p(&dupla);
      linha(p);
    }
    DarVarianteDupla(imgGraf->Picture(), dupla);
  }
}

void TForm1::TerminarGrafico() {
  imgGraf->SetPicture(telaGrafico_);
  telaGrafico_ = QImage();
  imgBtn->show();
  MostrarRecorte(*imgBtn, *img1, QRect(0, imgBtn->height(), imgBtn->width(), imgBtn->height()));
  imgBtn->repaint();
  graficoPendente_ = false;
  LiberarSaida();
}

void TForm1::imgBtnMouseDown() {
  MostrarRecorte(*imgBtn, *img1, QRect(0, 0, imgBtn->width(), imgBtn->height()));
  imgBtn->repaint();
  Abook->SetActivePage(QStringLiteral("Default"));
  imgBtn->hide();
}

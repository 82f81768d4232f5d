// The window's pictures on screens of device pixel ratio 1, 1.5 and 2 (the
// same checks run at each, QT_SCALE_FACTOR set by the test): at 1 they show
// as they always did and no double is made; at 2 each shows its double one
// to one, pressed and ticked looks included; at 1.5 the double scaled
// smoothly. What the game reads (Picture(), the outline) is the same at all.
#include <QPainter>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "copia.h"
#include "duplas_teste.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"
#include "regiao.h"
#include "updown.h"

class TesteHidpi : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  TForm1& F() { return p_->Form1; }
  qreal Razao() const { return qApp->devicePixelRatio(); }

  static QImage Figura(const char* nome) { return Rgb32(FiguraEmbutida(QString::fromLatin1(nome))); }
  static QImage Dupla(const char* nome) { return Rgb32(FiguraEmbutida(NomeDaDupla(QString::fromLatin1(nome)))); }

  // What a box showing `nome` (its block `r`, in the picture's pixels) must
  // show at this ratio.
  void ConfereAparencia(QWidget* w, const char* nome, QRect r = {}) {
    const QImage tela = NaTela(w);
    const QImage figura = r.isNull() ? Figura(nome) : Figura(nome).copy(r);
    const QImage dupla = r.isNull() ? Dupla(nome) : Dupla(nome).copy(QRect(r.topLeft() * 2, r.size() * 2));
    if (Razao() == 1) {
      QVERIFY2(tela == figura, nome);
    } else if (Razao() == 2) {
      QVERIFY2(tela == dupla, nome);
    } else {
      // The double scaled to the screen's pixels smoothly, as a painter
      // does it; and unlike the small picture enlarged.
      auto pintada = [&](const QImage& fonte, bool suave) {
        QImage img(tela.size(), QImage::Format_RGB32);
        img.setDevicePixelRatio(Razao());
        img.fill(Qt::black);
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform, suave);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(figura.size())), fonte);
        p.end();
        return Rgb32(img);
      };
      const double perto = Diferenca(tela, pintada(dupla, true)), longe = Diferenca(tela, pintada(figura, false));
      QVERIFY2(perto < 0.5 && longe > 0.5, qPrintable(QStringLiteral("%1: %2 vs %3").arg(nome).arg(perto).arg(longe)));
    }
  }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    const QByteArray pedida = qgetenv("VARZENO_RAZAO_ESPERADA");
    QVERIFY2(!pedida.isEmpty(), "run with QT_SCALE_FACTOR and VARZENO_RAZAO_ESPERADA");
    QCOMPARE(Razao(), pedida.toDouble());
  }
  void init() {
    p_ = std::make_unique<TPrograma>();
    F().PausaGrafico = 0;
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
  }
  void cleanup() { p_.reset(); }

  void titleBannerAndBackground() {
    ConfereAparencia(F().Image1, "Image1.png");
    ConfereAparencia(F().Imp, "Imp.bmp");
    if (Razao() == 2) QVERIFY(BlocosComDetalhe(NaTela(F().Image1)) > 0.15);
    // The game reads the picture at its own size whatever the screen.
    QVERIFY(F().Image1->Picture() == FiguraEmbutida(QStringLiteral("Image1.png")));
    QCOMPARE(F().Imp->Picture().size(), QSize(650, 198));
  }

  void theDoublesAreMadeOnlyForADenserScreen() {
    // The close button took its look at activation, by a copy.
    QTRY_VERIFY(Rgb32(F().Fim->Picture()) == Rgb32(F().Fim1->Picture()));
    QCOMPARE(VarianteDupla(F().Fim->Picture()).isNull(), Razao() == 1);
    ConfereAparencia(F().Fim, "Fim1.png");
  }

  void pressedAndNormalLooksOfTheArrowsAndStart() {
    F().Abook->SetActivePage(QStringLiteral("regras"));
    TImagem* seta = F().bt[1];
    QTRY_VERIFY(seta->isVisible());
    F().bt1MouseDown(seta);
    ConfereAparencia(seta, "sdir2.png");
    QVERIFY(F().bt[1]->Picture() == F().sdir2->Picture());
    F().bt1MouseUp(seta);  // on to the candidates
    ConfereAparencia(seta, "sdir1.png");

    F().Abook->SetActivePage(QStringLiteral("adversarios"));
    QTRY_VERIFY(F().Image3->isVisible());
    F().Image3MouseDown();
    ConfereAparencia(F().Image3, "Image6.png");
  }

  void tickedLookOfAnOption() {
    F().Abook->hide();
    TImagem* marca = F().Trava[1];
    QTRY_VERIFY(marca->isVisible());
    ConfereAparencia(marca, "Tic0.png");
    F().Trava1MouseDown(marca);
    ConfereAparencia(marca, "Tic1.png");
  }

  void digitStripShowsTheChosenNumber() {
    F().Abook->SetActivePage(QStringLiteral("adversarios"));
    QTRY_VERIFY(F().Dig->isVisible());
    F().UpDown1->SetPosition(4);
    F().UpDown1Click();
    const QRect celula(0, 0, 17, 29);
    const QImage tela = NaTela(F().Dig);
    const QImage mostrada = tela.copy(QRect(QPoint(0, 0), QSize(qRound(17 * Razao()), qRound(29 * Razao()))));
    // The first cell shows cell 3 (the digit 4) of the strip.
    if (Razao() == 2) {
      QVERIFY(mostrada == Dupla("Dig.png").copy(3 * 34, 0, 34, 58));
    } else if (Razao() == 1) {
      QVERIFY(mostrada == Figura("Dig.png").copy(3 * 17, 0, 17, 29));
    } else {
      const QImage esperada = Dupla("Dig.png")
                                  .copy(3 * 34, 0, 34, 58)
                                  .scaled(mostrada.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      QVERIFY(Diferenca(mostrada, esperada) < 12);
    }
    QVERIFY(F().Dig->Picture().copy(celula) == FiguraEmbutida(QStringLiteral("Dig.png")).copy(3 * 17, 0, 17, 29));
  }

  void dialogOkButtonLooks() {
    TformDialog& d = p_->formDialog;
    d.Mostrar(QStringLiteral("Teste"));
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(Rgb32(d.btn->Picture()) == Figura("img1.png").copy(0, 26, 75, 26));
    ConfereAparencia(d.btn, "img1.png", QRect(0, 26, 75, 26));
    ConfereAparencia(d.imp, "dlgImp.bmp");
    d.btnMouseDown();
    ConfereAparencia(d.btn, "img1.png", QRect(0, 0, 75, 26));
    d.btnMouseUp();
  }

  void outlineStaysInTheGamesPixels() {
    // The outline is cut from the picture of the game's own size, whatever
    // the screen, so it is the same region at every ratio.
    F().ModelarJanela();
    QCOMPARE(F().size(), QSize(650, 198));
    QCOMPARE(F().mask(), RegiaoOpaca(FiguraEmbutida(QStringLiteral("Imp.bmp"))));
    TformDialog& d = p_->formDialog;
    d.ModelarJanela();
    QCOMPARE(d.mask(), RegiaoOpaca(FiguraEmbutida(QStringLiteral("dlgImp.bmp"))));
  }

  void chartLinesAndNamesAtTheScreensPixels() {
    varzeno::TPartida& j = F().Partida;
    const char* nomes[4] = {"Ana", "Bia", "Caio", "Votos em b/n"};
    for (int k = 0; k < 4; ++k) {
      j.NomesTurno1[size_t(k)] = nomes[k];
      for (int s = 0; s <= 20; ++s) j.HistoricoTurno1[size_t(k)][size_t(s)] = 10 + 20 * k + (s * 7 + k * 3) % 15;
    }
    F().UpDown1->SetPosition(2);
    F().MostrarGrafico();
    QTRY_VERIFY_WITH_TIMEOUT(F().imgBtn->isVisible(), 10000);
    const QImage grafico = NaTela(F().imgGraf), nomesNaTela = NaTela(F().imgNomes);
    QCOMPARE(F().imgGraf->Picture().size(), QSize(336, 102));
    if (Razao() == 1) {
      QVERIFY(grafico == Rgb32(F().imgGraf->Picture()));
      QVERIFY(VarianteDupla(F().imgGraf->Picture()).isNull());
    } else if (Razao() == 2) {
      // Not the small chart doubled: lines and names have the screen's steps.
      QVERIFY(grafico != Rgb32(F().imgGraf->Picture()).scaled(grafico.size()));
      QVERIFY(BlocosComDetalhe(grafico) > 0.05);
      QVERIFY(BlocosComDetalhe(nomesNaTela) > 0.01);
      ConfereAparencia(F().imgBtn, "img1.png", QRect(0, 26, 75, 26));
    }
    if (Razao() > 1) {
      const QImage dupla = Rgb32(VarianteDupla(F().imgGraf->Picture()));
      QCOMPARE(dupla.size(), QSize(672, 204));
      if (Razao() == 2) {
        QVERIFY(grafico == dupla);
      } else {
        const double perto =
            Diferenca(grafico, dupla.scaled(grafico.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY(perto < 6 && perto < Diferenca(grafico, Rgb32(F().imgGraf->Picture()).scaled(grafico.size())));
      }
    }
  }
};

QTEST_MAIN(TesteHidpi)
#include "tst_hidpi.moc"

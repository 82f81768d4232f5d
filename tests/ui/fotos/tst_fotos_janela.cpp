// The candidates' photos in the window: they load off the window's thread
// (a slow metafile never holds the window), a stored path survives a
// failed load, every failure at start comes in one box, and the photo
// dialog's preview always shows the newest selection.

#include <QLabel>
#include <QScrollArea>
#include <QtTest>

#include "Unit1.h"
#include "bytes_figuras.h"
#include "carregador_fotos.h"
#include "dialogo_fotos.h"
#include "erro.h"
#include "figuras.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "notebook.h"
#include "programa.h"

namespace {
using bytes_figuras::Crc32;
QByteArray Ler(const QString& nome) {
  QFile f(nome);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}
bool Gravar(const QString& nome, const QByteArray& b) {
  QFile f(nome);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}
QString Png(const QString& nome, QColor cor) {
  QImage img(20, 10, QImage::Format_RGB32);
  img.fill(cor);
  img.save(nome);
  return QDir::current().absoluteFilePath(nome);
}
QColor Centro(const QImage& img) { return img.pixelColor(img.width() / 2, img.height() / 2); }
}  // namespace

class TstFotosJanela : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  std::unique_ptr<TPrograma> p_;
  QStringList erros_;
  TForm1& F() { return p_->Form1; }

  void Abrir() {
    p_ = std::make_unique<TPrograma>();
    F().show();
    QVERIFY(QTest::qWaitForWindowExposed(&F()));
  }
  void Fechar() { p_.reset(); }  // writes jogo.ini

  // A metafile helper that draws nothing until the file "abre" exists,
  // then hands back a red picture: a metafile as slow as the test wants.
  QString AuxiliarComPortao() {
    Png("vermelha.png", Qt::red);
    const QString script = QDir::current().absoluteFilePath("portao.sh");
    Gravar(script, "#!/bin/sh\ncat >/dev/null\nwhile [ ! -e '" + QDir::currentPath().toLocal8Bit() +
                       "/abre' ]; do sleep 0.02; done\ncat '" + QDir::currentPath().toLocal8Bit() + "/vermelha.png'\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
  }
  void AbrirPortao() { QVERIFY(Gravar("abre", "")); }

  // jogo.ini with these photo paths, names N1..N6.
  void Configurar(const QStringList& fotos) {
    QByteArray ini = "0\r\n";
    for (int k = 1; k <= 6; ++k)
      ini += fotos.value(k - 1).toLocal8Bit() + "\r\nN" + QByteArray::number(k) + "\r\nD\r\n";
    QVERIFY(Gravar("jogo.ini", ini));
  }
  QList<QByteArray> Linhas() { return Ler("jogo.ini").split('\n'); }

 private slots:
  void initTestCase() {
    QVERIFY(pasta_.isValid() && QDir::setCurrent(pasta_.path()));
    DefinirCaixaDeErro([this](const QString& t) { erros_ << t; });
  }
  void init() {
    erros_.clear();
    QFile::remove("jogo.ini");
    QFile::remove("abre");
    DefinirAuxiliarMetafile({});
    DefinirPrazoMetafile(kPrazoMetafilePadrao);
  }
  void cleanup() { Fechar(); }

  // Six metafiles that each keep their helper busy: the window is up and
  // painted with the placeholders first, the photos follow.
  void janelaPintadaAntesDosMetafilesLentos() {
    DefinirAuxiliarMetafile(AuxiliarComPortao());
    QStringList fotos;
    for (int k = 1; k <= 6; ++k) {
      fotos << QDir::current().absoluteFilePath(QStringLiteral("lento%1.emf").arg(k));
      QVERIFY(Gravar(fotos.last(), "qualquer coisa"));
    }
    Configurar(fotos);
    Abrir();
    QVERIFY(!QFile::exists("abre"));
    QTRY_COMPARE(F().Carregador->Pendentes(), 6);  // begun once the window has painted
    for (int k = 1; k <= 6; ++k)
      QCOMPARE(F().Fcan[k]->Picture(), FiguraEmbutida(QStringLiteral("foto%1.png").arg(10 * k + 5)));
    AbrirPortao();
    for (int k = 1; k <= 6; ++k) QTRY_COMPARE(Centro(F().Fcan[k]->Picture()), QColor(Qt::red));
    QCOMPARE(F().Carregador->Pendentes(), 0);
    QVERIFY(erros_.isEmpty());
  }

  // A window that is not shown loads its photos all the same.
  void janelaEscondidaTambemCarrega() {
    Configurar({{}, Png("vermelha.png", Qt::red)});
    p_ = std::make_unique<TPrograma>();
    QVERIFY(!F().isVisible());
    QTRY_COMPARE(Centro(F().Fcan[2]->Picture()), QColor(Qt::red));
  }

  // Every failure at start in one box, naming slot, file and reason; the
  // paths are written back as they were.
  void falhasNumaCaixaSoECaminhosGuardados() {
    DefinirAuxiliarMetafile(QDir::current().absoluteFilePath("sem-auxiliar"));
    QByteArray enorme;  // a PNG header declaring 10000 x 10000
    {
      QImage um(1, 1, QImage::Format_RGB32);
      um.save("um.png");
      enorme = Ler("um.png");
      const qsizetype ihdr = enorme.indexOf("IHDR");
      qToBigEndian<quint32>(10000, enorme.data() + ihdr + 4);
      qToBigEndian<quint32>(10000, enorme.data() + ihdr + 8);
      qToBigEndian<quint32>(Crc32(enorme.mid(ihdr, 17)), enorme.data() + ihdr + 17);
    }
    QVERIFY(Gravar("enorme.png", enorme));
    QVERIFY(Gravar("sem.wmf", "x"));
    QVERIFY(Gravar("lixo.png", "isto não é um png"));
    const QStringList fotos{QDir::current().absoluteFilePath("pendrive/sumiu.jpg"),
                            "foto.gif",
                            QDir::current().absoluteFilePath("enorme.png"),
                            Png("boa.png", Qt::red),
                            QDir::current().absoluteFilePath("sem.wmf"),
                            QDir::current().absoluteFilePath("lixo.png")};
    Configurar(fotos);
    Abrir();
    QTRY_COMPARE(erros_.size(), 1);
    QTest::qWait(100);
    QCOMPARE(erros_.size(), 1);
    const QString& caixa = erros_[0];
    // One line a slot, in the slots' order, each naming its file.
    const QStringList linhasDaCaixa = caixa.section("\n\n", 1).split('\n');
    QCOMPARE(linhasDaCaixa.size(), 5);
    int i = 0;
    for (int k : {1, 2, 3, 5, 6}) {
      const QString& linha = linhasDaCaixa[i++];
      QVERIFY2(linha.startsWith(QStringLiteral("Vaga %1 (N%1)").arg(k)) && linha.contains(fotos[k - 1]),
               qPrintable(linha));
    }
    QVERIFY(caixa.startsWith("As fotos de 5 candidatos"));
    QVERIFY(caixa.contains("Unknown picture file extension (.gif)"));
    QVERIFY(caixa.contains("grande demais (10000 x 10000 pixels)"));
    QVERIFY(caixa.contains("não foi encontrado"));
    QCOMPARE(Centro(F().Fcan[4]->Picture()), QColor(Qt::red));
    for (int k : {1, 2, 3, 5, 6})
      QCOMPARE(F().Fcan[k]->Picture(), FiguraEmbutida(QStringLiteral("foto%1.png").arg(10 * k + 5)));
    Fechar();
    const QList<QByteArray> linhas = Linhas();
    for (int k = 1; k <= 6; ++k) QCOMPARE(linhas.value(3 * k - 2), fotos[k - 1].toLocal8Bit() + "\r");
  }

  // Closing while the photos still load: no crash, no wait for the
  // helpers, the paths kept.
  void fecharDuranteACarga() {
    DefinirAuxiliarMetafile(AuxiliarComPortao());
    DefinirPrazoMetafile(60000);
    QStringList fotos;
    for (int k = 1; k <= 6; ++k) {
      fotos << QDir::current().absoluteFilePath(QStringLiteral("f%1.wmf").arg(k));
      QVERIFY(Gravar(fotos.last(), "x"));
    }
    Configurar(fotos);
    Abrir();
    QTest::qWait(100);  // the helpers have started
    QElapsedTimer relogio;
    relogio.start();
    Fechar();
    // Far below the helpers' time limit: they were ended, not waited for.
    QVERIFY2(relogio.elapsed() < 10000, qPrintable(QString::number(relogio.elapsed())));
    const QList<QByteArray> linhas = Linhas();
    for (int k = 1; k <= 6; ++k) QCOMPARE(linhas.value(3 * k - 2), fotos[k - 1].toLocal8Bit() + "\r");
    QVERIFY(erros_.isEmpty());
  }

  // A slow photo chosen through the camera: the window keeps running its
  // events while it loads, and the photo and its path go in once it has.
  void cameraNaoCongelaAJanela() {
    DefinirAuxiliarMetafile(AuxiliarComPortao());
    DefinirPrazoMetafile(20000);
    Abrir();
    F().Abook->SetActivePage("Candidatos");
    const QString escolhida = QDir::current().absoluteFilePath("escolhida.emf");
    QVERIFY(Gravar(escolhida, "x"));
    F().EscolhaDeFoto = [&] { return escolhida; };
    F().findChild<QScrollArea*>("ScrollBox2")->ensureWidgetVisible(F().Mq[2]);
    const QPoint em = F().Mq[2]->mapTo(&F(), F().Mq[2]->rect().center());

    bool viuDuranteACarga = false;
    QTimer::singleShot(200, this, [&] {
      // Still loading: the old photo and path stay until it is in.
      viuDuranteACarga = F().Fotos[2].isEmpty() && F().Fcan[2]->Picture() == FiguraEmbutida("foto25.png");
      AbrirPortao();
    });
    QTest::mousePress(F().windowHandle(), Qt::LeftButton, {}, em);
    QTest::mouseRelease(F().windowHandle(), Qt::LeftButton, {}, em);
    QVERIFY(viuDuranteACarga);
    QCOMPARE(F().Fotos[2], escolhida);
    QCOMPARE(Centro(F().Fcan[2]->Picture()), QColor(Qt::red));
    QVERIFY(erros_.isEmpty());
  }

  // Closing the game while a chosen photo loads: the wait ends at once, and
  // the slot keeps its photo and path.
  void fecharDuranteACargaDaCamera() {
    DefinirAuxiliarMetafile(AuxiliarComPortao());
    DefinirPrazoMetafile(60000);
    const QString guardada = Png("verde.png", Qt::green);
    Configurar({{}, guardada});
    Abrir();
    QTRY_COMPARE(Centro(F().Fcan[2]->Picture()), QColor(Qt::green));
    F().Abook->SetActivePage("Candidatos");
    const QString escolhida = QDir::current().absoluteFilePath("nunca.emf");
    QVERIFY(Gravar(escolhida, "x"));
    F().EscolhaDeFoto = [&] { return escolhida; };
    F().findChild<QScrollArea*>("ScrollBox2")->ensureWidgetVisible(F().Mq[2]);
    const QPoint em = F().Mq[2]->mapTo(&F(), F().Mq[2]->rect().center());
    QTimer::singleShot(200, &F(), [this] { F().Encerrar(); });  // what the close button does
    QElapsedTimer relogio;
    relogio.start();
    QTest::mousePress(F().windowHandle(), Qt::LeftButton, {}, em);
    QTest::mouseRelease(F().windowHandle(), Qt::LeftButton, {}, em);
    QVERIFY2(relogio.elapsed() < 10000, qPrintable(QString::number(relogio.elapsed())));
    QCOMPARE(F().Fotos[2], guardada);
    QCOMPARE(Centro(F().Fcan[2]->Picture()), QColor(Qt::green));
    Fechar();
    QCOMPARE(Linhas().value(4), guardada.toLocal8Bit() + "\r");
    QVERIFY(erros_.isEmpty());
  }

  // The preview loads off the dialog's thread, and a newer selection wins
  // over an older one that answers later.
  void previaMaisNovaVence() {
    DefinirAuxiliarMetafile(AuxiliarComPortao());
    DefinirPrazoMetafile(20000);
    const QString lenta = QDir::current().absoluteFilePath("lenta.emf");
    QVERIFY(Gravar(lenta, "x"));
    const QString azul = Png("azul.png", Qt::blue);
    TDialogoFotos dialogo(nullptr);
    QLabel* previa = dialogo.Previa();
    dialogo.MostrarPrevia(lenta);
    QCOMPARE(previa->text(), QString("Carregando..."));  // returned at once
    QSignalSpy pronta(&dialogo, &TDialogoFotos::PreviaPronta);
    dialogo.MostrarPrevia(azul);
    QTRY_COMPARE(pronta.size(), 1);
    QCOMPARE(Centro(previa->pixmap().toImage()), QColor(Qt::blue));
    // The older selection's helper may now finish: its picture never shows.
    AbrirPortao();
    QTest::qWait(400);
    QCOMPARE(pronta.size(), 1);
    QCOMPARE(Centro(previa->pixmap().toImage()), QColor(Qt::blue));

    // A file that fails: "Sem prévia".
    QVERIFY(Gravar("ruim.png", "nada"));
    dialogo.MostrarPrevia(QDir::current().absoluteFilePath("ruim.png"));
    QTRY_COMPARE(pronta.size(), 2);
    QCOMPARE(previa->text(), QString("Sem prévia"));

    // Closing the dialog drops the preview still loading.
    QVERIFY(QFile::remove("abre"));
    dialogo.MostrarPrevia(lenta);
    dialogo.reject();
    AbrirPortao();
    QTest::qWait(400);
    QCOMPARE(pronta.size(), 2);
  }

  // A load cancelled before its answer never answers; the others do.
  void carregadorCancelado() {
    TCarregadorFotos carregador;
    const QString vermelha = Png("v.png", Qt::red);
    int respostas = 0;
    QColor cor;
    const quint64 primeiro = carregador.Carregar(vermelha, 50, [&](const QImage&, const QString&) { ++respostas; });
    carregador.Carregar(vermelha, 50, [&](const QImage& f, const QString&) {
      ++respostas;
      cor = Centro(f);
    });
    carregador.Cancelar(primeiro);
    QTRY_COMPARE(carregador.Pendentes(), 0);
    QTest::qWait(50);
    QCOMPARE(respostas, 1);
    QCOMPARE(cor, QColor(Qt::red));
  }
};

QTEST_MAIN(TstFotosJanela)
#include "tst_fotos_janela.moc"

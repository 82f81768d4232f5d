// "jogo.ini" in a folder the player may not write to (a shared or installed
// folder): a writable file is still written, in place; a file that is not
// writable is reported by name and left as it was. Root writes anywhere, so
// ctest runs this as the user nobody.

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "configuracao.h"

namespace {

QByteArray Ler(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return "<não abriu>";
  return f.readAll();
}

bool Criar(const QString& caminho, const QByteArray& bytes, mode_t modo) {
  QFile f(caminho);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
         (f.close(), chmod(QFile::encodeName(caminho).constData(), modo) == 0);
}

bool Proteger(const QString& pasta) { return chmod(QFile::encodeName(pasta).constData(), 0555) == 0; }

mode_t Modo(const QString& caminho) {
  struct stat st {};
  if (lstat(QFile::encodeName(caminho).constData(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

TSlotsCandidatos Exemplo() {
  TSlotsCandidatos s;
  for (int k = 1; k <= 6; ++k)
    s[k - 1] = {QString(), QStringLiteral("Zé %1").arg(k), QStringLiteral("Descrição %1").arg(k)};
  return s;
}

QString Erro(const QString& caminho) {
  try {
    GravarConfiguracao(caminho, Exemplo());
  } catch (const std::runtime_error& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}

}  // namespace

class TstPastaProtegida : public QObject {
  Q_OBJECT
  std::unique_ptr<QTemporaryDir> raiz_;
  QString pasta_;

  QString Em(const QString& nome) const { return pasta_ + QLatin1Char('/') + nome; }

 private slots:
  void initTestCase() {
    if (geteuid() == 0) QSKIP("root writes in any folder; ctest runs this test as nobody through runuser");
  }

  void init() {
    raiz_ = std::make_unique<QTemporaryDir>();
    QVERIFY(raiz_->isValid());
    pasta_ = raiz_->filePath(QStringLiteral("jogo"));
    QVERIFY(QDir().mkdir(pasta_));
  }

  void cleanup() {
    // Writable again, or the scratch folder could not be removed.
    for (const QString& p : {pasta_, raiz_->filePath(QStringLiteral("guardado"))})
      chmod(QFile::encodeName(p).constData(), 0755);
    raiz_.reset();
  }

  void arquivoGravavelEGravadoNoLugar() {
    QVERIFY(Criar(Em("jogo.ini"), "antigo\r\n", 0666));
    QVERIFY(Proteger(pasta_));
    // The folder really is closed to this user.
    QVERIFY(!QFile(Em("teste")).open(QIODevice::WriteOnly));

    const QString erro = Erro(Em("jogo.ini"));
    QVERIFY2(erro.isEmpty(), qPrintable(erro));
    QCOMPARE(Ler(Em("jogo.ini")), MontarConfiguracao(Exemplo()));
    QCOMPARE(Modo(Em("jogo.ini")), mode_t(0666));
    QCOMPARE(QDir(pasta_).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"jogo.ini"});
  }

  void textoMaisCurtoNaoDeixaRestoDoAnterior() {
    QVERIFY(Criar(Em("jogo.ini"), QByteArray(5000, 'x'), 0666));
    QVERIFY(Proteger(pasta_));
    QVERIFY(Erro(Em("jogo.ini")).isEmpty());
    QCOMPARE(Ler(Em("jogo.ini")), MontarConfiguracao(Exemplo()));
  }

  void linkEmPastaProtegidaGravaOAlvo() {
    const QString guardado = raiz_->filePath(QStringLiteral("guardado"));
    QVERIFY(QDir().mkdir(guardado));
    QVERIFY(Criar(guardado + QStringLiteral("/jogo.ini"), "antigo\r\n", 0646));
    QVERIFY(QFile::link(QStringLiteral("../guardado/jogo.ini"), Em("jogo.ini")));
    QVERIFY(Proteger(guardado));
    QVERIFY(Proteger(pasta_));

    const QString erro = Erro(Em("jogo.ini"));
    QVERIFY2(erro.isEmpty(), qPrintable(erro));
    QVERIFY(QFileInfo(Em("jogo.ini")).isSymLink());
    QCOMPARE(Ler(guardado + QStringLiteral("/jogo.ini")), MontarConfiguracao(Exemplo()));
    QCOMPARE(Modo(guardado + QStringLiteral("/jogo.ini")), mode_t(0646));
  }

  void arquivoSomenteLeituraENomeadoNoErro() {
    QVERIFY(Criar(Em("jogo.ini"), "antigo\r\n", 0444));
    QVERIFY(Proteger(pasta_));
    const QString erro = Erro(Em("jogo.ini"));
    QVERIFY2(erro.contains(Em("jogo.ini")), qPrintable(erro));
    QCOMPARE(Ler(Em("jogo.ini")), QByteArray("antigo\r\n"));
  }

  void semArquivoNaPastaProtegidaENomeadoNoErro() {
    QVERIFY(Proteger(pasta_));
    const QString erro = Erro(Em("jogo.ini"));
    QVERIFY2(erro.contains(Em("jogo.ini")), qPrintable(erro));
    QVERIFY(!QFileInfo::exists(Em("jogo.ini")));
  }
};

QTEST_GUILESS_MAIN(TstPastaProtegida)
#include "tst_pasta_protegida.moc"

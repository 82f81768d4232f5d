// The settings file "jogo.ini", read and written on disk in a scratch folder.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <string>

#include "configuracao.h"
#include "jogo_ini.h"

namespace {

QByteArray Ler(const QString& caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return "<não abriu>";
  return f.readAll();
}

void Escrever(const QString& caminho, const QByteArray& bytes) {
  QFile f(caminho);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(bytes), bytes.size());
}

// 19 lines "L0" .. "L18" joined by the given line end.
QByteArray Numeradas(const QByteArray& fim, int quantas = kLinhasConfiguracao) {
  QByteArray b;
  for (int i = 0; i < quantas; ++i) b += "L" + QByteArray::number(i) + fim;
  return b;
}

void VerificarNumeradas(const TSlotsCandidatos& s, int linhasNoArquivo = kLinhasConfiguracao) {
  for (int k = 1; k <= 6; ++k) {
    auto esperado = [&](int linha) { return linha < linhasNoArquivo ? QStringLiteral("L%1").arg(linha) : QString(); };
    QCOMPARE(s[k - 1].foto, esperado(3 * k - 2));
    QCOMPARE(s[k - 1].nome, esperado(3 * k - 1));
    QCOMPARE(s[k - 1].descricao, esperado(3 * k));
  }
}

TSlotsCandidatos Exemplo() {
  TSlotsCandidatos s;
  for (int k = 1; k <= 6; ++k)
    s[k - 1] = {QStringLiteral("/fotos/c%1.bmp").arg(k), QStringLiteral("Candidato %1").arg(k * 10 + 5),
                QStringLiteral("Descrição %1").arg(k)};
  return s;
}

}  // namespace

class TstConfiguracao : public QObject {
  Q_OBJECT
  QTemporaryDir pasta_;
  QString Caminho(const QString& nome = QStringLiteral("jogo.ini")) const { return pasta_.filePath(nome); }

 private slots:
  void init() {
    QVERIFY(pasta_.isValid());
    QDir(pasta_.path()).removeRecursively();
    QVERIFY(QDir().mkpath(pasta_.path()));
  }

  void semArquivoNadaELido() { QVERIFY(!LerConfiguracao(Caminho()).has_value()); }

  // Whatever stands in the file's place, the read answers at once: a named
  // pipe with no writer would block an ordinary open, /dev/zero never ends.
  // Each is refused with the file's name, and left as it was by a write.
  void oQueNaoEArquivoComumERecusado_data() {
    QTest::addColumn<QString>("tipo");
    QTest::newRow("pasta") << "pasta";
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("link para /dev/zero") << "zero";
  }

  void oQueNaoEArquivoComumERecusado() {
    QFETCH(QString, tipo);
    const QByteArray caminho = QFile::encodeName(Caminho());
    if (tipo == "pasta") QVERIFY(QDir().mkdir(Caminho()));
    if (tipo == "pipe") QCOMPARE(mkfifo(caminho.constData(), 0644), 0);
    if (tipo == "zero") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), Caminho()));
    QVERIFY(!EArquivoComum(Caminho()));
    for (const bool gravando : {false, true}) {
      try {
        if (gravando)
          GravarConfiguracao(Caminho(), Exemplo());
        else
          LerConfiguracao(Caminho());
        QFAIL("aceitou o que não é arquivo");
      } catch (const std::runtime_error& e) {
        const QString m = QString::fromUtf8(e.what());
        QVERIFY2(m.contains(Caminho()) && m.contains(QStringLiteral("não é um arquivo comum")), e.what());
      }
    }
    struct stat st {};
    QCOMPARE(lstat(caminho.constData(), &st), 0);
    if (tipo == "pasta") QVERIFY(S_ISDIR(st.st_mode));
    if (tipo == "pipe") QVERIFY(S_ISFIFO(st.st_mode));
    if (tipo == "zero") QCOMPARE(QFileInfo(Caminho()).symLinkTarget(), QStringLiteral("/dev/zero"));
  }

  // A file with no line end reads no further than the bound, far above any
  // real file: its first line, cut as any long line is.
  void arquivoSemFimLeSoOComeco() {
    QFile f(Caminho());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write("0\r\n"), 3);
    QVERIFY(f.resize(qint64(64) * 1024 * 1024 * 1024));  // sparse: 64 GiB of zero bytes
    f.close();
    const auto s = LerConfiguracao(Caminho());
    QVERIFY(s.has_value());
    QCOMPARE((*s)[0].foto, QString(kTamanhoMaximoLinha, QChar(0)));
    QCOMPARE((*s)[0].nome, QString());
  }

  void arquivoVazioEsvaziaTudo() {
    Escrever(Caminho(), "");
    const auto s = LerConfiguracao(Caminho());
    QVERIFY(s.has_value());
    for (const TSlotCandidato& slot : *s) QCOMPARE(slot, TSlotCandidato{});
  }

  void linhasQueFaltamFicamVazias_data() {
    QTest::addColumn<int>("linhas");
    QTest::addColumn<bool>("fimNaUltima");
    QTest::newRow("7 linhas") << 7 << true;
    QTest::newRow("7 linhas, a última sem fim") << 7 << false;
    QTest::newRow("1 linha") << 1 << true;
    QTest::newRow("18 linhas sem fim") << 18 << false;
  }
  void linhasQueFaltamFicamVazias() {
    QFETCH(int, linhas);
    QFETCH(bool, fimNaUltima);
    QByteArray bytes = Numeradas("\r\n", linhas);
    if (!fimNaUltima) bytes.chop(2);
    Escrever(Caminho(), bytes);
    VerificarNumeradas(*LerConfiguracao(Caminho()), linhas);
  }

  void finsDeLinha_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << Numeradas("\r\n");
    QTest::newRow("LF") << Numeradas("\n");
    QTest::newRow("CR") << Numeradas("\r");
    QByteArray misto;
    const char* fins[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < kLinhasConfiguracao; ++i) misto += "L" + QByteArray::number(i) + fins[i % 3];
    QTest::newRow("misturados") << misto;
    QTest::newRow("linhas a mais") << Numeradas("\r\n", 30);
  }
  void finsDeLinha() {
    QFETCH(QByteArray, bytes);
    Escrever(Caminho(), bytes);
    VerificarNumeradas(*LerConfiguracao(Caminho()));
  }

  void linhasVaziasEntreFins() {
    // LF CR is two line ends, CR CR LF too; only CR followed by LF is one.
    Escrever(Caminho(), "0\n\rnome1\r\r\ndesc1\n\n");
    const auto s = *LerConfiguracao(Caminho());
    QCOMPARE(s[0], (TSlotCandidato{"", "nome1", ""}));
    QCOMPARE(s[1], (TSlotCandidato{"desc1", "", ""}));
  }

  void linhaZeroIgnoradaEGravadaComoZero() {
    QByteArray bytes = Numeradas("\r\n");
    bytes.replace("L0\r\n", "qualquer coisa\r\n");
    Escrever(Caminho(), bytes);
    const auto s = *LerConfiguracao(Caminho());
    VerificarNumeradas(s);
    GravarConfiguracao(Caminho(), s);
    QCOMPARE(Ler(Caminho()), "0\r\n" + Numeradas("\r\n").mid(4));
  }

  void linhaLongaCortada() {
    const QByteArray longa(5000, 'x');
    Escrever(Caminho(), "0\r\n" + longa + "\r\nnome\r\n" + QByteArray(4096, 'y') + "\r\n");
    const auto s = *LerConfiguracao(Caminho());
    QCOMPARE(s[0].foto, QString(4096, QLatin1Char('x')));
    QCOMPARE(s[0].nome, QStringLiteral("nome"));
    QCOMPARE(s[0].descricao, QString(4096, QLatin1Char('y')));
    QCOMPARE(s[1], TSlotCandidato{});
  }

  void gravaDezenoveLinhasComCrLf() {
    TSlotsCandidatos s;
    s[0].nome = QStringLiteral("Candidato 15");
    s[5].descricao = QStringLiteral("fim");
    GravarConfiguracao(Caminho(), s);
    QByteArray esperado = "0\r\n\r\nCandidato 15\r\n";
    esperado += QByteArray("\r\n").repeated(15);
    esperado += "fim\r\n";
    QCOMPARE(Ler(Caminho()), esperado);
    QCOMPARE(Ler(Caminho()).count("\r\n"), kLinhasConfiguracao);
  }

  void idaEVoltaByteABytes() {
    // Every byte that is not a line end, the five undefined ones included,
    // spread over the values, must come back unchanged.
    QByteArray todos;
    for (int b = 1; b < 256; ++b)
      if (b != '\r' && b != '\n') todos += char(b);
    QByteArray bytes = "0\r\n";
    bytes += "C:\\Fotos\\Jos\xe9 Ara\xfajo.bmp\r\n";
    bytes += "S\xe3o Jo\xe3o \x80 \x81\x8d\x8f\x90\x9d\r\n";
    bytes += todos + "\r\n";
    for (int i = 4; i < kLinhasConfiguracao; ++i) bytes += "\x9d\x81 " + QByteArray::number(i) + "\r\n";
    Escrever(Caminho(), bytes);

    const auto s = *LerConfiguracao(Caminho());
    QCOMPARE(s[0].foto, QStringLiteral(u"C:\\Fotos\\José Araújo.bmp"));
    QCOMPARE(s[0].nome, QStringLiteral(u"São João € \u0081\u008D\u008F\u0090\u009D"));
    QCOMPARE(s[0].descricao.size(), todos.size());

    const QString copia = Caminho(QStringLiteral("copia.ini"));
    GravarConfiguracao(copia, s);
    QCOMPARE(Ler(copia), bytes);
    QCOMPARE(*LerConfiguracao(copia), s);
  }

  void gravaSobreArquivoAnterior() {
    Escrever(Caminho(), Numeradas("\r\n", 40) + QByteArray(10000, 'z'));
    const TSlotsCandidatos s = Exemplo();
    GravarConfiguracao(Caminho(), s);
    QCOMPARE(*LerConfiguracao(Caminho()), s);
    QCOMPARE(Ler(Caminho()), MontarConfiguracao(s));
    QCOMPARE(QDir(pasta_.path()).entryList(QDir::Files), QStringList{"jogo.ini"});
  }

  void cabeEmWindows1252_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("cabe");
    QTest::newRow("vazio") << QString() << true;
    QTest::newRow("acentos") << QStringLiteral(u"Ação, pão, José, Último") << true;
    QTest::newRow("euro e aspas") << QStringLiteral(u"€ “x” ‘y’ …") << true;
    QTest::newRow("indefinidos") << QStringLiteral(u"\u0081\u008D\u008F\u0090\u009D") << true;
    QTest::newRow("C1 definido em 1252") << QStringLiteral(u"\u0080") << false;
    QTest::newRow("chinês") << QStringLiteral(u"中文") << false;
    QTest::newRow("emoji") << QStringLiteral(u"voto 🗳") << false;
    QTest::newRow("grego") << QStringLiteral(u"Ω") << false;
    QTest::newRow("LF") << QStringLiteral("a\nb") << false;
    QTest::newRow("CR") << QStringLiteral("a\rb") << false;
  }
  void cabeEmWindows1252() {
    QFETCH(QString, texto);
    QFETCH(bool, cabe);
    QCOMPARE(CabeEmWindows1252(texto), cabe);
    QCOMPARE(CabeNaConfiguracao(texto), cabe);
    QCOMPARE(CabeNaConfiguracao(texto + QString(kTamanhoMaximoLinha + 1, QLatin1Char('a'))), false);
    if (cabe) QVERIFY(CabeNaConfiguracao(QString(kTamanhoMaximoLinha - texto.size(), QLatin1Char('a')) + texto));
  }

  void valorQueNaoCabeNaoGravaNada() {
    Escrever(Caminho(), "antigo");
    TSlotsCandidatos s = Exemplo();
    s[3].nome = QStringLiteral(u"Zé 中");
    try {
      GravarConfiguracao(Caminho(), s);
      QFAIL("gravou um nome fora de Windows-1252");
    } catch (const std::runtime_error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("candidato 4")), e.what());
    }
    s[3].nome = QString(kTamanhoMaximoLinha + 1, QLatin1Char('n'));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, GravarConfiguracao(Caminho(), s));
    QCOMPARE(Ler(Caminho()), "antigo");
  }

  // The refusal names the value and the candidate, in these words.
  void valorQueNaoCabeDizQualEPorque() {
    TSlotsCandidatos s = Exemplo();
    s[3].nome = QStringLiteral(u"Zé 中");
    try {
      MontarConfiguracao(s);
      QFAIL("montou um nome fora de Windows-1252");
    } catch (const std::runtime_error& e) {
      QCOMPARE(QString::fromUtf8(e.what()),
               QStringLiteral(u"Não é possível gravar o nome do candidato 4 em jogo.ini: \"Zé 中\" tem quebra de "
                              u"linha, caracteres fora de Windows-1252 ou mais de 4096 caracteres"));
    }
    // A lone surrogate is no character: refused, though in UTF-8 it would
    // read as a '?' that fits; the first value refused is the one named.
    s = Exemplo();
    s[1].foto = QString(QChar(0xD800));
    s[2].descricao = QStringLiteral("duas\nlinhas");
    QVERIFY(!CabeNaConfiguracao(s[1].foto));
    try {
      MontarConfiguracao(s);
      QFAIL("montou um valor que não é texto");
    } catch (const std::runtime_error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).startsWith(QStringLiteral(u"Não é possível gravar o caminho da foto do "
                                                                     u"candidato 2 em jogo.ini: ")),
               e.what());
    }
  }

  // The desktop's file is, byte for byte, the one the shared format
  // composes (the web edition's import and export read and write it), and
  // each reads the other's: every character Windows-1252 holds, spread over
  // the values.
  void mesmosBytesQueOFormatoComum() {
    std::u32string todos;
    // The C1 controls are there only where Windows-1252 leaves the byte free.
    for (char32_t c = 0x20; c <= 0xFF; ++c)
      if (c != 0x7F && (c < 0x80 || c > 0x9F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D))
        todos += c;
    for (char32_t c : {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
                       0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
                       0x0161, 0x203A, 0x0153, 0x017E, 0x0178})
      todos += c;
    const QString qt = QString::fromUcs4(todos.data(), static_cast<qsizetype>(todos.size()));
    TSlotsCandidatos q;
    varzeno::jogo::TCandidatosIni comum;
    for (int k = 0; k < 6; ++k) {
      const QString foto = k % 2 ? QString() : QStringLiteral("/home/eu/fotos/%1.jpg").arg(k);
      const QString nome = qt.mid(k * 30, 30);
      const QString desc = qt.mid(180 + k * 5, 40);
      q[size_t(k)] = {foto, nome, desc};
      comum[size_t(k)] = {foto.toStdString(), nome.toStdString(), desc.toStdString()};
    }
    const std::string bytes = varzeno::jogo::MontarJogoIni(comum);
    const QByteArray esperado(bytes.data(), qsizetype(bytes.size()));
    QCOMPARE(MontarConfiguracao(q), esperado);
    GravarConfiguracao(Caminho(), q);
    QCOMPARE(Ler(Caminho()), esperado);
    QCOMPARE(*LerConfiguracao(Caminho()), q);
    QCOMPARE(InterpretarConfiguracao(esperado), q);
    const QByteArray doDesktop = MontarConfiguracao(q);
    QVERIFY(varzeno::jogo::InterpretarJogoIni(std::string_view(doDesktop.constData(), size_t(doDesktop.size()))) ==
            comum);
  }

  // The name boxes refuse exactly what the shared format cannot store.
  void recusaOQueOFormatoComumRecusa() {
    for (const char32_t c : {char32_t(0x80), char32_t(0x9F), char32_t(0x0100), char32_t(0x1F600), char32_t('\n')}) {
      const QString q = QStringLiteral("a") + QString::fromUcs4(&c, 1);
      QVERIFY2(!CabeNaConfiguracao(q), qPrintable(QString::number(uint32_t(c), 16)));
      QVERIFY2(!varzeno::jogo::CabeNoJogoIni(q.toStdString()), qPrintable(QString::number(uint32_t(c), 16)));
    }
    QVERIFY(CabeNaConfiguracao(QStringLiteral(u"ação €")));
    QVERIFY(varzeno::jogo::CabeNoJogoIni("ação €"));
  }

  void permissoesDoArquivoFicam_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("0640") << 0640;
    QTest::newRow("0600") << 0600;
    QTest::newRow("0664") << 0664;
  }

  void permissoesDoArquivoFicam() {
    QFETCH(int, modo);
    Escrever(Caminho(), "antigo");
    QVERIFY(chmod(QFile::encodeName(Caminho()).constData(), static_cast<mode_t>(modo)) == 0);
    GravarConfiguracao(Caminho(), Exemplo());
    QCOMPARE(Ler(Caminho()), MontarConfiguracao(Exemplo()));
    struct stat st {};
    QCOMPARE(stat(QFile::encodeName(Caminho()).constData(), &st), 0);
    QCOMPARE(static_cast<int>(st.st_mode & 07777), modo);
  }

  // The player may keep the file elsewhere and link to it: the link stays,
  // the file it names gets the new text.
  void linkSimbolicoContinuaLink() {
    QVERIFY(QDir(pasta_.path()).mkdir(QStringLiteral("guardado")));
    const QString alvo = Caminho(QStringLiteral("guardado/jogo.ini"));
    Escrever(alvo, "antigo");
    QVERIFY(QFile::link(QStringLiteral("guardado/jogo.ini"), Caminho()));
    GravarConfiguracao(Caminho(), Exemplo());
    QVERIFY(QFileInfo(Caminho()).isSymLink());
    QCOMPARE(QFileInfo(Caminho()).symLinkTarget(), QFileInfo(alvo).absoluteFilePath());
    QCOMPARE(Ler(alvo), MontarConfiguracao(Exemplo()));
    QCOMPARE(QDir(pasta_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"jogo.ini"});
  }

  void linkSemAlvoCriaOAlvo() {
    QVERIFY(QDir(pasta_.path()).mkdir(QStringLiteral("guardado")));
    QVERIFY(QFile::link(QStringLiteral("guardado/novo.ini"), Caminho()));
    GravarConfiguracao(Caminho(), Exemplo());
    QVERIFY(QFileInfo(Caminho()).isSymLink());
    QCOMPARE(Ler(Caminho(QStringLiteral("guardado/novo.ini"))), MontarConfiguracao(Exemplo()));
  }

  // Tests run as root, where a read-only folder does not stop a write; these
  // two failures stop root as well.
  void pastaQueEArquivo() {
    Escrever(Caminho(QStringLiteral("pasta")), "sou um arquivo");
    const QString caminho = Caminho(QStringLiteral("pasta/jogo.ini"));
    try {
      GravarConfiguracao(caminho, Exemplo());
      QFAIL("gravou dentro de um arquivo");
    } catch (const std::runtime_error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains(caminho), e.what());
    }
    QCOMPARE(Ler(Caminho(QStringLiteral("pasta"))), "sou um arquivo");
  }

  void falhaNoMeioDaEscritaPreservaOAnterior() {
    const QByteArray antigo = MontarConfiguracao(Exemplo());
    Escrever(Caminho(), antigo);
    TSlotsCandidatos novo = Exemplo();
    novo[0].descricao = QString(3000, QLatin1Char('d'));

    // A file size limit makes the write of the new file fail half way, as a
    // full disk would, for root too.
    rlimit anterior{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
    const auto sinalAnterior = std::signal(SIGXFSZ, SIG_IGN);
    rlimit pequeno = anterior;
    pequeno.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &pequeno), 0);
    bool falhou = false;
    QString mensagem;
    try {
      GravarConfiguracao(Caminho(), novo);
    } catch (const std::runtime_error& e) {
      falhou = true;
      mensagem = QString::fromUtf8(e.what());
    }
    setrlimit(RLIMIT_FSIZE, &anterior);
    std::signal(SIGXFSZ, sinalAnterior);

    QVERIFY(falhou);
    QVERIFY2(mensagem.contains(Caminho()), qPrintable(mensagem));
    QCOMPARE(Ler(Caminho()), antigo);
    QCOMPARE(QDir(pasta_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"jogo.ini"});
  }
};

QTEST_GUILESS_MAIN(TstConfiguracao)
#include "tst_configuracao.moc"

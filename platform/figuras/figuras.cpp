#include "figuras.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QProcess>
#include <QTransform>
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>

#include "jpeg_por_blocos.h"
#include "png_reduzido.h"

namespace {

// Set by the program (or a test) on the window's thread, read by the
// loading threads.
QMutex g_trava;
QString g_auxiliar;
std::atomic<int> g_prazoMs = kPrazoMetafilePadrao;

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

[[noreturn]] void Falhar(const QString& mensagem) { throw std::runtime_error(Utf8(mensagem)); }

QString Tamanho(QSize s) { return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height()); }

QString Grande(const QString& caminho, QSize s) {
  return QStringLiteral("A figura \"%1\" é grande demais (%2; o máximo é %3 x %3 e %4 pixels)")
      .arg(caminho, Tamanho(s))
      .arg(kLadoMaximoFigura)
      .arg(kPixelsMaximosFigura);
}

QByteArray LerArquivo(const QString& caminho) {
  QFile arquivo(caminho);
  if (!arquivo.open(QIODevice::ReadOnly))
    Falhar(QStringLiteral("Não foi possível abrir a figura \"%1\": %2").arg(caminho, arquivo.errorString()));
  if (arquivo.size() > kBytesMaximosArquivo)
    Falhar(QStringLiteral("O arquivo de figura \"%1\" é grande demais (%2 bytes)").arg(caminho).arg(arquivo.size()));
  QByteArray bytes = arquivo.read(kBytesMaximosArquivo + 1);
  if (arquivo.error() != QFileDevice::NoError)
    Falhar(QStringLiteral("Não foi possível ler a figura \"%1\": %2").arg(caminho, arquivo.errorString()));
  if (bytes.size() > kBytesMaximosArquivo)
    Falhar(QStringLiteral("O arquivo de figura \"%1\" é grande demais").arg(caminho));
  return bytes;
}

// Qt's guard for every reader of the program, set once, before the first
// picture is read on any thread; the game's own pictures are far below it.
void LimitarAlocacao() {
  static std::once_flag feito;
  std::call_once(feito, [] { QImageReader::setAllocationLimit(kMegabytesAlocacaoFoto); });
}

QImage DecodificarComCaminho(const QByteArray& bytes, const char* formato, const QString& caminho) {
  LimitarAlocacao();
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader leitor(&buffer, formato);
  // The extension decides the format, never the content.
  leitor.setAutoDetectImageFormat(false);
  leitor.setDecideFormatFromContent(false);
  const QSize declarado = leitor.size();
  if (declarado.isValid() && !CabeNoLimite(declarado)) Falhar(Grande(caminho, declarado));
  QImage imagem = leitor.read();
  if (imagem.isNull())
    Falhar(QStringLiteral("A figura \"%1\" está danificada ou não é um arquivo %2 válido (%3)")
               .arg(caminho, QString::fromLatin1(formato).toUpper(), leitor.errorString()));
  if (!CabeNoLimite(imagem.size())) Falhar(Grande(caminho, imagem.size()));
  return imagem;
}

// Where Qt looks too, found once: the loading threads ask for it, and
// Qt's own answer keeps an unguarded cache.
QString PastaDoExecutavel() {
  static const QString pasta =
      QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
  return pasta;
}

QImage DesenharMetafile(const QByteArray& bytes, const char* tipo, const QString& caminho,
                        const std::stop_token& parar) {
  const QString auxiliar = AuxiliarMetafile();
  const int prazo = g_prazoMs;
  auto falhou = [&](const QString& motivo) {
    Falhar(QStringLiteral("Não foi possível desenhar o metafile \"%1\": %2").arg(caminho, motivo));
  };
  if (!QFileInfo(auxiliar).isExecutable())
    falhou(QStringLiteral("o programa auxiliar \"%1\" não foi encontrado").arg(auxiliar));

  QProcess processo;
  processo.setProgram(auxiliar);
  processo.setArguments({QString::fromLatin1(tipo)});
  processo.start();
  if (!processo.waitForStarted(prazo))
    falhou(QStringLiteral("o programa auxiliar não iniciou (%1)").arg(processo.errorString()));
  processo.write(bytes);
  processo.closeWriteChannel();
  // In short steps, so that a load no longer wanted ends at once.
  QElapsedTimer relogio;
  relogio.start();
  while (!processo.waitForFinished(50)) {
    if (processo.state() == QProcess::NotRunning) break;
    const bool parado = parar.stop_requested();
    if (!parado && relogio.elapsed() < prazo) continue;
    processo.kill();
    processo.waitForFinished(-1);
    if (parado) falhou(QStringLiteral("a leitura foi interrompida"));
    falhou(QStringLiteral("o programa auxiliar passou de %1 ms e foi encerrado").arg(prazo));
  }
  if (processo.exitStatus() != QProcess::NormalExit)
    falhou(QStringLiteral("o programa auxiliar terminou de forma anormal (arquivo danificado?)"));
  if (processo.exitCode() != 0) {
    // The helper's own message is its last line; Qt may warn before it.
    const QStringList linhas =
        QString::fromUtf8(processo.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString motivo = linhas.isEmpty() ? QString() : linhas.last().trimmed().left(300);
    if (motivo.isEmpty()) motivo = QStringLiteral("código de saída %1").arg(processo.exitCode());
    falhou(motivo);
  }
  return DecodificarComCaminho(processo.readAllStandardOutput(), "png", caminho);
}

// Opens a photo file to be read as it decodes.
void AbrirFoto(QFile& arquivo) {
  if (!arquivo.open(QIODevice::ReadOnly))
    Falhar(QStringLiteral("Não foi possível abrir a figura \"%1\": %2").arg(arquivo.fileName(), arquivo.errorString()));
  if (arquivo.size() > kBytesMaximosFoto)
    Falhar(MensagemArquivoDeFotoGrande(arquivo.fileName(), arquivo.size()));
}

// A photo through Qt's reader, reduced while it decodes where the format
// can (JPEG decodes at 1/2, 1/4 or 1/8 of its size), turned upright by its
// EXIF orientation.
QImage LerFotoQt(const QString& caminho, const char* formato, int lado) {
  LimitarAlocacao();
  QFile arquivo(caminho);
  AbrirFoto(arquivo);
  QImageReader leitor(&arquivo, formato);
  leitor.setAutoDetectImageFormat(false);
  leitor.setDecideFormatFromContent(false);
  leitor.setAutoTransform(true);
  const QSize declarado = leitor.size();
  if (declarado.isValid()) {
    if (!FotoCabeNoLimite(declarado)) Falhar(MensagemFotoGrande(caminho, declarado));
    leitor.setScaledSize(ReduzirAoLado(declarado, lado));
  }
  QImage imagem = leitor.read();
  if (imagem.isNull())
    Falhar(QStringLiteral("A figura \"%1\" está danificada ou não é um arquivo %2 válido (%3)")
               .arg(caminho, QString::fromLatin1(formato).toUpper(), leitor.errorString()));
  return imagem;
}

// Turns a picture as its EXIF orientation says, as Qt's reader does.
QImage Virar(QImage imagem, QImageIOHandler::Transformations t) {
  if (t == QImageIOHandler::TransformationNone) return imagem;
  if (t == QImageIOHandler::TransformationRotate270) return imagem.transformed(QTransform().rotate(270));
  imagem.mirror(t & QImageIOHandler::TransformationMirror, t & QImageIOHandler::TransformationFlip);
  if (t & QImageIOHandler::TransformationRotate90) imagem = imagem.transformed(QTransform().rotate(90));
  return imagem;
}

QImage Reduzir(QImage imagem, int lado) {
  const QSize alvo = ReduzirAoLado(imagem.size(), lado);
  if (alvo == imagem.size()) return imagem;
  return imagem.scaled(alvo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A large progressive JPEG by its blocks' means, in a few MB where libjpeg
// would hold all its coefficients; any other through Qt's reader, reduced
// while it decodes.
QImage LerJpeg(const QString& caminho, const char* formato, int lado, const std::stop_token& parar) {
  QFile arquivo(caminho);
  AbrirFoto(arquivo);
  const QImage blocos = LerJpegProgressivoReduzido(arquivo, lado, caminho, parar);
  if (blocos.isNull()) return Reduzir(LerFotoQt(caminho, formato, lado), lado);
  // Qt reads the orientation from the header alone.
  arquivo.seek(0);
  QImageReader leitor(&arquivo, formato);
  leitor.setAutoDetectImageFormat(false);
  leitor.setDecideFormatFromContent(false);
  return Virar(blocos, leitor.transformation());
}

}  // namespace

void DefinirAuxiliarMetafile(const QString& caminho) {
  QMutexLocker trava(&g_trava);
  g_auxiliar = caminho;
}

QString AuxiliarMetafile() {
  QMutexLocker trava(&g_trava);
  return g_auxiliar.isEmpty() ? PastaDoExecutavel() + QStringLiteral("/varzeno-metafile") : g_auxiliar;
}

void DefinirPrazoMetafile(int milissegundos) { g_prazoMs = milissegundos; }

QImage DecodificarFiguraQt(const QByteArray& bytes, const char* formato) {
  return DecodificarComCaminho(bytes, formato, QStringLiteral("(memória)"));
}

QImage CarregarFigura(const QString& caminho, int lado, std::stop_token parar) {
  const QString extensao = QFileInfo(caminho).suffix();
  const QString minuscula = extensao.toLower();
  if (minuscula == u"emf" || minuscula == u"wmf")
    return Reduzir(DesenharMetafile(LerArquivo(caminho), minuscula == u"emf" ? "emf" : "wmf", caminho, parar), lado);
  for (const char* formato : {"bmp", "ico", "jpg", "jpeg", "png"}) {
    if (minuscula != QLatin1String(formato)) continue;
    if (lado <= 0) return DecodificarComCaminho(LerArquivo(caminho), formato, caminho);
    if (minuscula == u"png") {
      QFile arquivo(caminho);
      AbrirFoto(arquivo);
      return LerPngReduzido(arquivo, lado, caminho, parar);
    }
    if (minuscula == u"jpg" || minuscula == u"jpeg") return LerJpeg(caminho, formato, lado, parar);
    // Whatever Qt could not reduce while decoding (bmp, ico) is reduced now.
    return Reduzir(LerFotoQt(caminho, formato, lado), lado);
  }
  throw std::runtime_error("Unknown picture file extension (." + Utf8(extensao) + ")");
}

// The desktop's side of jogo.ini: the file on disk, read and replaced
// safely. What its bytes say, and what bytes a set of candidates makes, is
// jogo/'s, the same for every edition.
#include "configuracao.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace jogo = varzeno::jogo;

namespace {

std::string Utf8(const QString& s) { return s.toStdString(); }
QString DeUtf8(const std::string& s) { return QString::fromStdString(s); }

TSlotsCandidatos ParaSlots(const jogo::TCandidatosIni& lidos) {
  TSlotsCandidatos candidatos;
  for (size_t k = 0; k < candidatos.size(); ++k)
    candidatos[k] = {DeUtf8(lidos[k].foto), DeUtf8(lidos[k].nome), DeUtf8(lidos[k].descricao)};
  return candidatos;
}

}  // namespace

bool CabeEmWindows1252(const QString& texto) {
  // A lone surrogate is no character: in UTF-8 it would turn into a '?'
  // that fits.
  return texto.isValidUtf16() && jogo::CabeEmWindows1252(Utf8(texto));
}

bool CabeNaConfiguracao(const QString& texto) {
  return texto.size() <= kTamanhoMaximoLinha && CabeEmWindows1252(texto);
}

TSlotsCandidatos InterpretarConfiguracao(const QByteArray& conteudo) {
  return ParaSlots(jogo::InterpretarJogoIni(std::string_view(conteudo.constData(), size_t(conteudo.size()))));
}

namespace {

// Far above any real file (19 lines of a few hundred characters), so a file
// that never ends cannot hold the start back.
constexpr qint64 kLimiteDeLeitura = 1024 * 1024;

[[noreturn]] void FalhaAoLer(const QString& caminho, const QString& motivo) {
  throw std::runtime_error("Não foi possível ler \"" + Utf8(caminho) + "\": " + Utf8(motivo));
}

// Closes the descriptor on every way out.
struct TDescritor {
  int fd;
  ~TDescritor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool EArquivoComum(const QString& caminho) {
  struct stat info {};
  return ::stat(QFile::encodeName(caminho).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<TSlotsCandidatos> LerConfiguracao(const QString& caminho) {
  // Without blocking: a named pipe with no writer, or a device, answers at
  // once here, and is then refused for not being a plain file.
  TDescritor arquivo{::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (arquivo.fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    FalhaAoLer(caminho, QString::fromLocal8Bit(std::strerror(errno)));
  }
  struct stat info {};
  if (::fstat(arquivo.fd, &info) != 0) FalhaAoLer(caminho, QString::fromLocal8Bit(std::strerror(errno)));
  if (!S_ISREG(info.st_mode)) FalhaAoLer(caminho, QStringLiteral("não é um arquivo comum"));
  jogo::TLeitorJogoIni leitor;
  char pedaco[64 * 1024];
  for (qint64 lidos = 0; !leitor.Completo() && lidos < kLimiteDeLeitura;) {
    const ssize_t n = ::read(arquivo.fd, pedaco, sizeof pedaco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FalhaAoLer(caminho, QString::fromLocal8Bit(std::strerror(errno)));
    if (n == 0) break;
    lidos += n;
    leitor.Acrescentar(std::string_view(pedaco, size_t(n)));
  }
  return ParaSlots(leitor.Candidatos());
}

QByteArray MontarConfiguracao(const TSlotsCandidatos& candidatos) {
  jogo::TCandidatosIni valores;
  for (size_t k = 0; k < candidatos.size(); ++k) {
    const TSlotCandidato& s = candidatos[k];
    const QString* const campos[] = {&s.foto, &s.nome, &s.descricao};
    // Checked here, in the file's order, for what UTF-8 cannot carry.
    for (int campo = 0; campo < 3; ++campo)
      if (!CabeNaConfiguracao(*campos[campo])) throw jogo::ValorQueNaoCabe(int(k) + 1, campo, Utf8(*campos[campo]));
    valores[k] = {Utf8(s.foto), Utf8(s.nome), Utf8(s.descricao)};
  }
  const std::string bytes = jogo::MontarJogoIni(valores);
  return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

void GravarConfiguracao(const QString& caminho, const TSlotsCandidatos& candidatos) {
  const QByteArray bytes = MontarConfiguracao(candidatos);
  // A named pipe, a device or a folder by that name is no place for the
  // candidates (and writing to it could block the exit for good); a link to
  // a plain file is written through, and a missing file is made.
  if (QFileInfo::exists(caminho) && !EArquivoComum(caminho))
    throw std::runtime_error("Não foi possível gravar \"" + Utf8(caminho) + "\": não é um arquivo comum");
  QSaveFile arquivo(caminho);
  // A writable file in a folder the player cannot write to (a shared or
  // installed folder) is written in place: the new file cannot be made
  // beside it. Qt keeps the permission bits and writes through a symbolic
  // link to its target either way.
  arquivo.setDirectWriteFallback(true);
  // Unbuffered: with a buffer, Qt 6.4 drops the error of a short write (a
  // full disk, a file size limit) while flushing and then commits the cut
  // file over the good one. Written directly, a short write shows in the
  // count returned, and the temporary file is discarded before the rename.
  if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw std::runtime_error("Não foi possível criar \"" + Utf8(caminho) + "\": " + Utf8(arquivo.errorString()));
  if (arquivo.write(bytes) != bytes.size() || arquivo.size() != bytes.size()) {
    const QString erro =
        arquivo.error() != QFileDevice::NoError ? arquivo.errorString() : QStringLiteral("gravação incompleta");
    arquivo.cancelWriting();
    throw std::runtime_error("Não foi possível gravar \"" + Utf8(caminho) + "\": " + Utf8(erro));
  }
  if (!arquivo.commit())
    throw std::runtime_error("Não foi possível gravar \"" + Utf8(caminho) + "\": " + Utf8(arquivo.errorString()));
}

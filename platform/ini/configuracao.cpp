#include "configuracao.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

// Qt hands this name to ICU, whose table maps the five bytes Windows leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the C1 controls of the same
// number and back, so they survive a read and a write.
constexpr const char* kCodificacao = "windows-1252";

QStringDecoder Decodificador() {
  QStringDecoder d(kCodificacao);
  if (!d.isValid()) throw std::runtime_error("Codificação windows-1252 indisponível no Qt (sem ICU)");
  return d;
}

QStringEncoder Codificador() {
  QStringEncoder e(kCodificacao);
  if (!e.isValid()) throw std::runtime_error("Codificação windows-1252 indisponível no Qt (sem ICU)");
  return e;
}

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

bool CabeEmWindows1252(const QString& texto) {
  if (texto.contains(QLatin1Char('\r')) || texto.contains(QLatin1Char('\n'))) return false;
  QStringEncoder codificador = Codificador();
  const QByteArray bytes = codificador.encode(texto);
  if (codificador.hasError()) return false;
  // A character stored through a fallback would come back as another one.
  QStringDecoder decodificador = Decodificador();
  const QString volta = decodificador.decode(bytes);
  return !decodificador.hasError() && volta == texto;
}

bool CabeNaConfiguracao(const QString& texto) {
  return texto.size() <= kTamanhoMaximoLinha && CabeEmWindows1252(texto);
}

namespace {

// Splits text into the first 19 lines as it comes, piece by piece, so a
// huge file is never held whole: CR LF, a lone CR and a lone LF each end a
// line, text after the last line end is a line of its own, and each line
// keeps at most its first 4096 characters.
class TDivisorLinhas {
 public:
  void Acrescentar(QStringView texto) {
    for (QChar c : texto) {
      if (linha_ >= kLinhasConfiguracao) return;
      if (depoisDeCr_) {
        depoisDeCr_ = false;
        if (c == QLatin1Char('\n')) continue;  // the LF of a CR LF pair
      }
      if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
        depoisDeCr_ = c == QLatin1Char('\r');
        ++linha_;
        continue;
      }
      if (linhas_[linha_].size() < kTamanhoMaximoLinha) linhas_[linha_] += c;
    }
  }

  TSlotsCandidatos Slots() const {
    TSlotsCandidatos candidatos;
    for (int k = 1; k <= 6; ++k) {
      candidatos[k - 1].foto = linhas_[3 * k - 2];
      candidatos[k - 1].nome = linhas_[3 * k - 1];
      candidatos[k - 1].descricao = linhas_[3 * k];
    }
    return candidatos;
  }

  bool Completo() const { return linha_ >= kLinhasConfiguracao; }

 private:
  std::array<QString, kLinhasConfiguracao> linhas_;
  int linha_ = 0;
  bool depoisDeCr_ = false;
};

}  // namespace

TSlotsCandidatos InterpretarConfiguracao(const QByteArray& conteudo) {
  QStringDecoder decodificador = Decodificador();
  TDivisorLinhas divisor;
  divisor.Acrescentar(QString(decodificador.decode(conteudo)));
  return divisor.Slots();
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
  QStringDecoder decodificador = Decodificador();
  TDivisorLinhas divisor;
  char pedaco[64 * 1024];
  for (qint64 lidos = 0; !divisor.Completo() && lidos < kLimiteDeLeitura;) {
    const ssize_t n = ::read(arquivo.fd, pedaco, sizeof pedaco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FalhaAoLer(caminho, QString::fromLocal8Bit(std::strerror(errno)));
    if (n == 0) break;
    lidos += n;
    divisor.Acrescentar(QString(decodificador.decode(QByteArrayView(pedaco, n))));
  }
  return divisor.Slots();
}

QByteArray MontarConfiguracao(const TSlotsCandidatos& candidatos) {
  QStringList linhas{QStringLiteral("0")};
  for (int k = 1; k <= 6; ++k) {
    const TSlotCandidato& s = candidatos[k - 1];
    const std::pair<const char*, const QString*> campos[] = {
        {"o caminho da foto", &s.foto}, {"o nome", &s.nome}, {"a descrição", &s.descricao}};
    for (const auto& [campo, valor] : campos) {
      if (!CabeNaConfiguracao(*valor))
        throw std::runtime_error("Não é possível gravar " + std::string(campo) + " do candidato " + std::to_string(k) +
                                 " em jogo.ini: \"" + Utf8(*valor) +
                                 "\" tem quebra de linha, caracteres fora de Windows-1252 ou mais de " +
                                 std::to_string(kTamanhoMaximoLinha) + " caracteres");
      linhas << *valor;
    }
  }
  QStringEncoder codificador = Codificador();
  QByteArray bytes;
  for (const QString& l : linhas) {
    bytes += codificador.encode(l);
    bytes += "\r\n";
  }
  return bytes;
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

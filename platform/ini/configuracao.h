#pragma once
// The settings file "jogo.ini" on the desktop's disk: a reserved line, then
// photo path, name and description of each of the six candidates, one value
// a line, in Windows-1252. The file's format is jogo/jogo_ini.h's; here are
// the safe reading and replacing of the file, in Qt's strings.

#include <QString>
#include <array>
#include <optional>

#include "jogo_ini.h"

struct TSlotCandidato {
  QString foto;  // full path of the photo; empty: the built-in placeholder
  QString nome;
  QString descricao;
  bool operator==(const TSlotCandidato&) const = default;
};

using TSlotsCandidatos = std::array<TSlotCandidato, 6>;

// Lines of the file: line 0 reserved, then three a slot.
inline constexpr int kLinhasConfiguracao = varzeno::jogo::kLinhasIni;
// A longer line is cut to this many characters when read.
inline constexpr int kTamanhoMaximoLinha = int(varzeno::jogo::kTamanhoMaximoLinhaIni);

// Reads the file. nullopt when there is none (the caller keeps the built-in
// candidates). Missing lines read as empty, lines after the last are ignored,
// CR LF, CR and LF each end a line; at most the first MiB is read. Throws
// std::runtime_error naming the file when it exists but cannot be read, or
// is not a plain file (a named pipe, a device, a folder): never blocks on one.
std::optional<TSlotsCandidatos> LerConfiguracao(const QString& caminho);

// Whether the path names a plain file, or a link to one.
bool EArquivoComum(const QString& caminho);

// The same, from the bytes of a file already read.
TSlotsCandidatos InterpretarConfiguracao(const QByteArray& conteudo);

// The bytes of the file for these candidatos: "0" then the 18 values, each line
// ended by CR LF. Throws std::runtime_error (jogo::TValorIni) if a value
// cannot be stored.
QByteArray MontarConfiguracao(const TSlotsCandidatos& candidatos);

// Replaces the file atomically (a temporary file beside it, then a rename),
// so a failure leaves the earlier file whole; where the folder does not let a
// file be made, writes the existing file in place. A symbolic link stays a
// link and its target is written; the permission bits stay. Anything but a
// plain file by that name is left alone. Throws std::runtime_error naming
// the file.
void GravarConfiguracao(const QString& caminho, const TSlotsCandidatos& candidatos);

// Whether every character of the text has a Windows-1252 byte that reads
// back as the same character, and the text holds no line break.
bool CabeEmWindows1252(const QString& texto);

// Whether the text can be a value of the file and read back unchanged:
// storable in Windows-1252 and no longer than a line may be. Serves the name
// boxes and a chosen photo path alike.
bool CabeNaConfiguracao(const QString& texto);

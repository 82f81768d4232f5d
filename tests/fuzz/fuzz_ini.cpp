// The settings file reader on any bytes; what it reads must write back and
// read again to the same slots.
#include <cstdlib>

#include "configuracao.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  const TSlotsCandidatos lidos = InterpretarConfiguracao(bytes);
  for (const TSlotCandidato& s : lidos)
    for (const QString* valor : {&s.foto, &s.nome, &s.descricao})
      if (!CabeNaConfiguracao(*valor)) std::abort();
  const QByteArray gravados = MontarConfiguracao(lidos);
  if (InterpretarConfiguracao(gravados) != lidos) std::abort();
  if (MontarConfiguracao(InterpretarConfiguracao(gravados)) != gravados) std::abort();
  return 0;
}

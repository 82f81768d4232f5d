#pragma once
// What the game asks of the sound system. Qt Multimedia, and the sound
// server's and codecs' libraries under it, live in a module loaded on the
// first sound: mapped at start they would cost the window about 3 MB and a
// millisecond before its first paint, for music that starts after it.

#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <functional>
#include <memory>

// One sound effect, reused: a new source cuts off the sound still playing.
class IEfeitoSonoro {
 public:
  virtual ~IEfeitoSonoro() = default;
  virtual void Tocar(const QUrl& fonte) = 0;  // returns at once
  virtual void Parar() = 0;
  virtual QUrl Fonte() const = 0;
  virtual bool Tocando() const = 0;
};

// A media player for one file at a time.
class IReprodutor {
 public:
  enum class TEstado {
    Invalido,    // the file could not be played, or no file
    Carregando,  // opened, not yet ready, not started
    Parado,
    Tocando,
    Pausado,
  };

  virtual ~IReprodutor() = default;
  virtual void Abrir(const QUrl& arquivo) = 0;  // reloads even the same file
  virtual void TocarDoInicio() = 0;
  virtual void Parar() = 0;
  virtual void Pausar() = 0;
  virtual void Fechar() = 0;
  virtual TEstado Estado() const = 0;
  virtual QString Erro() const = 0;  // empty while there is none

  // Called from the event loop, never from inside the media layer, once an
  // error has been reported.
  std::function<void()> AoErro;
};

class IFabricaDeSom {
 public:
  virtual ~IFabricaDeSom() = default;
  virtual std::unique_ptr<IEfeitoSonoro> CriarEfeito() = 0;
  virtual std::unique_ptr<IReprodutor> CriarReprodutor() = 0;
};

#define IFabricaDeSom_iid "io.github.varzeno.Varzeno.FabricaDeSom/1"
Q_DECLARE_INTERFACE(IFabricaDeSom, IFabricaDeSom_iid)

// The module's file name.
inline constexpr char kModuloDeSom[] = "varzeno-som.so";

// The module, loaded on the first call: from the path given below, beside
// the executable, or in the installed modules folder. Null when none loads;
// the reason is then in ErroDoModuloDeSom() and the game stays silent.
IFabricaDeSom* FabricaDeSom();
QString ErroDoModuloDeSom();
// The path of the module that loaded or would load, empty when none is found.
QString LocalizarModuloDeSom();

// A module to try before the others (the build tree's, for programs that do
// not live beside it).
void DefinirModuloDeSom(const QString& caminho);

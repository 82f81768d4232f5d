// The shared jogo.ini against the desktop's own (Qt) reader and writer:
// byte for byte the same file, each reading the other's.
#include <gtest/gtest.h>

#include "configuracao.h"
#include "jogo_ini.h"

using namespace varzeno::jogo;

TEST(JogoIniDesktop, SameBytesBothWays) {
  TSlotsCandidatos q;
  TCandidatosIni s;
  // Every character Windows-1252 holds, spread over the values.
  std::u32string todos;
  // The C1 controls are there only where Windows-1252 leaves the byte free.
  for (char32_t c = 0x20; c <= 0xFF; ++c)
    if (c != 0x7F && (c < 0x80 || c > 0x9F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)) todos += c;
  for (char32_t c : {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
                     0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
                     0x0153, 0x017E, 0x0178})
    todos += c;
  const QString qt = QString::fromUcs4(todos.data(), static_cast<qsizetype>(todos.size()));
  for (int k = 0; k < 6; ++k) {
    const QString foto = k % 2 ? QString() : QStringLiteral("/home/eu/fotos/%1.jpg").arg(k);
    const QString nome = qt.mid(k * 30, 30);
    const QString desc = qt.mid(180 + k * 5, 40);
    q[size_t(k)] = {foto, nome, desc};
    s[size_t(k)] = {foto.toStdString(), nome.toStdString(), desc.toStdString()};
  }
  const QByteArray doDesktop = MontarConfiguracao(q);
  const std::string daqui = MontarJogoIni(s);
  EXPECT_EQ(std::string(doDesktop.constData(), size_t(doDesktop.size())), daqui);
  EXPECT_EQ(InterpretarJogoIni(std::string(doDesktop.constData(), size_t(doDesktop.size()))), s);
  const TSlotsCandidatos lidos = InterpretarConfiguracao(QByteArray(daqui.data(), qsizetype(daqui.size())));
  EXPECT_EQ(lidos, q);
}

TEST(JogoIniDesktop, RefuseTheSameValues) {
  for (const char32_t c : {char32_t(0x80), char32_t(0x9F), char32_t(0x0100), char32_t(0x1F600), char32_t('\n')}) {
    const QString q = QStringLiteral("a") + QString::fromUcs4(&c, 1);
    EXPECT_EQ(CabeNaConfiguracao(q), CabeNoJogoIni(q.toStdString())) << uint32_t(c);
    EXPECT_FALSE(CabeNoJogoIni(q.toStdString())) << uint32_t(c);
  }
  EXPECT_TRUE(CabeNaConfiguracao(QStringLiteral("ação €")));
  EXPECT_TRUE(CabeNoJogoIni("ação €"));
}

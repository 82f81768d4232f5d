// The widgets' places: one table, which the desktop builds from and the
// page's stylesheet is written from.
#include "leiaute.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace varzeno::jogo;

static_assert(Lugar("btn").h == 26, "a place is known when the program is compiled");

TEST(Leiaute, EveryNameOnce) {
  std::set<std::string> nomes;
  for (const TLugar& l : kLeiaute) EXPECT_TRUE(nomes.insert(l.nome).second) << l.nome;
}

TEST(Leiaute, AnUnknownNameIsAnError) { EXPECT_THROW(Lugar("Label99"), std::out_of_range); }

TEST(Leiaute, TheStylesheetRulesSayWhatTheTableSays) {
  const std::string css = EstiloDoLeiaute();
  const auto tem = [&css](const std::string& linha) { return css.find(linha + "\n") != std::string::npos; };
  EXPECT_TRUE(tem("#Image4 { left: 355px; top: 160px; width: 118px; height: 26px; }"));
  EXPECT_TRUE(tem("#Label8 { left: 30px; top: 34px; font-size: 16px; }"));
  EXPECT_TRUE(tem("#Per1 { left: 588px; top: 7px; font-size: 11px; }"));
  EXPECT_TRUE(tem("#Dcan2 { left: 229px; top: 142px; width: 197px; height: 58px; font-size: 11px; }"));
  EXPECT_TRUE(tem(".corpo { left: 15px; top: 0px; width: 401px; font-size: 13px; }"));
  EXPECT_EQ(css.find("Form1"), std::string::npos) << "the window is the page's frame";
  // The frame's size, first, from the window's own place.
  EXPECT_EQ(css.rfind(":root { --largura-janela: 650px; --altura-janela: 198px; }\n", 0), 0u);
  size_t linhas = 0;
  for (char c : css) linhas += c == '\n';
  EXPECT_EQ(linhas, std::size(kLeiaute));
}

TEST(Leiaute, AScrollBoxsContentIsAsWideAsTheBoxLessItsBar) {
  EXPECT_EQ(Lugar("regrasConteudo").w, Lugar("ScrollBox1").w - 8);
  EXPECT_EQ(Lugar("candidatosConteudo").w, Lugar("ScrollBox2").w - 8);
  // The last description ends inside the candidates' content, 8 px above its end.
  EXPECT_EQ(Lugar("Dcan6").y + Lugar("Dcan6").h + 8, Lugar("candidatosConteudo").h);
}

TEST(Leiaute, TheWindowHoldsItsWidgets) {
  const TLugar& janela = Lugar("Form1");
  for (const char* nome : {"Imp", "Fim", "Image9", "Abook", "Trava1", "Trava4", "Image4", "Can7", "formDialog"}) {
    const TLugar& l = Lugar(nome);
    EXPECT_LE(l.x + l.w, janela.w) << nome;
    EXPECT_LE(l.y + l.h, janela.h) << nome;
  }
}

// The hand-written stylesheet places none of the table's widgets itself, so
// the table stays the only place to move one.
TEST(Leiaute, TheHandWrittenStylesheetLeavesThePlacesToTheTable) {
  std::ifstream f(VARZENO_FONTES "/web/site/estilo.css");
  ASSERT_TRUE(f) << "web/site/estilo.css";
  std::stringstream ss;
  ss << f.rdbuf();
  const std::string css = ss.str();
  size_t marcas = 0;
  for (size_t p = css.find("/* leiaute */\n"); p != std::string::npos; p = css.find("/* leiaute */\n", p + 1)) ++marcas;
  EXPECT_EQ(marcas, 1u) << "the line the places are written in at";

  // A place is left, top, width and height; the lettering's height too where
  // the table gives one (a picture button may set its text's size to none).
  const std::regex regra(R"(([^{}]+)\{([^{}]*)\})");
  const std::regex lugar(R"((^|[;\s])(left|top|width|height)\s*:)");
  const std::regex fonte(R"((^|[;\s])font-size\s*:)");
  for (auto it = std::sregex_iterator(css.begin(), css.end(), regra); it != std::sregex_iterator(); ++it) {
    const std::string seletores = (*it)[1], corpo = (*it)[2];
    const bool temLugar = std::regex_search(corpo, lugar), temFonte = std::regex_search(corpo, fonte);
    if (!temLugar && !temFonte) continue;
    for (const TLugar& l : kLeiaute) {
      if (!l.pagina || (!temLugar && !l.fonte)) continue;
      const std::string nome = l.nome[0] == '.' ? l.nome : "#" + std::string(l.nome);
      // The selector is the widget itself: its name whole, not a part of it.
      const std::regex so("(^|,)\\s*" + std::regex_replace(nome, std::regex(R"([.#])"), R"(\$&)") + "\\s*(,|$)");
      EXPECT_FALSE(std::regex_search(seletores, so)) << "estilo.css places " << nome << " itself: " << seletores;
    }
  }
}

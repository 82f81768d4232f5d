// Where every widget of the window sits, and how large it is: the one table
// the desktop builds its widgets from and the page's stylesheet is written
// from when the site is built (see EstiloDoLeiaute).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "textos.h"

namespace varzeno::jogo {

struct TLugar {
  const char* nome;  // the widget's name, which is also the page's id; ".x" names a kind (the page's class x)
  int x, y;          // in its parent: the window, a page, a scroll box's content or the message
  int w, h;          // 0: as its text needs (a kind's own widgets may say)
  int fonte;         // the lettering's height in pixels; 0: none of its own
  bool pagina;       // the page's stylesheet places it (the window itself is the page's frame)
};

inline constexpr TLugar kLeiaute[] = {
    // The window, on the screen, and what sits in it.
    {"Form1", 192, 107, 650, 198, 0, false},
    {"Imp", 0, 0, 650, 198, 0, true},
    {"Fim", 630, 25, 12, 8, 0, true},
    {"Image9", 456, 8, 23, 39, 0, true},
    {"Abook", 4, 6, 475, 186, 0, true},
    // The week: the option marks, their texts, the weeks left, the confirm.
    {"Trava1", 13, 60, 11, 11, 0, true},
    {"Trava2", 13, 89, 11, 11, 0, true},
    {"Trava3", 13, 118, 11, 11, 0, true},
    {"Trava4", 13, 143, 11, 11, 0, true},
    {"Label2", 35, 60, 0, 0, 12, true},
    {"Label3", 35, 88, 0, 0, 12, true},
    {"Label4", 35, 117, 0, 0, 12, true},
    {"Label9", 35, 142, 0, 0, 12, true},
    {"Label8", 30, 34, 0, 0, 16, true},
    {"Image4", 355, 160, 118, 26, 0, true},
    // The status panel.
    {"Can1", 508, 7, 76, 14, 11, true},
    {"Per1", 588, 7, 0, 0, 11, true},
    {"Can2", 508, 22, 76, 14, 11, true},
    {"Per2", 588, 22, 0, 0, 11, true},
    {"Can3", 508, 37, 76, 14, 11, true},
    {"Per3", 588, 37, 0, 0, 11, true},
    {"Can4", 508, 52, 76, 14, 11, true},
    {"Per4", 588, 52, 0, 0, 11, true},
    {"Can5", 508, 67, 76, 14, 11, true},
    {"Per5", 588, 67, 0, 0, 11, true},
    {"Can6", 508, 82, 76, 14, 11, true},
    {"Per6", 588, 82, 0, 0, 11, true},
    {"Can7", 508, 97, 76, 14, 11, true},
    {"Per7", 588, 97, 0, 0, 11, true},
    {"Label14", 508, 126, 0, 0, 11, true},
    {"Label5", 508, 142, 0, 0, 11, true},
    {"Label6", 508, 158, 0, 0, 11, true},
    {"Label7", 508, 174, 0, 0, 11, true},
    {"Label10", 562, 142, 0, 0, 11, true},
    {"Label11", 588, 158, 0, 0, 11, true},
    {"Label12", 585, 174, 0, 0, 11, true},
    // The title page.
    {"Image1", 0, 0, 475, 186, 0, true},
    {"Label39", 410, 55, 59, 14, 11, true},
    // The arrows between the pages.
    {"bt1", 5, 170, 25, 11, 0, true},
    {"bt2", 445, 170, 25, 11, 0, true},
    {"bt3", 5, 170, 25, 11, 0, true},
    {"bt4", 445, 170, 25, 11, 0, true},
    {"bt5", 5, 170, 25, 11, 0, true},
    // The rules page, its content (as wide as the box less its 8 px bar) and
    // the link; its headings' and bodies' tops and heights are in kRegras.
    {".titulo", 0, 0, 0, 0, 16, true},
    {".corpo", 15, 0, 401, 0, 13, true},
    {"ScrollBox1", 20, 5, 436, 161, 0, true},
    {"regrasConteudo", 0, 0, 428, kTopoLeiaMais + 23 + 25 + 8, 0, true},
    {"Label36", 110, kTopoLeiaMais + 23, 196, 25, 12, true},
    // The candidates page: the scroll box, its content (as wide as the box
    // less its 8 px bar), and the six slots
    // (photo, camera, name, description).
    {"ScrollBox2", 20, 5, 436, 161, 0, true},
    {"candidatosConteudo", 0, 0, 428, 501 + 58 + 8, 0, true},
    {"Label34", 0, 0, 0, 0, 16, true},
    {"Fcan1", 15, 42, 89, 89, 0, true},
    {"Mq1", 110, 73, 38, 31, 0, true},
    {"Ncan1", 110, 110, 98, 14, 11, true},
    {"Dcan1", 15, 142, 191, 58, 11, true},
    {"Fcan2", 229, 42, 89, 89, 0, true},
    {"Mq2", 325, 73, 38, 31, 0, true},
    {"Ncan2", 325, 110, 98, 14, 11, true},
    {"Dcan2", 229, 142, 197, 58, 11, true},
    {"Fcan3", 15, 220, 89, 89, 0, true},
    {"Mq3", 110, 253, 38, 31, 0, true},
    {"Ncan3", 110, 290, 98, 14, 11, true},
    {"Dcan3", 15, 322, 196, 58, 11, true},
    {"Fcan4", 229, 220, 89, 89, 0, true},
    {"Mq4", 325, 253, 38, 31, 0, true},
    {"Ncan4", 325, 291, 98, 14, 11, true},
    {"Dcan4", 229, 323, 192, 58, 11, true},
    {"Fcan5", 15, 400, 89, 89, 0, true},
    {"Mq5", 110, 434, 38, 31, 0, true},
    {"Ncan5", 110, 470, 98, 14, 11, true},
    {"Dcan5", 15, 501, 191, 58, 11, true},
    {"Fcan6", 229, 400, 89, 89, 0, true},
    {"Mq6", 325, 434, 38, 31, 0, true},
    {"Ncan6", 325, 471, 98, 14, 11, true},
    {"Dcan6", 229, 501, 192, 58, 11, true},
    // The opponents page.
    {"Image2", 10, 12, 89, 89, 0, true},
    {"lblNomeJog", 105, 18, 0, 0, 13, true},
    {"Label19", 107, 64, 69, 37, 12, true},
    {"Dig", 185, 62, 17, 29, 0, true},
    {"UpDown1", 206, 64, 10, 27, 0, true},
    {"Image3", 350, 150, 118, 26, 0, true},
    // The chart page.
    {"Label13", 146, 8, 0, 0, 16, true},
    {"imgNomes", 8, 32, 105, 145, 0, true},
    {"imgGraf", 120, 32, 336, 102, 0, true},
    {"imgBtn", 248, 144, 75, 26, 0, true},
    // The message, over the window, and what sits in it.
    {"formDialog", 209, 66, 270, 120, 0, true},
    {"lblMensagem", 16, 16, 241, 57, 15, true},
    {"btn", 98, 80, 75, 26, 0, true},
};

// The place of the widget so named; an unknown name is a programming error
// (at compile time where the call is constant).
constexpr const TLugar& Lugar(std::string_view nome) {
  for (const TLugar& l : kLeiaute)
    if (nome == l.nome) return l;
  throw std::out_of_range("no place for this widget");
}

// The page's stylesheet rules for the table's widgets, one line each:
// "#Image4 { left: 355px; top: 160px; width: 118px; height: 26px; }"; a size
// or lettering the table leaves at 0 is not written.
std::string EstiloDoLeiaute();

}  // namespace varzeno::jogo

#pragma once
// What the game says aloud to a screen reader on request (the keys of
// Unit1_teclado): the poll in rank order and where the campaign stands.

#include <QString>

class TForm1;

QString FalaDaPesquisa(const TForm1& f);
QString FalaDaSituacao(const TForm1& f);

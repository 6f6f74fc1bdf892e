#include "app/tavisco.h"

// Region folders: the buttons choose the folder the archive table shows, the menu items move a game.
void TForm1::SpeedButton1Click(TObject*) { }
void TForm1::SpeedButton2Click(TObject*) { }
void TForm1::SpeedButton3Click(TObject*) { }
void TForm1::SpeedButton4Click(TObject*) { }
void TForm1::MovetoUSA1Click(TObject*) { }
void TForm1::movetoEUR1Click(TObject*) { }
void TForm1::movetoJAP1Click(TObject*) { }
void TForm1::movetoINT1Click(TObject*) { }

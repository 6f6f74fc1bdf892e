#include "app/tavisco.h"

// The game list report.
void TForm1::GenerateRomlist1Click(TObject*) { }
void TForm1::GenerateRomlist2Click(TObject*) { }

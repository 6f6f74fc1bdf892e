#include "app/tavisco.h"

// The game info and cheat text editors.
void TForm1::b5Click(TObject*) { }
void TForm1::ViewEditZCC1Click(TObject*) { }
void TForm1::Button3Click(TObject*) { }
void TForm1::Button4Click(TObject*) { }
void TForm1::Button5Click(TObject*) { }
void TForm1::Button6Click(TObject*) { }

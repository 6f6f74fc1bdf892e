#include "app/tavisco.h"

void TForm1::b5Click(TObject*)
{
}

#include "app/tavisco.h"

void TForm1::b1Click(TObject*)
{
}

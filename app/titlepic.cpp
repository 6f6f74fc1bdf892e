// SPDX-License-Identifier: MIT
#include "app/titlepic.h"

TForm2::TForm2()
    : tk::TForm("Form2")
{
    SetBorderStyle(tk::bsNone);
    SetFormStyle(tk::fsStayOnTop);
    SetPosition(tk::poScreenCenter);
    SetAutoSize(true);
    SetColor(tk::clBtnFace);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetBounds(0, 0, 400, 80);

    pic = new tk::TImage(this, "pic");
    pic->SetBounds(0, 0, 400, 80);
    pic->SetAutoSize(true);
    pic->Picture().Bitmap().LoadFromResource("splash.bmp");

    ver = new tk::TLabel(this, "ver");
    ver->SetBounds(4, 64, 0, 0);
    ver->Font().SetName("Arial");
    ver->Font().SetHeight(-11);
    ver->Font().SetColor(tk::clWhite);
    ver->SetTransparent(true);
    ver->SetCaption("");
}

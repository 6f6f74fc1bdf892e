// Which handler each component event runs.
#include "app/tavisco.h"

using namespace tk;

namespace {

template <class Form>
TNotifyEvent notify(Form* form, void (Form::*handler)(TObject*))
{
    return [form, handler](TObject* sender) { (form->*handler)(sender); };
}

template <class Form>
TMouseEvent mouse(Form* form, void (Form::*handler)(TObject*, TMouseButton, TShiftState, int, int))
{
    return [form, handler](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
        (form->*handler)(sender, b, s, x, y);
    };
}

}

void TForm1::WireEvents()
{
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };

    cls->OnClick = notify(this, &TForm1::clsClick);
    ddmode->OnClick = notify(this, &TForm1::ddmodeClick);
    button2->OnClick = notify(this, &TForm1::Button2Click);
    pic->OnClick = notify(this, &TForm1::picClick);
    Image5->OnClick = notify(this, &TForm1::Image5Click);
    Image6->OnClick = notify(this, &TForm1::Image6Click);

    disk->OnClick = notify(this, &TForm1::diskClick);
    disk->OnDblClick = notify(this, &TForm1::diskDblClick);
    disk->OnMouseDown = mouse(this, &TForm1::diskMouseDown);
    zip->OnClick = notify(this, &TForm1::zipClick);
    zip->OnMouseDown = mouse(this, &TForm1::zipMouseDown);

    b1->OnClick = notify(this, &TForm1::b1Click);
    b2->OnClick = notify(this, &TForm1::b2Click);
    b3->OnClick = notify(this, &TForm1::b3Click);
    b4->OnClick = notify(this, &TForm1::b4Click);
    b5->OnClick = notify(this, &TForm1::b5Click);
    b6->OnClick = notify(this, &TForm1::b6Click);
    ClearZipDisk1->OnClick = notify(this, &TForm1::ClearZipDisk1Click);
    Updateall1->OnClick = notify(this, &TForm1::Updateall1Click);
    m3->OnClick = notify(this, &TForm1::b3Click);
    Updateall2->OnClick = notify(this, &TForm1::Updateall1Click);
    m2->OnClick = notify(this, &TForm1::b2Click);
    m6->OnClick = notify(this, &TForm1::b6Click);
    DeleteAll1->OnClick = notify(this, &TForm1::ClearZipDisk1Click);
    m1->OnClick = notify(this, &TForm1::b1Click);
    m5->OnClick = notify(this, &TForm1::b5Click);
    m4->OnClick = notify(this, &TForm1::b4Click);
    Setcategory1->OnClick = notify(this, &TForm1::Setcategory1Click);

    diskrefresh->OnClick = notify(this, &TForm1::diskrefreshClick);
    ziprefresh->OnClick = notify(this, &TForm1::ziprefreshClick);
    sysmem->OnChange = notify(this, &TForm1::sysmemChange);

    zipdrive->OnChange = notify(this, &TForm1::zipdriveChange);
    ramdir->OnChange = notify(this, &TForm1::ramdirChange);
    romdir->OnChange = notify(this, &TForm1::romdirChange);
    Button1->OnClick = notify(this, &TForm1::Button1Click);

    Timer1->OnTimer = notify(this, &TForm1::Timer1Timer);
    Timer2->OnTimer = notify(this, &TForm1::Timer2Timer);
    Timer3->OnTimer = notify(this, &TForm1::Timer3Timer);
}

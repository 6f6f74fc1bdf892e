// SPDX-License-Identifier: MIT
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
TMouseMoveEvent moved(Form* form, void (Form::*handler)(TObject*, TShiftState, int, int))
{
    return [form, handler](TObject* sender, TShiftState s, int x, int y) { (form->*handler)(sender, s, x, y); };
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
    OnMouseMove = moved(this, &TForm1::FormMouseMove);

    // Chrome and help mode.
    hcap->OnClick = notify(this, &TForm1::hcapClick);
    hcap2->OnClick = notify(this, &TForm1::hcapClick);
    Label8->OnClick = notify(this, &TForm1::Label8Click);
    Label14->OnClick = notify(this, &TForm1::Button7Click);
    Image4->OnMouseDown = mouse(this, &TForm1::Image4MouseDown);
    Image4->OnMouseMove = moved(this, &TForm1::Image4MouseMove);
    Image4->OnMouseUp = mouse(this, &TForm1::Image4MouseUp);
    nlogo->OnMouseDown = mouse(this, &TForm1::nlogoMouseDown);
    nlogo->OnMouseMove = moved(this, &TForm1::nlogoMouseMove);
    nlogo->OnMouseUp = mouse(this, &TForm1::nlogoMouseUp);
    ddmode->OnMouseMove = moved(this, &TForm1::ddmodeMouseMove);
    cls->OnMouseMove = moved(this, &TForm1::clsMouseMove);
    button2->OnMouseMove = moved(this, &TForm1::button2MouseMove);
    pic->OnMouseMove = moved(this, &TForm1::picMouseMove);
    Image5->OnMouseMove = moved(this, &TForm1::Image5MouseMove);
    disk->OnMouseMove = moved(this, &TForm1::diskMouseMove);
    zip->OnMouseMove = moved(this, &TForm1::zipMouseMove);
    Panel1->OnMouseMove = moved(this, &TForm1::Panel1MouseMove);
    arefresh->OnMouseMove = moved(this, &TForm1::arefreshMouseMove);
    romdir->OnMouseMove = moved(this, &TForm1::romdirMouseMove);
    b1->OnMouseMove = moved(this, &TForm1::b1MouseMove);
    b2->OnMouseMove = moved(this, &TForm1::b2MouseMove);
    b3->OnMouseMove = moved(this, &TForm1::b3MouseMove);
    b4->OnMouseMove = moved(this, &TForm1::b4MouseMove);
    b5->OnMouseMove = moved(this, &TForm1::b5MouseMove);
    b6->OnMouseMove = moved(this, &TForm1::b6MouseMove);
    Timer4->SetOnTimer(notify(this, &TForm1::Timer4Timer));

    // Sorting and type-to-find.
    tk::TLabel* headers[] = { c1, c2, c3, c4, c5, c6, c7 };
    void (TForm1::*sorts[])(TObject*) = { &TForm1::c1Click, &TForm1::c2Click, &TForm1::c3Click, &TForm1::c4Click,
        &TForm1::c5Click, &TForm1::c6Click, &TForm1::c7Click };
    for (int i = 0; i < 7; ++i) {
        headers[i]->OnClick = notify(this, sorts[i]);
        headers[i]->OnMouseMove = moved(this, &TForm1::c1MouseMove);
    }
    disk->OnKeyPress = [this](TObject* sender, char& key) { diskKeyPress(sender, key); };

    // Category panel; Enter and Esc press its Default and Cancel buttons while it is shown.
    catlist->OnClick = notify(this, &TForm1::catlistClick);
    catlist->OnDblClick = notify(this, &TForm1::catlistDblClick);
    BitBtn1->OnClick = notify(this, &TForm1::BitBtn1Click);
    BitBtn2->OnClick = notify(this, &TForm1::BitBtn2Click);

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

    // Region folders.
    SpeedButton1->OnClick = notify(this, &TForm1::SpeedButton1Click);
    SpeedButton2->OnClick = notify(this, &TForm1::SpeedButton2Click);
    SpeedButton3->OnClick = notify(this, &TForm1::SpeedButton3Click);
    SpeedButton4->OnClick = notify(this, &TForm1::SpeedButton4Click);
    MovetoUSA1->OnClick = notify(this, &TForm1::MovetoUSA1Click);
    movetoEUR1->OnClick = notify(this, &TForm1::movetoEUR1Click);
    movetoJAP1->OnClick = notify(this, &TForm1::movetoJAP1Click);
    movetoINT1->OnClick = notify(this, &TForm1::movetoINT1Click);

    // Editors, game list, about links.
    ViewEditZCC1->OnClick = notify(this, &TForm1::ViewEditZCC1Click);
    Button3->OnClick = notify(this, &TForm1::Button3Click);
    Button4->OnClick = notify(this, &TForm1::Button4Click);
    Button5->OnClick = notify(this, &TForm1::Button5Click);
    Button6->OnClick = notify(this, &TForm1::Button6Click);
    GenerateRomlist1->OnClick = notify(this, &TForm1::GenerateRomlist1Click);
    GenerateRomlist2->OnClick = notify(this, &TForm1::GenerateRomlist2Click);
    CorvaneURLLabel1->OnClick = notify(this, &TForm1::CorvaneURLLabel1Click);
    CorvaneURLLabel2->OnClick = notify(this, &TForm1::CorvaneURLLabel2Click);
    CorvaneURLLabel3->OnClick = notify(this, &TForm1::CorvaneURLLabel3Click);
    CorvaneURLLabel4->OnClick = notify(this, &TForm1::CorvaneURLLabel4Click);
    // A click on a logo runs its label's handler and, as a user expects, opens that label's address.
    auto logo = [this](void (TForm1::*handler)(TObject*), TCorvaneURLLabel* link) {
        return [this, handler, link](TObject* sender) {
            (this->*handler)(sender);
            link->OpenUrl();
        };
    };
    Image7->OnClick = logo(&TForm1::CorvaneURLLabel2Click, CorvaneURLLabel2);
    Image8->OnClick = logo(&TForm1::CorvaneURLLabel4Click, CorvaneURLLabel4);
    Image9->OnClick = logo(&TForm1::CorvaneURLLabel3Click, CorvaneURLLabel3);

    Timer1->SetOnTimer(notify(this, &TForm1::Timer1Timer));
    Timer2->SetOnTimer(notify(this, &TForm1::Timer2Timer));
    Timer3->SetOnTimer(notify(this, &TForm1::Timer3Timer));
}

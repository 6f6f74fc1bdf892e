// SPDX-License-Identifier: MIT
// The main window as data: every component, area by area, in z-order, then the event wiring.
#include "app/tavisco.h"

using namespace tk;

namespace {

template <class T>
T* make(TWinControl* parent, const char* name, int left, int top, int width, int height)
{
    auto* c = new T(parent, name);
    c->SetBounds(left, top, width, height);
    return c;
}

void setFont(TControl* c, const char* face, int height, TFontStyles style, TColor color)
{
    c->Font().SetName(face);
    c->Font().SetHeight(height);
    c->Font().SetStyle(style);
    c->Font().SetColor(color);
}

TLabel* label(TWinControl* parent, const char* name, TRect r, const char* caption, TAlignment alignment = taLeftJustify)
{
    auto* l = make<TLabel>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    l->SetAutoSize(false);
    l->SetAlignment(alignment);
    l->SetCaption(caption);
    return l;
}

TImage* picture(TWinControl* parent, const char* name, TRect r, const char* resource, bool stretch = false)
{
    auto* image = make<TImage>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    image->SetStretch(stretch);
    if (resource)
        image->Picture().Bitmap().LoadFromResource(resource);
    return image;
}

TSpeedButton* flatButton(TWinControl* parent, const char* name, TRect r, const char* glyph)
{
    auto* button = make<TSpeedButton>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    button->SetFlat(true);
    button->Glyph().LoadFromResource(glyph);
    return button;
}

TBitBtn* glyphButton(TWinControl* parent, const char* name, TRect r, const char* glyph)
{
    auto* button = make<TBitBtn>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    button->SetTabStop(false);
    button->Glyph().LoadFromResource(glyph);
    return button;
}

TPanel* panel(TWinControl* parent, const char* name, TRect r, TPanelBevel bevel, TColor color, const char* caption = "")
{
    auto* p = make<TPanel>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    p->SetBevelOuter(bevel);
    p->SetColor(color);
    p->SetCaption(caption);
    return p;
}

TPanel* messagePanel(TWinControl* parent, const char* name, TRect r, const char* caption, TColor color)
{
    auto* p = panel(parent, name, r, bvNone, clBlack, caption);
    setFont(p, "Arial", -21, fsBold, color);
    p->Hide();
    return p;
}

TMemo* hiddenList(TWinControl* parent, const char* name, TRect r, std::vector<std::string> lines)
{
    auto* memo = make<TMemo>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    memo->SetWordWrap(false);
    memo->Lines().SetLines(std::move(lines));
    memo->Hide();
    return memo;
}

// The tables have no fixed cells, so their fixed-cell colours have nothing to colour.
TStringGrid* table(TWinControl* parent, const char* name, TRect r, TGridOptions lines)
{
    auto* grid = make<TStringGrid>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    grid->SetColCount(7);
    const int widths[] = { 144, 65, 38, 64, 80, 116, 29 };
    for (int col = 0; col < 7; ++col)
        grid->SetColWidth(col, widths[col]);
    grid->SetRowCount(1);
    grid->SetDefaultRowHeight(16);
    grid->SetGridLineWidth(1);
    grid->SetOptions(lines | goRowSelect);
    grid->SetColor(clBlack);
    setFont(grid, "Arial", -11, 0, clSilver);
    grid->SetTabStop(false);
    return grid;
}

TTimer* timer(TComponent* owner, const char* name, int interval, bool enabled)
{
    auto* t = new TTimer(owner, name);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetEnabled(enabled);
    return t;
}

}

void TForm1::BuildLayout()
{
    SetBorderStyle(bsNone);
    SetColor(clBlack);
    setFont(this, "Arial", -11, 0, clWindowText);
    SetCaption("-");
    SetBounds(0, 0, 930, 611);

    // Area 1: top bar.
    hcap = label(this, "hcap", Bounds(0, -1, 23, 29), "?", taCenter);
    setFont(hcap, "Arial", -24, fsBold, clBlue);
    hcap2 = label(this, "hcap2", Bounds(0, -1, 23, 29), "?", taCenter);
    setFont(hcap2, "Arial", -24, fsBold, clYellow);
    hcap2->Hide();
    Label8 = label(this, "Label8", Bounds(118, 3, 51, 17), "About", taCenter);
    setFont(Label8, "Arial", -15, fsBold | fsItalic, clBlue);
    ddmode = label(this, "ddmode", Bounds(6, 30, 161, 15), "Doubleclick");
    setFont(ddmode, "Arial", -12, fsBold, clSilver);
    Image4 = picture(this, "Image4", Bounds(168, 1, 563, 48), "banner.bmp");
    cls = glyphButton(this, "cls", Bounds(713, 1, 16, 61), "close.bmp");

    // Area 2: left column, bottom to top.
    button2 = label(this, "button2", Bounds(0, 50, 161, 15), "Select Drives && Directorys", taCenter);
    setFont(button2, "Arial", -12, fsBold | fsItalic, clBlue);
    box = picture(this, "box", Bounds(20, 369, 160, 120), nullptr, true);
    pic = picture(this, "pic", Bounds(4, 230, 160, 112), nullptr, true);
    Image1 = picture(this, "Image1", Bounds(4, 104, 160, 120), "console.bmp");
    Image1->SetAutoSize(true);
    tk::TLabel** lines[] = { &l1, &l2, &l3, &l4, &l5, &l6, &l7, &l8, &l9 };
    for (int k = 0; k < 9; ++k) {
        std::string name = "l" + std::to_string(k + 1);
        auto* line = label(this, name.c_str(), Bounds(13, 114 + 11 * k, 142, 11), "l1");
        setFont(line, "Tahoma", -9, 0, clLime);
        line->SetColor(4259584);
        line->SetTransparent(true);
        line->SetShowAccelChar(false);
        *lines[k] = line;
    }
    testpic = picture(this, "testpic", Bounds(20, 370, 160, 120), "testcard.bmp");
    testpic->Hide();
    SpeedButton1 = flatButton(this, "SpeedButton1", Bounds(6, 76, 35, 23), "flag_usa.bmp");
    SpeedButton2 = flatButton(this, "SpeedButton2", Bounds(46, 76, 35, 23), "flag_eur.bmp");
    SpeedButton3 = flatButton(this, "SpeedButton3", Bounds(86, 76, 35, 23), "flag_jap.bmp");
    SpeedButton4 = flatButton(this, "SpeedButton4", Bounds(126, 76, 35, 23), "flag_int.bmp");
    SpeedButton5 = flatButton(this, "SpeedButton5", Bounds(0, 349, 199, 159), "tv.bmp");
    SpeedButton5->Glyph().SetTransparentColor(clBlack);
    SpeedButton5->Glyph().SetTransparent(true);
    Image5 = picture(this, "Image5", Bounds(0, 349, 199, 159), nullptr);
    Image6 = picture(this, "Image6", Bounds(176, 485, 16, 16), nullptr);
    Image6->SetCursor(crHandPoint);

    // Area 3: archive table.
    const struct { tk::TLabel** field; const char* name; int left, width; const char* caption; } headers[] = {
        { &c1, "c1", 168, 147, "Title" }, { &c2, "c2", 314, 54, "Country" }, { &c3, "c3", 368, 52, "Size" },
        { &c4, "c4", 419, 66, "Category" }, { &c5, "c5", 484, 82, "Files" },
        { &c6, "c6", 565, 118, "RomFilename" }, { &c7, "c7", 682, 30, "ID" },
    };
    for (const auto& h : headers) {
        *h.field = label(this, h.name, Bounds(h.left, 48, h.width, 15), h.caption, taCenter);
        setFont(*h.field, "Arial", -12, fsBold | fsItalic, clSilver);
    }
    disks = panel(this, "disks", Bounds(169, 63, 561, 256), bvNone, clSilver);
    disk = table(this, "disk", Bounds(170, 64, 542, 254), goHorzLine);
    Panel1 = panel(this, "Panel1", Bounds(713, 64, 16, 254), bvNone, clBlack);
    nlogo = picture(Panel1, "nlogo", Bounds(0, 0, 17, 17), "nlogo.bmp");
    getrominf = messagePanel(this, "getrominf", Bounds(296, 164, 313, 57), "Getting ROM-Information...", clGreen);

    // Area 4: button row.
    b1 = glyphButton(this, "b1", Bounds(170, 322, 88, 24), "b1.bmp");
    b3 = glyphButton(this, "b3", Bounds(263, 322, 88, 24), "b3.bmp");
    b5 = glyphButton(this, "b5", Bounds(357, 322, 88, 24), "b5.bmp");
    b4 = glyphButton(this, "b4", Bounds(451, 322, 88, 24), "b4.bmp");
    b2 = glyphButton(this, "b2", Bounds(545, 322, 88, 24), "b2.bmp");
    b6 = glyphButton(this, "b6", Bounds(639, 322, 88, 24), "b6.bmp");

    // Area 5: Zip table.
    zips = panel(this, "zips", Bounds(202, 351, 512, 154), bvNone, clSilver);
    zip = table(this, "zip", Bounds(203, 352, 510, 152), 0);
    fully = make<TLabelEffect>(this, "fully", 698, 348, 30, 160);
    fully->SetCaption("256 Mbit");
    fully->SetDepthHighlight(0);
    fully->SetDepthShadow(0);
    fully->SetEffectStyle(esCustom);
    fully->SetGraduateFrom(clWindowText);
    setFont(fully, "Arial", -11, 0, clSilver);
    fully->SetTransparent(true);
    fully->SetAngle(270);
    full = make<TGauge>(this, "full", 716, 394, 13, 112);
    full->SetKind(gkVerticalBar);
    full->SetMinValue(0);
    full->SetMaxValue(ZipDiskCapacity);
    full->SetProgress(0);
    full->SetShowText(false);
    full->SetBorderStyle(bsSingleBorder);
    full->SetBackColor(clGray);
    full->SetForeColor(8404992);
    getrominf2 = messagePanel(this, "getrominf2", Bounds(297, 405, 313, 57), "Getting ROM-Information...", clGreen);
    nozip = messagePanel(this, "nozip", Bounds(297, 405, 313, 57), "Insert a Zipdisc", clMaroon);

    // Area 6: parked and hidden components.
    pic_nopic = picture(this, "pic_nopic", Bounds(781, 429, 84, 60), "nopic.bmp");
    pic_noart = picture(this, "pic_noart", Bounds(821, 424, 108, 65), "noart.bmp");
    rausch = picture(this, "rausch", Bounds(837, 429, 84, 60), "noise1.bmp");
    rausch2 = picture(this, "rausch2", Bounds(837, 405, 84, 60), "noise2.bmp");
    for (auto* hidden : { pic_nopic, pic_noart, rausch, rausch2 })
        hidden->Hide();
    romdirlabel = label(this, "romdirlabel", Bounds(748, 329, 133, 14), "", taCenter);
    setFont(romdirlabel, "Arial", -11, 0, clMaroon);
    romdirlabel->Hide();
    diskrefresh = flatButton(this, "diskrefresh", Bounds(786, 9, 25, 24), "diskrefresh.bmp");
    diskrefresh->Hide();
    ziprefresh = glyphButton(this, "ziprefresh", Bounds(742, 406, 23, 22), "ziprefresh.bmp");
    ziprefresh->SetNumGlyphs(2);
    ziprefresh->Hide();
    arefresh = make<TCheckBox>(this, "arefresh", 820, 8, 93, 25);
    arefresh->SetCaption("Autorefresh");
    arefresh->SetChecked(true);
    arefresh->SetColor(clBlack);
    setFont(arefresh, "Arial", -11, 0, clSilver);
    arefresh->SetTabStop(false);
    arefresh->Hide();

    // Hidden string lists and the file list.
    fileinfo = hiddenList(this, "fileinfo", Bounds(752, 472, 161, 89),
        { "ABCDEFGHIJKLMNOPQRST", "Germany", "256 MBit", "Adventure", "EEP,RAM,IPS", "ABCDEFGH.V64" });
    list = hiddenList(this, "list", Bounds(784, 488, 185, 89), { "list" });
    sysmem = hiddenList(this, "sysmem", Bounds(744, 488, 153, 89), { "sysmem" });
    ini = hiddenList(this, "ini", Bounds(768, 472, 161, 89), { "z:\\", "c:\\", "c:\\", "0", "0" });
    filelist = make<TFileListBox>(this, "filelist", 760, 464, 161, 89);
    filelist->SetItemHeight(14);
    filelist->SetMask(ImageMask);
    filelist->Hide();

    BuildDrivePanel();
    BuildCategoryPanel();
    BuildInfoPanel();
    BuildCheatPanel();
    BuildAboutPanel();
    BuildMenus();

    Timer1 = timer(this, "Timer1", 100, true);
    Timer2 = timer(this, "Timer2", 1000, false);
    Timer3 = timer(this, "Timer3", 250, false);
    Timer4 = timer(this, "Timer4", 500, false);
}

void TForm1::BuildDrivePanel()
{
    zipram = panel(this, "zipram", Bounds(0, 0, 164, 502), bvRaised, clBtnFace);
    zipram->Hide();
    auto heading = [this](const char* name, TRect r, const char* caption) {
        auto* l = label(zipram, name, r, caption, taCenter);
        setFont(l, "Arial", -16, fsBold, clWindowText);
        return l;
    };
    Label4 = heading("Label4", Bounds(8, 5, 147, 19), "Rom-Directory");
    romdrive = make<TDriveComboBox>(zipram, "romdrive", 9, 27, 146, 20);
    setFont(romdrive, "Arial", -11, 0, clBlack);
    romdrive->SetTabStop(false);
    romdir = make<TDirectoryListBox>(zipram, "romdir", 8, 49, 147, 153);
    romdir->SetItemHeight(16);
    romdir->SetTabStop(false);
    romdir->SetDirLabel(romdirlabel);
    romdrive->SetDirList(romdir);
    Label2 = heading("Label2", Bounds(8, 209, 147, 19), "RAM-Directory");
    ramdrive = make<TDriveComboBox>(zipram, "ramdrive", 8, 230, 147, 20);
    ramdir = make<TDirectoryListBox>(zipram, "ramdir", 8, 252, 147, 160);
    ramdir->SetItemHeight(16);
    ramdrive->SetDirList(ramdir);
    Label1 = heading("Label1", Bounds(8, 419, 147, 19), "ZipDrive");
    zipdrive = make<TDriveComboBox>(zipram, "zipdrive", 8, 440, 147, 20);
    Button1 = make<TButton>(zipram, "Button1", 8, 471, 147, 23);
    Button1->SetCaption("Close");
}

void TForm1::BuildCategoryPanel()
{
    Panel2 = panel(this, "Panel2", Bounds(312, 112, 281, 185), bvRaised, clBtnFace);
    Panel2->Hide();
    Label5 = label(Panel2, "Label5", Bounds(5, 5, 204, 20), "-");
    setFont(Label5, "Arial", -16, fsBold, clWindowText);
    Label6 = label(Panel2, "Label6", Bounds(134, 23, 153, 20), "Select a category");
    setFont(Label6, "Arial", -16, fsBold, clWindowText);
    catlist = make<TListBox>(Panel2, "catlist", 7, 24, 121, 153);
    catlist->SetSorted(true);
    catlist->SetItemHeight(14);
    Edit1 = make<TEdit>(Panel2, "Edit1", 135, 48, 138, 22);
    Edit1->SetText("Edit1");
    BitBtn1 = make<TBitBtn>(Panel2, "BitBtn1", 192, 152, 81, 25);
    BitBtn1->SetKind(bkOK);
    BitBtn2 = make<TBitBtn>(Panel2, "BitBtn2", 192, 120, 81, 25);
    BitBtn2->SetKind(bkCancel);
}

namespace {

TButton* smallButton(TWinControl* parent, const char* name, TRect r, const char* caption)
{
    auto* button = make<TButton>(parent, name, r.Left, r.Top, r.Width(), r.Height());
    button->SetCaption(caption);
    return button;
}

TLabel* panelTitle(TWinControl* parent, const char* name, TRect r)
{
    auto* title = label(parent, name, r, "-");
    setFont(title, "Arial", -16, fsBold, clWindowText);
    return title;
}

}

void TForm1::BuildInfoPanel()
{
    // One pixel narrower than 566, so that its right edge shows inside the 731-pixel window.
    infop = panel(this, "infop", Bounds(166, 48, 565, 500), bvRaised, clBtnFace);
    infop->Hide();
    Label3 = panelTitle(infop, "Label3", Bounds(5, 5, 204, 20));
    info = make<TRichEdit>(infop, "info", 4, 24, 557, 471);
    info->SetScrollBars(ssBoth);
    info->SetWordWrap(false);
    Button3 = smallButton(infop, "Button3", Bounds(480, 5, 81, 15), "Close");
    Button4 = smallButton(infop, "Button4", Bounds(392, 5, 82, 15), "copy to Clip");
    Button5 = smallButton(infop, "Button5", Bounds(304, 5, 82, 15), "paste from Clip");
}

void TForm1::BuildCheatPanel()
{
    Panel3 = panel(this, "Panel3", Bounds(296, 160, 313, 321), bvRaised, clBtnFace);
    Panel3->Hide();
    Label9 = panelTitle(Panel3, "Label9", Bounds(8, 5, 209, 20));
    zcc = make<TMemo>(Panel3, "zcc", 8, 24, 297, 289);
    zcc->SetScrollBars(ssVertical);
    zcc->SetWordWrap(false);
    zcc->Lines().SetLines({ "zcc" });
    Button6 = smallButton(Panel3, "Button6", Bounds(224, 5, 81, 15), "Close");
}

void TForm1::BuildAboutPanel()
{
    Panel4 = panel(this, "Panel4", Bounds(176, 88, 393, 377), bvRaised, clBlack);
    Panel4->Hide();
    auto text = [this](const char* name, TRect r, const char* caption, int height, TFontStyles style, TColor colour,
                    TAlignment alignment = taLeftJustify) {
        auto* l = label(Panel4, name, r, caption, alignment);
        setFont(l, "Arial", height, style, colour);
        return l;
    };
    auto link = [this](const char* name, TRect r, const char* caption, const char* face, int height, TAlignment alignment,
                    const char* url) {
        auto* l = make<TCorvaneURLLabel>(Panel4, name, r.Left, r.Top, r.Width(), r.Height());
        l->SetAutoSize(false);
        l->SetAlignment(alignment);
        l->SetCaption(caption);
        l->Font().SetName(face);
        l->Font().SetHeight(height);
        l->Font().SetStyle(fsUnderline | (height == -15 ? fsBold : 0));
        l->SetUrl(url);
        return l;
    };
    Label7 = text("Label7", Bounds(6, 6, 379, 32), "Tavisco 64", -27, fsBold | fsItalic, 2473666, taCenter);
    Label10 = text("Label10", Bounds(238, 43, 146, 14), "written by the Tavisco team", -11, 0, clSilver);
    Label11 = text("Label11", Bounds(6, 67, 59, 18), "Contact:", -15, fsBold, clSilver);
    CorvaneURLLabel1 = link("CorvaneURLLabel1", Bounds(72, 67, 176, 18), "hi@tavisco.example", "Arial", -15, taLeftJustify,
        "mailto:hi@tavisco.example");
    Label12 = text("Label12", Bounds(146, 121, 100, 18), "sponsored by:", -15, fsBold, clSilver);
    Image9 = picture(Panel4, "Image9", Bounds(110, 144, 173, 44), "sponsor1.bmp");
    Image9->SetAutoSize(true);
    CorvaneURLLabel3 = link("CorvaneURLLabel3", Bounds(140, 187, 112, 13), "gildcart.example", "MS Sans Serif", -11, taRightJustify,
        "http://www.gildcart.example/");
    Image7 = picture(Panel4, "Image7", Bounds(18, 208, 357, 43), "sponsor2.bmp");
    Image7->SetAutoSize(true);
    CorvaneURLLabel2 = link("CorvaneURLLabel2", Bounds(141, 251, 110, 13), "tarnwick.example", "MS Sans Serif", -11, taRightJustify,
        "http://www.tarnwick.example/");
    Label13 = text("Label13", Bounds(160, 283, 73, 18), "hosted by:", -15, fsBold, clSilver);
    Image8 = picture(Panel4, "Image8", Bounds(127, 304, 138, 43), "host.bmp");
    Image8->SetAutoSize(true);
    CorvaneURLLabel4 = link("CorvaneURLLabel4", Bounds(141, 347, 110, 13), "quaylight.example", "MS Sans Serif", -11, taRightJustify,
        "http://www.quaylight.example/");
    Label14 = text("Label14", Bounds(336, 355, 51, 17), "close", -15, fsBold | fsItalic, clBlue, taCenter);
}

void TForm1::BuildMenus()
{
    PopupMenu1 = new TPopupMenu(this, "PopupMenu1");
    ClearZipDisk1 = PopupMenu1->Add("ClearZipDisk1", "Clear ZipDisk");
    PopupMenu2 = new TPopupMenu(this, "PopupMenu2");
    Updateall1 = PopupMenu2->Add("Updateall1", "Update all");
    PopupMenu3 = new TPopupMenu(this, "PopupMenu3");
    m3 = PopupMenu3->Add("m3", "Update eep,...");
    Updateall2 = PopupMenu3->Add("Updateall2", "Update all");
    Updateall2->SetVisible(false);
    m2 = PopupMenu3->Add("m2", "Copy to archive");
    m6 = PopupMenu3->Add("m6", "Delete game");
    DeleteAll1 = PopupMenu3->Add("DeleteAll1", "Delete all");
    GenerateRomlist2 = PopupMenu3->Add("GenerateRomlist2", "Generate Romlist");
    PopupMenu4 = new TPopupMenu(this, "PopupMenu4");
    m1 = PopupMenu4->Add("m1", "Copy to Zipdisc");
    m5 = PopupMenu4->Add("m5", "Game-Info");
    m4 = PopupMenu4->Add("m4", "Rename Romfile");
    ViewEditZCC1 = PopupMenu4->Add("ViewEditZCC1", "View/Edit ZCC");
    Setcategory1 = PopupMenu4->Add("Setcategory1", "Set category");
    GenerateRomlist1 = PopupMenu4->Add("GenerateRomlist1", "Generate Romlist");
    MovetoUSA1 = PopupMenu4->Add("MovetoUSA1", "move to USA");
    movetoEUR1 = PopupMenu4->Add("movetoEUR1", "move to EUR");
    movetoJAP1 = PopupMenu4->Add("movetoJAP1", "move to JAP");
    movetoINT1 = PopupMenu4->Add("movetoINT1", "move to INT");

    b6->SetPopupMenu(PopupMenu1);
    zip->SetPopupMenu(PopupMenu3);
    disk->SetPopupMenu(PopupMenu4);
}

void TForm1::placePanels()
{
    infop->SetBounds(166, 48, infop->Width(), infop->Height());
    Panel2->SetBounds(312, 112, Panel2->Width(), Panel2->Height());
    Panel4->SetBounds(176, 88, Panel4->Width(), Panel4->Height());
    Panel3->SetBounds(296, 160, Panel3->Width(), Panel3->Height());
    zipram->SetBounds(0, 0, zipram->Width(), zipram->Height());
}

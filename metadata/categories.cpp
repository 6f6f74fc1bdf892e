// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"

void TForm1::addcat(const std::string& category)
{
    std::string wanted = lowerAZ(category);
    for (const auto& item : catlist->Items().Lines())
        if (lowerAZ(item) == wanted)
            return;
    catlist->Items().Add(category);
}

void TForm1::Setcategory1Click(TObject*)
{
    Label5->SetCaption(SelectedTitle);
    Edit1->SetText(disk->Cell(3, disk->Row()));
    Panel2->Show();
    Edit1->SetFocus();
}

void TForm1::catlistClick(TObject*)
{
    int i = catlist->ItemIndex();
    if (i >= 0)
        Edit1->SetText(catlist->Items()[i]);
}

void TForm1::catlistDblClick(TObject* sender)
{
    catlistClick(sender);
    BitBtn1Click(sender);
}

void TForm1::BitBtn1Click(TObject*)
{
    std::string category = Edit1->Text();
    list->Lines().Clear();
    list->Lines().Add(category);
    writablefor(RamPath + SelectedGame + ".cat");
    list->Lines().SaveToFile(RamPath + SelectedGame + ".cat");
    disk->SetCell(3, disk->Row(), category);
    addcat(category);
    Panel2->Hide();
}

void TForm1::BitBtn2Click(TObject*)
{
    Panel2->Hide();
}

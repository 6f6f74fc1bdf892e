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

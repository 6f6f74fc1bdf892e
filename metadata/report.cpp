// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"

// The game list report: a table as fixed-layout plain text on the clipboard.
void TForm1::listTable(const tk::TStringGrid* grid)
{
    auto& lines = list->Lines();
    lines.Clear();
    lines.Add(std::string(46, '-'));
    lines.Add("      Title          Country Size  Filename");
    lines.Add(std::string(46, '-'));
    for (int r = 0; r < grid->RowCount(); ++r)
        lines.Add(upperAZ(grid->Cell(0, r)) + " " + upperAZ(grid->Cell(1, r)) + "  " + upperAZ(grid->Cell(2, r)) + "  "
            + upperAZ(grid->Cell(5, r)));
    lines.Add(std::string(47, '-'));
    lines.Add(" ");
    list->SelectAll();
    list->CopyToClipboard();
    sys("#");
    sys("Romlist copied to clipboard.");
}

void TForm1::GenerateRomlist1Click(TObject*)
{
    listTable(disk);
}

void TForm1::GenerateRomlist2Click(TObject*)
{
    listTable(zip);
}

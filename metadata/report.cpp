// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"

#include <algorithm>

namespace {

// A title may hold any byte but NUL; a line break or other control byte would split its row.
std::string reportCell(const std::string& cell)
{
    std::string text = upperAZ(cell);
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
    return text;
}

}

// The game list report: a table as fixed-layout plain text on the clipboard.
void TForm1::listTable(const tk::TStringGrid* grid)
{
    auto& lines = list->Lines();
    lines.Clear();
    lines.Add(std::string(46, '-'));
    lines.Add("      Title          Country Size  Filename");
    lines.Add(std::string(46, '-'));
    for (int r = 0; r < grid->RowCount(); ++r)
        lines.Add(reportCell(grid->Cell(0, r)) + " " + reportCell(grid->Cell(1, r)) + "  " + reportCell(grid->Cell(2, r))
            + "  " + reportCell(grid->Cell(5, r)));
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

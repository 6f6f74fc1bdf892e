// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/wincontrol.h"

#include <string>
#include <vector>

namespace tk {

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8,
                       goRangeSelect = 16, goDrawFocusSelected = 32, goRowSelect = 64,
                       goThumbTracking = 128;

// A table of text cells. Rows are added one at a time by growing RowCount. Moving the current row
// (by code, click, press or key) fires OnClick; a left click on the current row fires it too.
class TStringGrid : public TWinControl {
public:
    TStringGrid(TWinControl* parent, std::string name);

    int ColCount() const { return static_cast<int>(m_colWidths.size()); }
    void SetColCount(int);
    int RowCount() const { return static_cast<int>(m_cells.size()); }
    void SetRowCount(int);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int);
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int);
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions);

    // Reading outside the table gives empty text; writing outside it is ignored.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string&);
    const std::vector<std::string>& RowCells(int row) const { return m_cells[CheckedRow(row)]; }
    void SetRowCells(int row, std::vector<std::string> cells);
    void ExchangeRows(int a, int b);
    // Row r takes the cells row order[r] had; order is a permutation of the rows.
    void PermuteRows(const std::vector<int>& order);

    int Row() const { return m_row; }
    void SetRow(int);
    int TopRow() const { return m_topRow; }
    void SetTopRow(int);
    int VisibleRowCount() const;
    // The row under (x, y) in client coordinates, or -1 below the last row.
    int RowAt(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void ClickOnRelease() override;
    void KeyDown(unsigned short& key, TShiftState) override;

private:
    // The row as a position in the cells; throws EListError outside the table.
    std::size_t CheckedRow(int row) const;
    int RowPitch() const;
    void ScrollToCurrent();

    std::vector<int> m_colWidths;
    std::vector<std::vector<std::string>> m_cells;
    int m_rowHeight { 24 };
    int m_gridLineWidth { 1 };
    TGridOptions m_options { goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine };
    int m_row { 0 };
    int m_topRow { 0 };
    bool m_pressMovedRow { false };
    bool m_pressOnRow { false };
};

}

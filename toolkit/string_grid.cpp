// SPDX-License-Identifier: MIT
#include "toolkit/string_grid.h"

#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"
#include "toolkit/item_rows.h"
#include "toolkit/object_watch.h"
#include "toolkit/property.h"

#include <algorithm>
#include <stdexcept>

namespace tk {

static const std::string emptyCell;

TStringGrid::TStringGrid(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetColCount(5);
    SetRowCount(5);
    SetBounds(0, 0, 320, 120);
}

void TStringGrid::SetColCount(int n)
{
    n = std::max(n, 1);
    if (n == ColCount())
        return;
    m_colWidths.resize(static_cast<std::size_t>(n), 64);
    for (auto& row : m_cells)
        row.resize(m_colWidths.size());
    Invalidate();
}

void TStringGrid::SetRowCount(int n)
{
    n = std::max(n, 1);
    if (n == RowCount())
        return;
    m_cells.resize(static_cast<std::size_t>(n), std::vector<std::string>(m_colWidths.size()));
    // Losing the current row moves it quietly: only a deliberate move is a click.
    m_row = std::min(m_row, n - 1);
    m_topRow = std::clamp(m_topRow, 0, n - 1);
    Invalidate();
}

int TStringGrid::ColWidth(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[static_cast<std::size_t>(col)] : 0;
}

void TStringGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= ColCount() || !Change(m_colWidths[static_cast<std::size_t>(col)], width))
        return;
    Invalidate();
}

std::size_t TStringGrid::CheckedRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw EListError(row);
    return static_cast<std::size_t>(row);
}

// Rows are counted and hit by dividing by their pitch, so it never comes to 0.
void TStringGrid::SetDefaultRowHeight(int h)
{
    if (!Change(m_rowHeight, std::max(1, h)))
        return;
    Invalidate();
}

void TStringGrid::SetGridLineWidth(int w)
{
    if (!Change(m_gridLineWidth, std::max(0, w)))
        return;
    Invalidate();
}

void TStringGrid::SetOptions(TGridOptions options)
{
    if (!Change(m_options, options))
        return;
    ScrollToCurrent();
    Invalidate();
}

const std::string& TStringGrid::Cell(int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount())
        return emptyCell;
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, const std::string& text)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount())
        return;
    if (!Change(m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)], text))
        return;
    Invalidate();
}

void TStringGrid::SetRowCells(int row, std::vector<std::string> cells)
{
    if (row < 0 || row >= RowCount())
        return;
    cells.resize(m_colWidths.size());
    if (!Change(m_cells[static_cast<std::size_t>(row)], std::move(cells)))
        return;
    Invalidate();
}

void TStringGrid::ExchangeRows(int a, int b)
{
    std::swap(m_cells[CheckedRow(a)], m_cells[CheckedRow(b)]);
    Invalidate();
}

void TStringGrid::PermuteRows(const std::vector<int>& order)
{
    // Checked whole first: a row named twice would come out empty the second time.
    std::vector<bool> taken(m_cells.size());
    for (int from : order) {
        if (order.size() != m_cells.size() || from < 0 || from >= RowCount() || taken[std::size_t(from)])
            throw std::invalid_argument("PermuteRows: not a permutation of the rows");
        taken[std::size_t(from)] = true;
    }
    std::vector<std::vector<std::string>> cells(m_cells.size());
    for (std::size_t r = 0; r < order.size(); ++r)
        cells[r] = std::move(m_cells[std::size_t(order[r])]);
    m_cells = std::move(cells);
    Invalidate();
}

void TStringGrid::SetRow(int row)
{
    if (!Change(m_row, std::clamp(row, 0, RowCount() - 1)))
        return;
    ScrollToCurrent();
    Invalidate();
    Click();
}

void TStringGrid::SetTopRow(int row)
{
    if (!Change(m_topRow, std::clamp(row, 0, RowCount() - 1)))
        return;
    Invalidate();
}

int TStringGrid::RowPitch() const
{
    return m_rowHeight + ((m_options & goHorzLine) ? m_gridLineWidth : 0);
}

int TStringGrid::VisibleRowCount() const
{
    // Whole rows only, each with its line.
    return VisibleRows(Height(), RowPitch());
}

void TStringGrid::ScrollToCurrent()
{
    m_topRow = TopKeepingInView(m_row, m_topRow, VisibleRowCount());
}

int TStringGrid::RowAt(int x, int y) const
{
    return RowAtPoint(Point(x, y), ClientRect(), m_topRow, RowPitch(), RowCount());
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    row = RowAt(x, y);
    col = -1;
    int left = 0;
    for (int c = 0; c < ColCount(); ++c) {
        int right = left + ColWidth(c) + ((m_options & goVertLine) ? m_gridLineWidth : 0);
        if (x >= left && x < right) {
            col = c;
            break;
        }
        left = right;
    }
}

void TStringGrid::Paint(TCanvas& canvas)
{
    FillBackground(canvas);
    canvas.Font().Assign(Font());
    int line = m_gridLineWidth;
    int y = 0;
    for (int r = m_topRow; r < RowCount() && y < Height(); ++r) {
        bool selected = r == m_row;
        int x = 0;
        for (int c = 0; c < ColCount() && x < Width(); ++c) {
            TRect cell = Bounds(x, y, ColWidth(c), m_rowHeight);
            FillItem(canvas, cell, selected && ((m_options & goRowSelect) || c == 0), Color(), Font().Color());
            TRect text = Rect(cell.Left + 2, cell.Top + 2, cell.Right, cell.Bottom);
            canvas.DrawText(Cell(c, r), text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            x += ColWidth(c) + ((m_options & goVertLine) ? line : 0);
        }
        y += m_rowHeight;
        if (m_options & goHorzLine) {
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(clSilver);
            canvas.FillRect(Rect(0, y, std::min(x, Width()), y + line));
            y += line;
        }
    }
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    m_pressMovedRow = false;
    int row = RowAt(x, y);
    m_pressOnRow = row >= 0;
    TObjectWatch watch(*this);
    if (row >= 0 && row != m_row && !(shift & ssDouble)) {
        m_pressMovedRow = button == mbLeft;
        SetRow(row);
    }
    if (!watch.Gone())
        TWinControl::MouseDown(button, shift, x, y);
}

void TStringGrid::ClickOnRelease()
{
    // The press already reported a move to another row.
    bool click = m_pressOnRow && !m_pressMovedRow;
    m_pressMovedRow = false;
    if (click)
        Click();
}

void TStringGrid::KeyDown(unsigned short& key, TShiftState shift)
{
    TObjectWatch watch(*this);
    TWinControl::KeyDown(key, shift);
    if (watch.Gone())
        return;
    if (auto to = RowAfterKey(key, m_row, VisibleRowCount(), RowCount()))
        SetRow(*to);
}

}

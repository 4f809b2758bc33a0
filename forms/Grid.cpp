#include "forms/Grid.h"
#include "base/Twips.h"
#include "forms/OffScreenPaint.h"
#include "forms/RuntimeError.h"

#include <algorithm>

namespace qel::forms {
namespace {

constexpr long kDefaultColWidth = 900; // twips
constexpr long kCellBackColor = 6;     // the Cell setting for back colours
constexpr int kTextInset = 3;          // pixels between a cell's left edge and its text

[[noreturn]] void BadIndex() {
    throw RuntimeError(kInvalidArrayIndex, "Invalid property array index");
}

[[noreturn]] void BadValue() {
    throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
}

// A fill in a colour without a brush of its own: the device context's brush.
void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

} // namespace

Grid::Grid(Container& container, std::string name)
    : WindowControl(container, std::move(name), kWindowBackground, kWindowText), rows_(2), cols_(2),
      cells_(4), widths_(2, kDefaultColWidth) {}

const char* Grid::ClassName() const {
    return OwnClass("QelGrid", 0); // no double clicks: every press makes a cell current
}

void Grid::Resize(long rows, long cols) {
    if (rows < 0 || cols < 0) BadValue();
    std::vector<Cell> cells(static_cast<size_t>(rows) * cols);
    for (long r = 0; r < std::min(rows, rows_); ++r)
        for (long c = 0; c < std::min(cols, cols_); ++c)
            cells[r * cols + c] = std::move(At(r, c));
    cells_ = std::move(cells);
    rows_ = rows;
    cols_ = cols;
    widths_.resize(cols, kDefaultColWidth);
    row_ = std::min(row_, rows - 1);
    col_ = std::min(col_, cols - 1);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void Grid::Rows(long rows) {
    Resize(rows, cols_);
}

void Grid::Cols(long cols) {
    Resize(rows_, cols);
}

void Grid::FixedRows(long rows) {
    if (rows < 0 || rows > rows_) BadValue();
    fixedRows_ = rows;
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void Grid::FixedCols(long cols) {
    if (cols < 0 || cols > cols_) BadValue();
    fixedCols_ = cols;
    InvalidateRect(hWnd(), nullptr, FALSE);
}

const Grid::Cell& Grid::At(long row, long col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) BadIndex();
    return cells_[row * cols_ + col];
}

std::string Grid::TextMatrix(long row, long col) const {
    return At(row, col).text;
}

void Grid::TextMatrix(long row, long col, std::string text) {
    At(row, col).text = std::move(text);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

long Grid::ColWidth(long col) const {
    if (col < 0 || col >= cols_) BadIndex();
    return widths_[col];
}

void Grid::ColWidth(long col, long twips) {
    if (col < 0 || col >= cols_) BadIndex();
    if (twips < 0) BadValue();
    widths_[col] = twips;
    InvalidateRect(hWnd(), nullptr, FALSE);
}

OleColor Grid::CellBackColor(long row, long col) const {
    const Cell& cell = At(row, col);
    if (cell.back) return *cell.back;
    return row < fixedRows_ || col < fixedCols_ ? kButtonFace : BackColor();
}

void Grid::CellBackColor(long row1, long col1, long row2, long col2, OleColor colour) {
    At(row1, col1);
    At(row2, col2); // both corners inside, or error 381 before any change
    for (long r = std::min(row1, row2); r <= std::max(row1, row2); ++r)
        for (long c = std::min(col1, col2); c <= std::max(col1, col2); ++c)
            At(r, c).back = colour;
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void Grid::Row(long row) {
    if (row < 0 || row >= rows_) BadValue();
    MakeCurrent(row, col_, false);
}

void Grid::Col(long col) {
    if (col < 0 || col >= cols_) BadValue();
    MakeCurrent(row_, col, false);
}

void Grid::MakeCurrent(long row, long col, bool byUser) {
    if (row == row_ && col == col_) return;
    row_ = row;
    col_ = col;
    InvalidateRect(hWnd(), nullptr, FALSE);
    if (byUser) Raise(OnCellChange);
}

bool Grid::HitTest(POINT p, long& row, long& col) const {
    const int height = PixelsFromTwipsY(RowHeight());
    if (p.x < 0 || p.y < 0 || height <= 0 || p.y / height >= rows_) return false;
    row = p.y / height;
    for (long c = 0, x = 0; c < cols_; ++c) {
        x += PixelsFromTwipsX(widths_[c]);
        if (p.x < x) {
            col = c;
            return true;
        }
    }
    return false;
}

// Off-screen: the cells row by row (headings in the button face), their grid
// lines and texts, the frame of the current cell, the rest in the back colour.
void Grid::Paint(HDC dc, const RECT& client) {
    Fill(dc, client, back_.Rgb());
    Selection font(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    const int height = PixelsFromTwipsY(RowHeight());
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW), text = ToRgb(fore_),
                   headingText = GetSysColor(COLOR_BTNTEXT);
    RECT current{};
    for (long r = 0, y = 0; r < rows_ && y < client.bottom; ++r, y += height) {
        for (long c = 0, x = 0; c < cols_ && x < client.right; ++c) {
            const int width = PixelsFromTwipsX(widths_[c]);
            RECT cell{x, y, x + width, y + height};
            x += width;
            Fill(dc, cell, ToRgb(CellBackColor(r, c)));
            Fill(dc, {cell.right - 1, cell.top, cell.right, cell.bottom}, line);
            Fill(dc, {cell.left, cell.bottom - 1, cell.right, cell.bottom}, line);
            const std::string& s = At(r, c).text;
            RECT box{cell.left + kTextInset, cell.top, cell.right - 1, cell.bottom - 1};
            SetTextColor(dc, r < fixedRows_ || c < fixedCols_ ? headingText : text);
            DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &box,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
            if (r == row_ && c == col_) current = cell;
        }
    }
    if (!IsRectEmpty(&current)) {
        current.right -= 1;
        current.bottom -= 1;
        for (int i = 0; i < 2; ++i) {
            SetDCBrushColor(dc, text);
            FrameRect(dc, &current, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            InflateRect(&current, -1, -1);
        }
    }
}

LRESULT Grid::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (PaintOffScreen(hWnd(), msg, result, [&](HDC dc, const RECT& r) { Paint(dc, r); }))
        return result;
    switch (msg) {
    case WM_SIZE:
        InvalidateRect(hWnd(), nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
        SetFocus(hWnd());
        long row = 0, col = 0;
        if (HitTest({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, row,
                    col))
            MakeCurrent(row, col, true);
        return 0;
    }
    case WM_KEYDOWN: {
        long row = row_, col = col_;
        switch (wParam) {
        case VK_UP:
            --row;
            break;
        case VK_DOWN:
            ++row;
            break;
        case VK_LEFT:
            --col;
            break;
        case VK_RIGHT:
            ++col;
            break;
        default:
            return WindowControl::HandleMessage(msg, wParam, lParam);
        }
        if (row >= 0 && row < rows_ && col >= 0 && col < cols_) MakeCurrent(row, col, true);
        return 0;
    }
    }
    return WindowControl::HandleMessage(msg, wParam, lParam);
}

// Cell(Setting, [Row1], [Col1], [Row2], [Col2]): the corners default to the
// current cell and to the first corner; only the back colour (setting 6) is kept.
HRESULT Grid::InvokeCell(DispatchCall& call) {
    if (call.Arg<long>(0) != kCellBackColor) BadValue();
    auto corner = [&](UINT i, long fallback) { return call.Has(i) ? call.Arg<long>(i) : fallback; };
    const long row1 = corner(1, row_), col1 = corner(2, col_);
    const long row2 = corner(3, row1), col2 = corner(4, col1);
    return call.Property<OleColor>(
        [&] { return CellBackColor(row1, col1); },
        [&](OleColor colour) { CellBackColor(row1, col1, row2, col2, colour); });
}

HRESULT Grid::Invoke(DispatchCall& call) {
    switch (call.Id()) {
    case DISPID_FORMS_TEXTMATRIX:
        return call.Property<std::string>(
            [&] { return TextMatrix(call.Arg<long>(0), call.Arg<long>(1)); },
            [&](std::string s) { TextMatrix(call.Arg<long>(0), call.Arg<long>(1), std::move(s)); });
    case DISPID_FORMS_COLWIDTH:
        return call.Property<long>([&] { return ColWidth(call.Arg<long>(0)); },
                                   [&](long w) { ColWidth(call.Arg<long>(0), w); });
    case DISPID_FORMS_CELL:
        return InvokeCell(call);
    case DISPID_FORMS_ROW:
        return call.Property<long>([&] { return Row(); }, [&](long r) { Row(r); });
    case DISPID_FORMS_COL:
        return call.Property<long>([&] { return Col(); }, [&](long c) { Col(c); });
    }
    return WindowControl::Invoke(call);
}

} // namespace qel::forms

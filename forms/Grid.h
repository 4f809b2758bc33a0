// A grid: rows and columns of text cells drawn with GDI, the first FixedRows rows
// and FixedCols columns as headings. Each cell may have a back colour of its own;
// the cell with the current row and column is framed. A click on a cell or an
// arrow key makes a cell current and raises OnCellChange; Row and Col set in code
// raise nothing. Column widths are in twips; what does not fit in the window is
// cut off.
#pragma once
#include "forms/WindowControl.h"

#include <functional>
#include <optional>
#include <vector>

namespace qel::forms {

class Grid final : public WindowControl {
public:
    Grid(Container& container, std::string name);

    long Rows() const { return rows_; }
    void Rows(long rows);
    long Cols() const { return cols_; }
    void Cols(long cols);
    long FixedRows() const { return fixedRows_; }
    void FixedRows(long rows);
    long FixedCols() const { return fixedCols_; }
    void FixedCols(long cols);

    // Cells and columns outside the grid give run-time error 381.
    std::string TextMatrix(long row, long col) const;
    void TextMatrix(long row, long col, std::string text);
    long ColWidth(long col) const;
    // The height of every row, in twips: twelve rows fit in 2925 twips.
    long RowHeight() const { return 225; }
    void ColWidth(long col, long twips);
    // The cell's own back colour, or the colour it is drawn in without one.
    OleColor CellBackColor(long row, long col) const;
    // Gives every cell from (row1, col1) to (row2, col2) the back colour.
    void CellBackColor(long row1, long col1, long row2, long col2, OleColor colour);

    // The current cell; run-time error 380 outside the grid.
    long Row() const { return row_; }
    void Row(long row);
    long Col() const { return col_; }
    void Col(long col);

    std::function<void()> OnCellChange;

protected:
    const char* ClassName() const override;
    DWORD Style() const override { return WS_TABSTOP; }
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const IID& DispatchIid() const override { return DIID__Grid; }
    HRESULT Invoke(DispatchCall& call) override;

private:
    struct Cell {
        std::string text;
        std::optional<OleColor> back;
    };

    const Cell& At(long row, long col) const;
    Cell& At(long row, long col) { return const_cast<Cell&>(std::as_const(*this).At(row, col)); }
    // Resizes the cell table, keeping the cells that stay.
    void Resize(long rows, long cols);
    // The cell under a client point: false outside the cells.
    bool HitTest(POINT p, long& row, long& col) const;
    // Makes (row, col) current; OnCellChange when the user did and it changed.
    void MakeCurrent(long row, long col, bool byUser);
    HRESULT InvokeCell(DispatchCall& call);
    void Paint(HDC dc, const RECT& client);

    long rows_, cols_, fixedRows_ = 1, fixedCols_ = 1;
    long row_ = 1, col_ = 1;
    std::vector<Cell> cells_;  // row by row
    std::vector<long> widths_; // twips
};

} // namespace qel::forms

#include "ledger/shell/win32/LedgerList.h"

#include "common/platform/TextConversions.h"

namespace cofrelo {

namespace {

using common::WideFromAnsi;

struct Column {
    const wchar_t* Header;
    int WidthInDialogUnits;
};

constexpr Column Columns[] = {
    {L"Fechas", 77},
    {L"Descripcion", 480},
    {L"Importe", 148},
    {L"Liquido", 148},
};

int DialogUnitsToPixels(HWND window, int horizontalUnits)
{
    RECT rect{0, 0, horizontalUnits, 0};
    MapDialogRect(window, &rect);
    return rect.right;
}

void SetCellText(HWND list, int row, int column, std::string_view ansi)
{
    std::wstring text = WideFromAnsi(ansi);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void SetupLedgerColumns(HWND window, int listId)
{
    const HWND list = GetDlgItem(window, listId);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const auto styles = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

    for (int i = 0; i < static_cast<int>(std::size(Columns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = DialogUnitsToPixels(window, Columns[i].WidthInDialogUnits);
        column.pszText = const_cast<wchar_t*>(Columns[i].Header);
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void AddLedgerRow(HWND list, int rowNumber, const Movement& movement, bool american)
{
    const DisplayTexts amounts = MovementDisplayTexts(movement, american);
    std::wstring date = WideFromAnsi(FieldText(movement.DateText));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = rowNumber - 1;
    item.pszText = date.data();
    const auto row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    SetCellText(list, row, 1, FieldText(movement.Description));
    SetCellText(list, row, 2, amounts.Amount);
    SetCellText(list, row, 3, amounts.Balance);
}

void RefillLedgerList(HWND list, const Ledger& ledger, bool american)
{
    // Without redrawing, the list would repaint after every row it receives.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(ledger.Count()), 0);
    int rowNumber = 0;
    for (const Movement& movement : ledger.Movements()) AddLedgerRow(list, ++rowNumber, movement, american);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT PaintLedgerRow(NMLVCUSTOMDRAW& draw, const Ledger& ledger, const Settings& settings)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const std::size_t row = draw.nmcd.dwItemSpec;
        if (row >= ledger.Movements().size()) return CDRF_DODEFAULT;
        const auto colors = RowColorsFor(ledger.Movements()[row].Kind, settings);
        if (!colors) return CDRF_DODEFAULT;
        draw.clrText = colors->Text;
        draw.clrTextBk = colors->Back;
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace cofrelo

#include "Menu.h"

#include "Screen.h"
#include "Window.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace e2e {

namespace {

// More items than any popup of the programs has; ends the walk if the
// highlight is never found again.
constexpr int MaxWalkedItems = 40;
// How far in from each edge of the popup the highlight begins: past the frame.
constexpr int HighlightEdgeColumns = 8;
constexpr int OpenAttempts = 3;
constexpr Timeout HiddenPopupTimeout{1000};

DriverError NoItemAt(int popup, int position, HWND window)
{
    return DriverError("position " + std::to_string(position) + " of popup " + std::to_string(popup) +
                       " of the menu of " + Describe(window) + " is a separator or beyond the last item");
}

// Nothing when the menu cannot be read from this process, as under Wine.
std::optional<bool> CheckedByMenuState(HWND window, int popup, int position)
{
    HMENU bar = GetMenu(window);
    const int popups = bar ? GetMenuItemCount(bar) : -1;
    if (popups < 0) return std::nullopt;
    HMENU items = popup < popups ? GetSubMenu(bar, popup) : nullptr;
    if (!items) throw DriverError(Describe(window) + " has no popup " + std::to_string(popup) + " in its menu bar");
    const UINT state = GetMenuState(items, static_cast<UINT>(position), MF_BYPOSITION);
    if (state == static_cast<UINT>(-1) || (state & MF_SEPARATOR)) throw NoItemAt(popup, position, window);
    return (state & MF_CHECKED) != 0;
}

HWND OpenPopupWindow(DWORD processId)
{
    for (HWND found = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); found;
         found = FindWindowExW(nullptr, found, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == processId && IsWindowVisible(found)) return found;
    }
    return nullptr;
}

// One highlighted row of an open popup, as drawn.
struct HighlightedRow {
    int Top = 0;
    int Bottom = 0;  // exclusive
    bool Checked = false;
};

bool IsHighlight(COLORREF pixel)
{
    return pixel == GetSysColor(COLOR_HIGHLIGHT) || pixel == GetSysColor(COLOR_MENUHILIGHT);
}

// A line of pixels belongs to the highlight when the highlight colour shows
// near both edges of the popup: the item's text (which can fill most of the
// width, with its smoothed edges) keeps a margin on both sides.
bool IsHighlightedLine(const ScreenImage& image, int y)
{
    const int edge = std::min(HighlightEdgeColumns, image.Width());
    bool left = false;
    bool right = false;
    for (int x = 0; x < edge; ++x) {
        left = left || IsHighlight(image.At(x, y));
        right = right || IsHighlight(image.At(image.Width() - 1 - x, y));
    }
    return left && right;
}

// The check mark stands left of the text, in a column as wide as the system's
// check-mark bitmap, drawn in another colour than the highlight.
bool ShowsCheckMark(const ScreenImage& image, const HighlightedRow& row)
{
    const int middle = (row.Top + row.Bottom) / 2;
    int left = 0;
    while (left < image.Width() && !IsHighlight(image.At(left, middle))) ++left;
    const int right = std::min(image.Width(), left + GetSystemMetrics(SM_CXMENUCHECK) + 2);
    for (int y = row.Top; y < row.Bottom; ++y)
        for (int x = left; x < right; ++x)
            if (!IsHighlight(image.At(x, y))) return true;
    return false;
}

std::optional<HighlightedRow> FindHighlightedRow(const ScreenImage& image)
{
    int y = 0;
    while (y < image.Height() && !IsHighlightedLine(image, y)) ++y;
    if (y == image.Height()) return std::nullopt;
    HighlightedRow row{y, y};
    while (row.Bottom < image.Height() && IsHighlightedLine(image, row.Bottom)) ++row.Bottom;
    row.Checked = ShowsCheckMark(image, row);
    return row;
}

// The screen is read until it shows a highlight (under Wine what a window
// paints reaches the screen a little later) and, after a Down key, until the
// highlight has left the row it was on.
HighlightedRow WaitForHighlightedRow(HWND popupWindow, std::optional<int> leftTop = std::nullopt,
                                     Timeout timeout = DefaultTimeout)
{
    std::optional<HighlightedRow> row;
    WaitFor(
        [&] {
            row = FindHighlightedRow(CapturePainted(popupWindow, ScreenRect(popupWindow)));
            return row && (!leftTop || row->Top != *leftTop);
        },
        [&] { return "the highlight to move in the open menu " + Describe(popupWindow); }, timeout);
    return *row;
}

// Positions of the walked rows: a gap between two rows holds separators, as
// many as the gap is a multiple of the smallest gap.
std::vector<int> PositionsOf(const std::vector<HighlightedRow>& rows)
{
    int separatorHeight = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const int gap = rows[i].Top - rows[i - 1].Bottom;
        if (gap > 0 && (separatorHeight == 0 || gap < separatorHeight)) separatorHeight = gap;
    }
    std::vector<int> positions{0};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const int gap = rows[i].Top - rows[i - 1].Bottom;
        const int separators = gap > 0 ? (gap + separatorHeight / 2) / separatorHeight : 0;
        positions.push_back(positions.back() + 1 + separators);
    }
    return positions;
}

// The popup open from the keyboard, as long as the object lives.
class OpenPopup {
public:
    OpenPopup(HWND window, int popup) : window_(window), popup_(popup)
    {
        GetWindowThreadProcessId(window_, &processId_);
        WaitUntilIdle(window_);
        Open();
    }
    ~OpenPopup() { Close(); }
    OpenPopup(const OpenPopup&) = delete;
    OpenPopup& operator=(const OpenPopup&) = delete;

    // Walks down from the first item until the walk reaches position or wraps round.
    bool CheckedAt(int position)
    {
        std::vector<HighlightedRow> rows{FirstRow()};
        while (static_cast<int>(rows.size()) < MaxWalkedItems) {
            const std::vector<int> positions = PositionsOf(rows);
            if (positions.back() == position) return rows.back().Checked;
            if (positions.back() > position) break;
            PostKeyPress(window_, VK_DOWN);
            const HighlightedRow next = WaitForHighlightedRow(popupWindow_, rows.back().Top);
            if (next.Top <= rows.back().Top) break;
            rows.push_back(next);
        }
        throw NoItemAt(popup_, position, window_);
    }

private:
    void Open()
    {
        // What F10 does: menu-bar mode on the first title; Right moves along the bar, Down opens.
        PostMessageW(window_, WM_SYSCOMMAND, SC_KEYMENU, 0);
        for (int i = 0; i < popup_; ++i) PostKeyPress(window_, VK_RIGHT);
        PostKeyPress(window_, VK_DOWN);
        popupWindow_ = WaitFor([&] { return OpenPopupWindow(processId_); },
                               "popup " + std::to_string(popup_) + " of the menu of " + Describe(window_) + " to open");
    }

    void Close()
    {
        // One Esc closes the popup, the second leaves the menu bar.
        PostKeyPress(window_, VK_ESCAPE);
        PostKeyPress(window_, VK_ESCAPE);
        try {
            WaitUntilIdle(window_);
        } catch (const DriverError&) {
            // The window is hung; the test fails with what it does next.
        }
    }

    // Under Wine a window whose activation arrives late (as when another
    // program's window has just gone away, on a busy machine) is raised over
    // a popup that it has already opened, so the popup never shows on the
    // screen. A popup that shows nothing in time is closed and opened again,
    // above the window now.
    HighlightedRow FirstRow()
    {
        for (int attempt = 1; attempt < OpenAttempts; ++attempt) {
            try {
                return WaitForHighlightedRow(popupWindow_, std::nullopt, HiddenPopupTimeout);
            } catch (const DriverError&) {
                Close();
                Open();
            }
        }
        return WaitForHighlightedRow(popupWindow_);
    }

    HWND window_;
    int popup_;
    DWORD processId_ = 0;
    HWND popupWindow_ = nullptr;
};

}  // namespace

void ChooseMenuCommand(HWND window, WORD commandId)
{
    RequireReachable(window, "use the menu of");
    PostAndWaitUntilTaken(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool IsMenuItemChecked(HWND window, int popup, int position)
{
    if (auto checked = CheckedByMenuState(window, popup, position)) return *checked;
    return OpenPopup(window, popup).CheckedAt(position);
}

}  // namespace e2e

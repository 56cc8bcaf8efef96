// The comctl32 tree view behind the tool's nodes: items with the two window pictures, expand
// and select as the logic needs them, repainting suspended during a rebuild, and clicks on an
// item reported by the id it was inserted with. The control paints into a buffer kept between
// paints, through its own WM_PRINTCLIENT.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/treeview/TreeBackend.h"
#include "platform/win32/Unique.h"
#include "platform/win32/UniqueImageList.h"

namespace quellon::win32 {

class TreeViewControl : public TreeBackend {
public:
    // Our own tooltip covers the control, so the tree's item tips stay off.
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES |
                                    TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                                    TVS_NOTOOLTIPS;
    static constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;

    // Takes over a tree-view control created with kStyle and gives it pictures for `dpi`.
    void attach(HWND tree, HINSTANCE resources, UINT dpi);
    HWND hwnd() const { return tree_; }
    // Rebuilds the pictures at the size for `dpi`: 16 pixels at 96 DPI.
    void setDpi(UINT dpi);

    // The id of the item that a WM_NOTIFY from the tree reports as clicked on its picture or
    // its text, selected as the control's own click would; nothing for other notifications and
    // for clicks beside an item. For a click taken, the notification must answer TRUE: the
    // control then leaves the rest of the click alone, and with it the item it hit, which the
    // click's handler may have removed.
    std::optional<std::uintptr_t> takeClick(const NMHDR& header);
    // The selected item's text as the control shows it; nothing when no item is selected.
    std::optional<std::wstring> selectedText() const;
    // Every item in display order, each before its children.
    std::vector<ListedEntry> entries() const;

    void removeAll() override;
    ItemRef insertLast(ItemRef parent, const std::wstring& text, int image,
                       std::uintptr_t id) override;
    void expand(ItemRef item) override;
    void select(ItemRef item) override;
    void beginBulkUpdate() override;
    void endBulkUpdate() override;

private:
    // A 32-bit bitmap of the client area's size and the memory DC it is selected into.
    class Buffer {
    public:
        // The DC of a bitmap of that size, made again only when the size differs; nothing where
        // none could be made.
        HDC fit(SIZE size);
        HDC dc() const { return dc_.get(); }
        void clear();

    private:
        UniqueMemoryDC dc_;
        UniqueBitmap bitmap_;
        std::optional<Selected> selected_;  // goes first, so the bitmap is freed unselected
        SIZE size_{};
    };

    static LRESULT CALLBACK procedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void paintOnto(HDC screen, std::optional<RECT> area, const std::function<void()>& first);
    void print(HDC target) const;
    void resumeRedraw();
    bool isExpanded(HTREEITEM item) const;

    HWND tree_ = nullptr;
    WNDPROC controlProcedure_ = nullptr;
    HINSTANCE resources_ = nullptr;
    UniqueImageList pictures_;
    Buffer buffer_;
    bool quietScrollBars_ = false;  // the Wine-only paint (WineTreePaint.h)
    int bulkDepth_ = 0;
    ItemRef newestItem_ = 0;       // the item inserted last; it has no children
    bool newestExpanded_ = false;  // and was inserted marked expanded
};

}  // namespace quellon::win32

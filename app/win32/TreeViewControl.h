// The comctl32 tree view behind the tool's nodes: items with the two window pictures, expand
// and select as the logic needs them, repainting suspended during a rebuild, and clicks on an
// item reported by the id it was inserted with. How the control paints, TreePaint says.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/treeview/TreeBackend.h"
#include "app/win32/TreePaint.h"
#include "platform/win32/UniqueImageList.h"

namespace quellon {
class Palette;
}  // namespace quellon

namespace quellon::win32 {

class TreeViewControl : public TreeBackend {
public:
    // The paint and the palette, which gives the pictures' colours, outlive the control.
    TreeViewControl(TreePaint& paint, const Palette& palette) : paint_(paint), palette_(palette) {}
    TreeViewControl(const TreeViewControl&) = delete;
    TreeViewControl& operator=(const TreeViewControl&) = delete;

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
    // Rebuilds the pictures in the palette's colours, after they changed.
    void recolourPictures() { makePictures(); }

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
    void makePictures();
    void resumeRedraw();
    bool isExpanded(HTREEITEM item) const;

    TreePaint& paint_;
    const Palette& palette_;
    HWND tree_ = nullptr;
    HINSTANCE resources_ = nullptr;
    UINT dpi_ = 96;
    UniqueImageList pictures_;
    int bulkDepth_ = 0;
    ItemRef newestItem_ = 0;       // the item inserted last; it has no children
    bool newestExpanded_ = false;  // and was inserted marked expanded
};

}  // namespace quellon::win32

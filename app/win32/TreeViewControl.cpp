#include "app/win32/TreeViewControl.h"

#include <windowsx.h>

#include <array>

#include "app/Palette.h"
#include "app/win32/Dpi.h"
#include "platform/RuntimeError.h"
#include "resources/resource.h"

namespace quellon::win32 {

namespace {

struct Picture {
    int colour;
    int mask;  // monochrome, 1 = transparent
};

// In the order of the logic's image numbers 1 and 2.
constexpr std::array<Picture, 2> kPictures{{
    {IDB_WINDOW_VISIBLE, IDB_WINDOW_VISIBLE_MASK},
    {IDB_WINDOW_HIDDEN, IDB_WINDOW_HIDDEN_MASK},
}};

// An index past the end of the list: comctl32 draws nothing for it.
constexpr int kNoPicture = static_cast<int>(kPictures.size());

constexpr int kPictureSize96 = 16;

// Raster operation "destination AND NOT source".
constexpr DWORD kDestinationAndNotSource = 0x00220326;

HTREEITEM toItem(ItemRef item) { return reinterpret_cast<HTREEITEM>(item); }

// As a DIB section, whose pixels can be recoloured.
UniqueBitmap loadBitmap(HINSTANCE resources, int id) {
    return UniqueBitmap(
        static_cast<HBITMAP>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                          LR_DEFAULTCOLOR | LR_CREATEDIBSECTION)));
}

// Gives every pixel of a 24-bit picture the colour that the palette shows it in.
void recolour(HBITMAP picture, const Palette& palette) {
    DIBSECTION section{};
    if (::GetObjectW(picture, sizeof section, &section) != sizeof section) return;
    const BITMAP& bits = section.dsBm;
    if (bits.bmBitsPixel != 24 || !bits.bmBits) return;
    ::GdiFlush();
    for (int y = 0; y < bits.bmHeight; ++y) {
        auto* pixel =
            static_cast<BYTE*>(bits.bmBits) + static_cast<std::ptrdiff_t>(y) * bits.bmWidthBytes;
        for (int x = 0; x < bits.bmWidth; ++x, pixel += 3) {
            const COLORREF shown = palette.pictureColour(RGB(pixel[2], pixel[1], pixel[0]));
            pixel[0] = GetBValue(shown);
            pixel[1] = GetGValue(shown);
            pixel[2] = GetRValue(shown);
        }
    }
}

// Nearest-neighbour scaling keeps the pixel pictures sharp and their masks exact.
UniqueBitmap scaled(HBITMAP source, int size, bool monochrome) {
    const ClientDC screen;
    UniqueBitmap target(monochrome ? ::CreateBitmap(size, size, 1, 1, nullptr)
                                   : ::CreateCompatibleBitmap(screen.get(), size, size));
    const UniqueMemoryDC from(::CreateCompatibleDC(screen.get()));
    const UniqueMemoryDC to(::CreateCompatibleDC(screen.get()));
    if (!target || !from || !to) return {};
    BITMAP info{};
    ::GetObjectW(source, sizeof info, &info);
    const Selected selectedSource(from.get(), source);
    const Selected selectedTarget(to.get(), target.get());
    ::SetStretchBltMode(to.get(), COLORONCOLOR);
    ::StretchBlt(to.get(), 0, 0, size, size, from.get(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    return target;
}

// The image list draws a picture by masking the background and then combining the colours,
// so the colour bitmap must be black wherever the mask is transparent.
void blackenTransparentPixels(HBITMAP colour, HBITMAP mask, int size) {
    const ClientDC screen;
    const UniqueMemoryDC colourDC(::CreateCompatibleDC(screen.get()));
    const UniqueMemoryDC maskDC(::CreateCompatibleDC(screen.get()));
    if (!colourDC || !maskDC) return;
    const Selected selectedColour(colourDC.get(), colour);
    const Selected selectedMask(maskDC.get(), mask);
    // Monochrome to colour: 1 bits take the background colour, 0 bits the text colour.
    ::SetBkColor(colourDC.get(), RGB(255, 255, 255));
    ::SetTextColor(colourDC.get(), RGB(0, 0, 0));
    ::BitBlt(colourDC.get(), 0, 0, size, size, maskDC.get(), 0, 0, kDestinationAndNotSource);
}

void addPicture(HIMAGELIST list, HINSTANCE resources, const Picture& picture, int size,
                const Palette& palette) {
    const UniqueBitmap colour = loadBitmap(resources, picture.colour);
    const UniqueBitmap mask = loadBitmap(resources, picture.mask);
    if (!colour || !mask) return;
    if (palette.picturesRecoloured()) recolour(colour.get(), palette);
    const UniqueBitmap sizedColour = scaled(colour.get(), size, false);
    const UniqueBitmap sizedMask = scaled(mask.get(), size, true);
    if (!sizedColour || !sizedMask) return;
    blackenTransparentPixels(sizedColour.get(), sizedMask.get(), size);
    ::ImageList_Add(list, sizedColour.get(), sizedMask.get());
}

UniqueImageList pictureList(HINSTANCE resources, UINT dpi, const Palette& palette) {
    const int size = scaleToDpi(kPictureSize96, dpi);
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK,
                                          static_cast<int>(kPictures.size()), 0));
    if (list) {
        for (const Picture& picture : kPictures) {
            addPicture(list.get(), resources, picture, size, palette);
        }
    }
    return list;
}

}  // namespace

void TreeViewControl::attach(HWND tree, HINSTANCE resources, UINT dpi) {
    tree_ = tree;
    resources_ = resources;
    paint_.attach(tree_);
    setDpi(dpi);
}

void TreeViewControl::setDpi(UINT dpi) {
    dpi_ = dpi;
    makePictures();
}

void TreeViewControl::makePictures() {
    UniqueImageList pictures = pictureList(resources_, dpi_, palette_);
    // The control keeps using the list it was given; the old one goes only once replaced.
    TreeView_SetImageList(tree_, pictures.get(), TVSIL_NORMAL);
    pictures_ = std::move(pictures);
    paint_.picturesReplaced();
}

std::optional<std::uintptr_t> TreeViewControl::takeClick(const NMHDR& header) {
    if (header.hwndFrom != tree_ || header.code != NM_CLICK) return std::nullopt;
    const DWORD position = ::GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(tree_, &hit.pt);
    const HTREEITEM item = TreeView_HitTest(tree_, &hit);
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL))) return std::nullopt;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(tree_, &data)) return std::nullopt;
    TreeView_SelectItem(tree_, item);
    return static_cast<std::uintptr_t>(data.lParam);
}

std::optional<std::wstring> TreeViewControl::selectedText() const {
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    if (!selected) return std::nullopt;
    // Room for the longest entry: two texts of 254 characters, quotes, spaces and parentheses.
    std::array<wchar_t, 1024> text{};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = selected;
    data.pszText = text.data();
    data.cchTextMax = static_cast<int>(text.size());
    if (!TreeView_GetItem(tree_, &data)) return std::nullopt;
    return std::wstring(data.pszText);
}

std::vector<ListedEntry> TreeViewControl::entries() const {
    std::vector<ListedEntry> entries;
    std::array<wchar_t, 1024> text{};  // as for the selected item's text
    HTREEITEM item = TreeView_GetRoot(tree_);
    for (int depth = 0; item;) {
        TVITEMW data{};
        data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
        data.hItem = item;
        data.pszText = text.data();
        data.cchTextMax = static_cast<int>(text.size());
        if (TreeView_GetItem(tree_, &data)) {
            const int image = data.iImage >= 0 && data.iImage < kNoPicture ? data.iImage + 1 : 0;
            entries.push_back({depth, data.pszText, image, static_cast<NodeId>(data.lParam)});
        } else {
            entries.push_back({depth, {}, 0, 0});
        }
        if (const HTREEITEM child = TreeView_GetChild(tree_, item)) {
            item = child;
            ++depth;
            continue;
        }
        // On to the next sibling of the item, or of the nearest item above it that has one.
        for (HTREEITEM done = item; done; --depth) {
            item = TreeView_GetNextSibling(tree_, done);
            if (item) break;
            done = TreeView_GetParent(tree_, done);
        }
    }
    return entries;
}

void TreeViewControl::removeAll() {
    TreeView_DeleteAllItems(tree_);
    newestItem_ = 0;
    newestExpanded_ = false;
}

ItemRef TreeViewControl::insertLast(ItemRef parent, const std::wstring& text, int image,
                                    std::uintptr_t id) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? toItem(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = image > 0 ? image - 1 : kNoPicture;
    insert.item.iSelectedImage = insert.item.iImage;
    insert.item.lParam = static_cast<LPARAM>(id);
    // The logic expands every child right after adding it: marked so in the insert, the child
    // needs no second call, which a control may pay with a search for the item's handle. A
    // top-level item is marked only when expanded.
    insert.item.state = parent ? TVIS_EXPANDED : 0;
    insert.item.stateMask = TVIS_EXPANDED;
    const HTREEITEM item = TreeView_InsertItem(tree_, &insert);
    if (!item) raise(ErrorNumber::OutOfMemory);
    newestItem_ = reinterpret_cast<ItemRef>(item);
    newestExpanded_ = parent != 0;
    return newestItem_;
}

void TreeViewControl::expand(ItemRef item) {
    if (item == newestItem_ && newestExpanded_) return;
    // comctl32 ignores TVE_EXPAND on an item without children; the state flag alone makes the
    // children added later show. The newest item has none yet, and not asking saves a search.
    if (item != newestItem_ && TreeView_GetChild(tree_, toItem(item))) {
        TreeView_Expand(tree_, toItem(item), TVE_EXPAND);
        return;
    }
    TVITEMW state{};
    state.mask = TVIF_STATE;
    state.hItem = toItem(item);
    state.state = TVIS_EXPANDED;
    state.stateMask = TVIS_EXPANDED;
    TreeView_SetItem(tree_, &state);
}

void TreeViewControl::select(ItemRef item) {
    // TVGN_CARET opens the ancestors only of an item it believes hidden, and while repainting
    // is suspended that belief can be stale; open them here so the selection always shows.
    for (HTREEITEM parent = TreeView_GetParent(tree_, toItem(item)); parent;
         parent = TreeView_GetParent(tree_, parent)) {
        if (!isExpanded(parent)) TreeView_Expand(tree_, parent, TVE_EXPAND);
    }
    TreeView_SelectItem(tree_, toItem(item));
}

void TreeViewControl::beginBulkUpdate() {
    if (bulkDepth_++ == 0) ::SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
}

void TreeViewControl::endBulkUpdate() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0) return;
    paint_.endRebuild([this] { resumeRedraw(); });
}

// Redrawing on again, and the selection scrolled into view.
void TreeViewControl::resumeRedraw() {
    ::SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    if (const HTREEITEM selected = TreeView_GetSelection(tree_)) {
        TreeView_EnsureVisible(tree_, selected);
    }
}

bool TreeViewControl::isExpanded(HTREEITEM item) const {
    return (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

}  // namespace quellon::win32

#include "app/win32/TreeViewControl.h"

#include <windowsx.h>

#include <array>

#include "app/win32/Dpi.h"
#include "app/win32/Wine.h"
#include "app/win32/WineTreePaint.h"
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

UniqueBitmap loadBitmap(HINSTANCE resources, int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
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

void addPicture(HIMAGELIST list, HINSTANCE resources, const Picture& picture, int size) {
    const UniqueBitmap colour = loadBitmap(resources, picture.colour);
    const UniqueBitmap mask = loadBitmap(resources, picture.mask);
    if (!colour || !mask) return;
    const UniqueBitmap sizedColour = scaled(colour.get(), size, false);
    const UniqueBitmap sizedMask = scaled(mask.get(), size, true);
    if (!sizedColour || !sizedMask) return;
    blackenTransparentPixels(sizedColour.get(), sizedMask.get(), size);
    ::ImageList_Add(list, sizedColour.get(), sizedMask.get());
}

UniqueImageList makePictures(HINSTANCE resources, UINT dpi) {
    const int size = scaleToDpi(kPictureSize96, dpi);
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK,
                                          static_cast<int>(kPictures.size()), 0));
    if (list) {
        for (const Picture& picture : kPictures) addPicture(list.get(), resources, picture, size);
    }
    return list;
}

}  // namespace

HDC TreeViewControl::Buffer::fit(SIZE size) {
    if (dc_ && size.cx == size_.cx && size.cy == size_.cy) return dc_.get();
    clear();
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_) {
        clear();
        return nullptr;
    }
    selected_.emplace(dc_.get(), bitmap_.get());
    size_ = size;
    return dc_.get();
}

void TreeViewControl::Buffer::clear() {
    selected_.reset();
    bitmap_.reset();
    dc_.reset();
    size_ = {};
}

void TreeViewControl::attach(HWND tree, HINSTANCE resources, UINT dpi) {
    tree_ = tree;
    resources_ = resources;
    quietScrollBars_ = wineCodeActive();
    setDpi(dpi);
    // Subclassed directly rather than with SetWindowSubclass, whose chain Wine pays for with
    // window-property look-ups on every message.
    ::SetWindowLongPtrW(tree_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProcedure_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
}

LRESULT CALLBACK TreeViewControl::procedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TreeViewControl*>(::GetWindowLongPtrW(tree, GWLP_USERDATA));
    const WNDPROC control = self->controlProcedure_;
    switch (message) {
        case WM_ERASEBKGND:
            // The screen is left alone, since the buffer's copy covers it; the buffer is erased.
            if (reinterpret_cast<HDC>(wParam) == self->buffer_.dc()) break;
            return TRUE;
        case WM_PAINT:
            if (wParam) break;  // a paint into a given DC, which the control does itself
            self->paint();
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
            ::SetWindowLongPtrW(tree, GWLP_USERDATA, 0);
            break;
        default: break;
    }
    return ::CallWindowProcW(control, tree, message, wParam, lParam);
}

void TreeViewControl::paint() {
    const PaintDC painting(tree_);
    if (painting.get()) paintOnto(painting.get(), painting.area(), [] {});
}

// Runs `first`, prints the tree into the buffer and copies `area` of it onto `screen` (nothing:
// the whole client area, as `first` left it); under Wine with the scroll bars quiet all the while.
// Drawn in a memory DC, the pictures cost no questions to the display driver: under Wine every
// picture drawn on the screen asked for its settings twice.
void TreeViewControl::paintOnto(HDC screen, std::optional<RECT> area,
                                const std::function<void()>& first) {
    HDC buffer = nullptr;
    {
        std::optional<wine::QuietScrollBars> quiet;
        if (quietScrollBars_) quiet.emplace(tree_);
        first();
        RECT client{};
        ::GetClientRect(tree_, &client);
        if (!area) area = client;
        buffer = buffer_.fit({client.right, client.bottom});
        if (buffer) print(buffer);
    }
    if (!buffer) {
        print(screen);
        return;
    }
    ::BitBlt(screen, area->left, area->top, area->right - area->left, area->bottom - area->top,
             buffer, area->left, area->top, SRCCOPY);
}

// Draws the whole client area into `target`, through the control's own WM_PRINTCLIENT.
void TreeViewControl::print(HDC target) const {
    ::SendMessageW(tree_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target),
                   PRF_CLIENT | PRF_ERASEBKGND);
}

void TreeViewControl::setDpi(UINT dpi) {
    buffer_.clear();
    UniqueImageList pictures = makePictures(resources_, dpi);
    // The control keeps using the list it was given; the old one goes only once replaced.
    TreeView_SetImageList(tree_, pictures.get(), TVSIL_NORMAL);
    pictures_ = std::move(pictures);
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
            if ((item = TreeView_GetNextSibling(tree_, done))) break;
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
    // needs no second call, which Wine's comctl32 pays with a walk of its list of all items to
    // find the handle. A top-level item is marked only when expanded.
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
    if (!quietScrollBars_) {
        resumeRedraw();
        ::RedrawWindow(tree_, nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    // Under Wine laid out and painted at once, rather than invalidated and painted through
    // WM_PAINT: one quiet stretch instead of two, and the frame left as it is.
    const ClientDC screen(tree_);
    if (screen.get()) paintOnto(screen.get(), std::nullopt, [this] { resumeRedraw(); });
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

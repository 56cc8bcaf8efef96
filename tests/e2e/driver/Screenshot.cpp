#include "Screenshot.h"

#include <cstdio>
#include <vector>

#include "OwnedHandles.h"
#include "Text.h"

namespace e2e {

namespace {

std::wstring screenshotFolder() { return environmentVariable(L"QUELLON_E2E_SCREENSHOTS"); }

// The area's pixels, bottom row first, each row padded to four bytes as a BMP keeps them.
std::vector<BYTE> grab(const RECT& area, BITMAPINFOHEADER& header) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<size_t>((width * 3 + 3) / 4 * 4) * height);
    const ClientDC screen;
    const UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        // GetDIBits wants the bitmap selected into no device context.
        const Selected copy(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = header;
    if (!GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS)) {
        pixels.clear();
    }
    return pixels;
}

}  // namespace

std::wstring saveScreenshot(const RECT& area, const std::wstring& name) {
    std::wstring folder = screenshotFolder();
    if (folder.empty() || area.right <= area.left || area.bottom <= area.top) return {};
    CreateDirectoryW(folder.c_str(), nullptr);
    BITMAPINFOHEADER header;
    std::vector<BYTE> pixels = grab(area, header);
    if (pixels.empty()) return {};

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::wstring path = folder + L"\\" + name + L".bmp";
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return {};
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                   std::fwrite(&header, sizeof header, 1, out) == 1 &&
                   std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    written = std::fclose(out) == 0 && written;
    return written ? path : std::wstring();
}

}  // namespace e2e

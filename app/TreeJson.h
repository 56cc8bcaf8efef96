// The tree of a dump as one JSON document (/dump ... /json), for scripts: the window the tree
// shows, every window of the tree as an object nested in the tree's order with what the system
// says of it, and the details box's five values. Each window's text and class are as the walk
// read them; its place, size, styles, process and thread are asked as the document is made.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/TextsRead.h"
#include "app/TreeText.h"
#include "platform/Platform.h"
#include "platform/WindowGeometry.h"

namespace quellon {

// What the document says of a window beyond its entry; nothing where a step failed or the
// window was gone by the time it was asked (it went after the walk found it).
struct WindowProperties {
    std::optional<Rect> rect;  // the window's rectangle on the screen, in physical pixels
    std::optional<Rect> client;
    std::optional<std::uint32_t> style;
    std::optional<std::uint32_t> exStyle;
    std::optional<std::uint32_t> processId;
    std::optional<std::uint32_t> threadId;
};

// Every step that fails is reported as the tool reports it.
[[nodiscard]] WindowProperties readProperties(const Platform& platform, WindowGeometry& geometry,
                                              Hwnd window);

// The document, in UTF-8 as UTF-16 text: "target", the window the tree shows; "windows", the
// entries below "DesktopWindow"; "details", the values of the details text, when there is one.
// Each window object begins a line of its own, indented by its depth.
[[nodiscard]] std::wstring treeJson(const std::vector<ShownEntry>& entries, const TextsRead& texts,
                                    const Platform& platform, WindowGeometry& geometry, Hwnd target,
                                    const std::optional<std::wstring>& details);

}  // namespace quellon

#include "app/TreeJson.h"

#include <algorithm>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "app/DetailsLines.h"
#include "app/Utf8.h"
#include "platform/Procedure.h"

namespace quellon {

namespace {

// Objects keep their fields in the order written, as the README lists them.
using Json = nlohmann::ordered_json;

constexpr ProcedureName kPropertiesProcedure{L"GetProperties", L"Modul TreeJson"};

// Every text is valid UTF-8 already (utf8 replaces lone surrogates); nothing can make this throw.
std::string written(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// The object's text without its closing brace, for fields written after it.
std::string opened(const Json& object) {
    std::string text = written(object);
    text.pop_back();
    return text;
}

template <class Value>
Json orNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json();
}

Json rectJson(const std::optional<Rect>& rect) {
    if (!rect) return {};
    return {
        {"left", rect->left}, {"top", rect->top}, {"right", rect->right}, {"bottom", rect->bottom}};
}

Json sizeJson(const std::optional<Rect>& client) {
    if (!client) return {};
    return {{"width", std::int64_t{client->right} - client->left},
            {"height", std::int64_t{client->bottom} - client->top}};
}

Json windowJson(const ShownEntry& entry, const TextsRead::Texts& texts,
                const WindowProperties& properties) {
    Json window;
    window["handle"] = *entry.window;
    window["text"] = utf8(texts.text);
    window["class"] = utf8(texts.className);
    window["visible"] = entry.visible;
    window["rect"] = rectJson(properties.rect);
    window["clientSize"] = sizeJson(properties.client);
    window["style"] = orNull(properties.style);
    window["exStyle"] = orNull(properties.exStyle);
    window["processId"] = orNull(properties.processId);
    window["threadId"] = orNull(properties.threadId);
    window["chain"] = entry.inChain;
    return window;
}

Json detailsJson(const std::wstring& details) {
    constexpr const char* kKeys[kDetailsLineCount] = {"handle", "class", "processId", "module",
                                                      "size"};
    const auto values = detailsValues(details);
    Json object;
    for (std::size_t i = 0; i < kDetailsLineCount; ++i) {
        object[kKeys[i]] = values[i] ? Json(utf8(*values[i])) : Json();
    }
    return object;
}

}  // namespace

WindowProperties readProperties(const Platform& platform, WindowGeometry& geometry, Hwnd window) {
    WindowProperties properties;
    runNumbered(platform.reports, kPropertiesProcedure, [&](int& line) {
        line = 20;
        if (Rect rect; geometry.getWindowRect(window, rect)) properties.rect = rect;
        line = 30;
        if (Rect client; platform.screen.getClientRect(window, client)) properties.client = client;
        line = 40;
        properties.style =
            static_cast<std::uint32_t>(platform.screen.getWindowLong(window, win::kGwlStyle));
        line = 50;
        properties.exStyle =
            static_cast<std::uint32_t>(platform.screen.getWindowLong(window, win::kGwlExStyle));
        line = 60;
        std::uint32_t processId = 0;
        if (const std::uint32_t thread =
                platform.processes.getWindowThreadProcessId(window, &processId)) {
            properties.processId = processId;
            properties.threadId = thread;
        }
        line = 70;
        // Asked last: a window gone by now may have answered anything before.
        if (!geometry.isWindow(window)) properties = {};
    });
    return properties;
}

std::wstring treeJson(const std::vector<ShownEntry>& entries, const TextsRead& texts,
                      const Platform& platform, WindowGeometry& geometry, Hwnd target,
                      const std::optional<std::wstring>& details) {
    std::string document = opened(Json{{"target", target}}) + ",\"windows\":[";
    // Nested by an explicit stack of the windows whose children are being written, so that a
    // chain of windows of any depth takes no more of the call stack.
    std::vector<int> open;
    bool first = true;
    for (const ShownEntry& entry : entries) {
        if (!entry.window) continue;
        while (!open.empty() && open.back() >= entry.depth) {
            document += "]}";
            open.pop_back();
            first = false;
        }
        if (!first) document += ',';
        document += '\n';
        document.append(2 * static_cast<std::size_t>(std::max(entry.depth - 1, 0)), ' ');
        const WindowProperties properties = readProperties(platform, geometry, *entry.window);
        document += opened(windowJson(entry, texts.of(*entry.window), properties));
        document += ",\"children\":[";
        open.push_back(entry.depth);
        first = true;
    }
    for (; !open.empty(); open.pop_back()) document += "]}";
    document += ']';
    if (details) document += ",\n\"details\":" + written(detailsJson(*details));
    document += "}\n";
    return utf16(document);
}

}  // namespace quellon

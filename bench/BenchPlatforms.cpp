#include "bench/BenchPlatforms.h"

#include <algorithm>
#include <array>

namespace quellon::bench {

namespace {

// Wider than any buffer the tool passes, so a replayed text query copies what the tool's did.
constexpr int kReplayCapacity = 1024;

int replayedCapacity(const Query& query) { return std::min(query.capacity, kReplayCapacity); }

}  // namespace

bool ForwardingPlatform::getCursorPos(Point& point) { return inner_.getCursorPos(point); }
Hwnd ForwardingPlatform::windowFromPoint(Point point) { return inner_.windowFromPoint(point); }
Hwnd ForwardingPlatform::getWindow(Hwnd window, Relation relation) {
    return inner_.getWindow(window, relation);
}
Hwnd ForwardingPlatform::getParent(Hwnd window) { return inner_.getParent(window); }
Hwnd ForwardingPlatform::getAncestor(Hwnd window, unsigned flags) {
    return inner_.getAncestor(window, flags);
}
Hwnd ForwardingPlatform::getDesktopWindow() { return inner_.getDesktopWindow(); }
bool ForwardingPlatform::isWindowVisible(Hwnd window) { return inner_.isWindowVisible(window); }
int ForwardingPlatform::getWindowText(Hwnd window, wchar_t* buffer, int capacity) {
    return inner_.getWindowText(window, buffer, capacity);
}
int ForwardingPlatform::getClassName(Hwnd window, wchar_t* buffer, int capacity) {
    return inner_.getClassName(window, buffer, capacity);
}
std::uint32_t ForwardingPlatform::getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    return inner_.getWindowThreadProcessId(window, processId);
}
bool ForwardingPlatform::getClientRect(Hwnd window, Rect& rect) {
    return inner_.getClientRect(window, rect);
}
Handle ForwardingPlatform::getDC(Hwnd window) { return inner_.getDC(window); }
int ForwardingPlatform::releaseDC(Hwnd window, Handle dc) { return inner_.releaseDC(window, dc); }
bool ForwardingPlatform::invertRect(Handle dc, const Rect& rect) {
    return inner_.invertRect(dc, rect);
}
bool ForwardingPlatform::setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                                      unsigned flags) {
    return inner_.setWindowPos(window, insertAfter, x, y, cx, cy, flags);
}
std::int32_t ForwardingPlatform::getWindowLong(Hwnd window, int index) {
    return inner_.getWindowLong(window, index);
}
std::int32_t ForwardingPlatform::setWindowLong(Hwnd window, int index, std::int32_t value) {
    return inner_.setWindowLong(window, index, value);
}
bool ForwardingPlatform::setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey,
                                                    std::uint8_t alpha, std::uint32_t flags) {
    return inner_.setLayeredWindowAttributes(window, colorKey, alpha, flags);
}
void ForwardingPlatform::messageBox(const std::wstring& text) { inner_.messageBox(text); }

std::uint32_t ForwardingPlatform::getVersion() { return inner_.getVersion(); }
Handle ForwardingPlatform::createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    return inner_.createToolhelp32Snapshot(flags, processId);
}
bool ForwardingPlatform::process32First(Handle snapshot, ProcessRecord& record) {
    return inner_.process32First(snapshot, record);
}
bool ForwardingPlatform::process32Next(Handle snapshot, ProcessRecord& record) {
    return inner_.process32Next(snapshot, record);
}
Handle ForwardingPlatform::openProcess(std::uint32_t access, bool inherit,
                                       std::uint32_t processId) {
    return inner_.openProcess(access, inherit, processId);
}
bool ForwardingPlatform::closeHandle(Handle handle) { return inner_.closeHandle(handle); }
void ForwardingPlatform::sleep(std::uint32_t milliseconds) { inner_.sleep(milliseconds); }
bool ForwardingPlatform::queryFullProcessImageName(Handle process, std::uint32_t flags,
                                                   wchar_t* buffer, std::uint32_t* size) {
    return inner_.queryFullProcessImageName(process, flags, buffer, size);
}

bool ForwardingPlatform::enumProcessModules(Handle process, ModuleHandle* modules,
                                            std::uint32_t bytes, std::uint32_t* bytesNeeded) {
    return inner_.enumProcessModules(process, modules, bytes, bytesNeeded);
}
std::uint32_t ForwardingPlatform::getModuleFileNameEx(Handle process, ModuleHandle module,
                                                      wchar_t* buffer, std::uint32_t capacity) {
    return inner_.getModuleFileNameEx(process, module, buffer, capacity);
}

std::wstring ForwardingPlatform::fromActiveCodePage(std::string_view narrow) {
    return inner_.fromActiveCodePage(narrow);
}
std::wstring ForwardingPlatform::decimalSeparator() { return inner_.decimalSeparator(); }

Hwnd AimedPlatform::windowFromPoint(Point) { return target_; }

void AimedPlatform::messageBox(const std::wstring& text) { reports_.push_back(text); }

bool RecordingPlatform::getCursorPos(Point& point) {
    const bool ok = inner_.getCursorPos(point);
    log_.push_back({.kind = Query::Kind::CursorPos, .answer = ok});
    return ok;
}

Hwnd RecordingPlatform::getWindow(Hwnd window, Relation relation) {
    const Hwnd found = inner_.getWindow(window, relation);
    log_.push_back(
        {.kind = Query::Kind::Window, .window = window, .relation = relation, .answer = found});
    return found;
}

Hwnd RecordingPlatform::getParent(Hwnd window) {
    const Hwnd parent = inner_.getParent(window);
    log_.push_back({.kind = Query::Kind::Parent, .window = window, .answer = parent});
    return parent;
}

Hwnd RecordingPlatform::getAncestor(Hwnd window, unsigned flags) {
    const Hwnd ancestor = inner_.getAncestor(window, flags);
    log_.push_back(
        {.kind = Query::Kind::Ancestor, .window = window, .flags = flags, .answer = ancestor});
    return ancestor;
}

bool RecordingPlatform::isWindowVisible(Hwnd window) {
    const bool visible = inner_.isWindowVisible(window);
    log_.push_back({.kind = Query::Kind::Visible, .window = window, .answer = visible});
    return visible;
}

int RecordingPlatform::getWindowText(Hwnd window, wchar_t* buffer, int capacity) {
    const int count = inner_.getWindowText(window, buffer, capacity);
    log_.push_back({.kind = Query::Kind::Text,
                    .window = window,
                    .capacity = capacity,
                    .answer = count,
                    .text = std::wstring(buffer, static_cast<std::size_t>(std::max(count, 0)))});
    return count;
}

int RecordingPlatform::getClassName(Hwnd window, wchar_t* buffer, int capacity) {
    const int count = inner_.getClassName(window, buffer, capacity);
    log_.push_back({.kind = Query::Kind::ClassName,
                    .window = window,
                    .capacity = capacity,
                    .answer = count,
                    .text = std::wstring(buffer, static_cast<std::size_t>(std::max(count, 0)))});
    return count;
}

const Query* AnsweringPlatform::take(Query::Kind kind, Hwnd window) {
    if (diverged_ || next_ == log_.size() || log_[next_].kind != kind ||
        log_[next_].window != window) {
        diverged_ = true;
        return nullptr;
    }
    return &log_[next_++];
}

bool AnsweringPlatform::getCursorPos(Point& point) {
    point = {};
    const Query* query = take(Query::Kind::CursorPos, 0);
    return query && query->answer != 0;
}

Hwnd AnsweringPlatform::getWindow(Hwnd window, Relation relation) {
    const Query* query = take(Query::Kind::Window, window);
    if (query && query->relation != relation) diverged_ = true;
    return query && !diverged_ ? query->answer : 0;
}

Hwnd AnsweringPlatform::getParent(Hwnd window) {
    const Query* query = take(Query::Kind::Parent, window);
    return query ? query->answer : 0;
}

Hwnd AnsweringPlatform::getAncestor(Hwnd window, unsigned flags) {
    const Query* query = take(Query::Kind::Ancestor, window);
    if (query && query->flags != flags) diverged_ = true;
    return query && !diverged_ ? query->answer : 0;
}

bool AnsweringPlatform::isWindowVisible(Hwnd window) {
    const Query* query = take(Query::Kind::Visible, window);
    return query && query->answer != 0;
}

int AnsweringPlatform::answerText(Query::Kind kind, Hwnd window, wchar_t* buffer, int capacity) {
    const Query* query = take(kind, window);
    if (!query || query->capacity != capacity || capacity < 1) {
        diverged_ = true;
        if (capacity > 0) buffer[0] = L'\0';
        return 0;
    }
    std::copy(query->text.begin(), query->text.end(), buffer);
    buffer[query->text.size()] = L'\0';
    return query->answer;
}

int AnsweringPlatform::getWindowText(Hwnd window, wchar_t* buffer, int capacity) {
    return answerText(Query::Kind::Text, window, buffer, capacity);
}

int AnsweringPlatform::getClassName(Hwnd window, wchar_t* buffer, int capacity) {
    return answerText(Query::Kind::ClassName, window, buffer, capacity);
}

void replayQueries(Platform& api, const QueryLog& log) {
    std::array<wchar_t, kReplayCapacity> buffer{};
    Point point;
    for (const Query& query : log) {
        switch (query.kind) {
            case Query::Kind::CursorPos: api.getCursorPos(point); break;
            case Query::Kind::Window: api.getWindow(query.window, query.relation); break;
            case Query::Kind::Parent: api.getParent(query.window); break;
            case Query::Kind::Ancestor: api.getAncestor(query.window, query.flags); break;
            case Query::Kind::Visible: api.isWindowVisible(query.window); break;
            case Query::Kind::Text:
                api.getWindowText(query.window, buffer.data(), replayedCapacity(query));
                break;
            case Query::Kind::ClassName:
                api.getClassName(query.window, buffer.data(), replayedCapacity(query));
                break;
        }
    }
}

}  // namespace quellon::bench

// Platforms that the benchmark puts between the tool's logic and the real window system: one
// aims the probe at a chosen window, one records every query a rebuild makes, one answers the
// queries from such a recording without asking the system, and a replay makes exactly the
// recorded queries with no logic around them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace quellon::bench {

// Passes every call through to the platform underneath.
class ForwardingPlatform : public Platform {
public:
    explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

    bool getCursorPos(Point& point) override;
    Hwnd windowFromPoint(Point point) override;
    Hwnd getWindow(Hwnd window, Relation relation) override;
    Hwnd getParent(Hwnd window) override;
    Hwnd getAncestor(Hwnd window, unsigned flags) override;
    Hwnd getDesktopWindow() override;
    bool isWindowVisible(Hwnd window) override;
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override;
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override;
    std::uint32_t getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) override;
    bool getClientRect(Hwnd window, Rect& rect) override;
    Handle getDC(Hwnd window) override;
    int releaseDC(Hwnd window, Handle dc) override;
    bool invertRect(Handle dc, const Rect& rect) override;
    bool setWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    std::int32_t getWindowLong(Hwnd window, int index) override;
    std::int32_t setWindowLong(Hwnd window, int index, std::int32_t value) override;
    bool setLayeredWindowAttributes(Hwnd window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    void messageBox(const std::wstring& text) override;

    std::uint32_t getVersion() override;
    Handle createToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool process32First(Handle snapshot, ProcessRecord& record) override;
    bool process32Next(Handle snapshot, ProcessRecord& record) override;
    Handle openProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
    bool closeHandle(Handle handle) override;
    void sleep(std::uint32_t milliseconds) override;
    bool queryFullProcessImageName(Handle process, std::uint32_t flags, wchar_t* buffer,
                                   std::uint32_t* size) override;

    bool enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                            std::uint32_t* bytesNeeded) override;
    std::uint32_t getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                      std::uint32_t capacity) override;

    std::wstring fromActiveCodePage(std::string_view narrow) override;
    std::wstring decimalSeparator() override;

protected:
    Platform& inner_;
};

// The window under the pointer is always the target. Error reports are kept instead of shown,
// so that a failed rebuild ends the benchmark rather than waiting for someone to press OK.
class AimedPlatform : public ForwardingPlatform {
public:
    AimedPlatform(Platform& inner, Hwnd target) : ForwardingPlatform(inner), target_(target) {}

    Hwnd windowFromPoint(Point point) override;
    void messageBox(const std::wstring& text) override;

    const std::vector<std::wstring>& reports() const { return reports_; }

private:
    Hwnd target_;
    std::vector<std::wstring> reports_;
};

// One window-system query of a rebuild and the answer it got.
struct Query {
    enum class Kind { CursorPos, Window, Parent, Ancestor, Visible, Text, ClassName };
    Kind kind;
    Hwnd window = 0;
    Relation relation = Relation::Next;
    unsigned flags = 0;  // of GetAncestor
    int capacity = 0;
    Hwnd answer = 0;  // the window found, the visibility, or the character count
    std::wstring text = {};
};

using QueryLog = std::vector<Query>;

class RecordingPlatform : public AimedPlatform {
public:
    RecordingPlatform(Platform& inner, Hwnd target, QueryLog& log)
        : AimedPlatform(inner, target), log_(log) {}

    bool getCursorPos(Point& point) override;
    Hwnd getWindow(Hwnd window, Relation relation) override;
    Hwnd getParent(Hwnd window) override;
    Hwnd getAncestor(Hwnd window, unsigned flags) override;
    bool isWindowVisible(Hwnd window) override;
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override;
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override;

private:
    QueryLog& log_;
};

// Answers the queries of a rebuild from its recording, in order, so that what remains of the
// rebuild's time is the tool's own work. Any query that the recording does not hold next
// marks the run as diverged and answers nothing.
class AnsweringPlatform : public AimedPlatform {
public:
    AnsweringPlatform(Platform& inner, Hwnd target, const QueryLog& log)
        : AimedPlatform(inner, target), log_(log) {}

    bool getCursorPos(Point& point) override;
    Hwnd getWindow(Hwnd window, Relation relation) override;
    Hwnd getParent(Hwnd window) override;
    Hwnd getAncestor(Hwnd window, unsigned flags) override;
    bool isWindowVisible(Hwnd window) override;
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override;
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override;

    // Every recorded query was asked, in order, and nothing else.
    bool matchedLog() const { return !diverged_ && next_ == log_.size(); }

private:
    const Query* take(Query::Kind kind, Hwnd window);
    int answerText(Query::Kind kind, Hwnd window, wchar_t* buffer, int capacity);

    const QueryLog& log_;
    std::size_t next_ = 0;
    bool diverged_ = false;
};

// Makes the recorded queries again, with the same arguments, and nothing else.
void replayQueries(Platform& api, const QueryLog& log);

}  // namespace quellon::bench

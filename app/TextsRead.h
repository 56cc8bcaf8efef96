// The window queries of the platform underneath, keeping the text and the class name of each
// window as they were read last, cut as the tree cuts them: the JSON form of a dump writes them
// as the walk read them, and asks no window twice.
#pragma once

#include <string>
#include <unordered_map>

#include "app/TextBuffer.h"
#include "platform/WindowQueries.h"

namespace quellon {

class TextsRead final : public ForwardedWindowQueries {
public:
    using ForwardedWindowQueries::ForwardedWindowQueries;

    struct Texts {
        std::wstring text;
        std::wstring className;
    };
    // What was read of the window; empty texts for one never read, or whose reading failed.
    [[nodiscard]] const Texts& of(Hwnd window) const {
        static const Texts none;
        const auto found = read_.find(window);
        return found == read_.end() ? none : found->second;
    }

    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override {
        const int count = inner_.getWindowText(window, buffer, capacity);
        read_[window].text = copiedText(buffer, capacity, count);
        return count;
    }
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override {
        const int count = inner_.getClassName(window, buffer, capacity);
        read_[window].className = copiedText(buffer, capacity, count);
        return count;
    }

private:
    std::unordered_map<Hwnd, Texts> read_;
};

}  // namespace quellon

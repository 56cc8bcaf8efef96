// Where the error reports of the numbered procedures go.
#pragma once

#include <string>

namespace quellon {

class Reports {
public:
    virtual ~Reports() = default;

    // A modal box with only an OK button and the application title as caption.
    virtual void messageBox(const std::wstring& text) = 0;
};

}  // namespace quellon

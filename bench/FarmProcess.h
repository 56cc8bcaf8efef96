// The window farm as the benchmark sees it: started with a shape and a size, it hands over
// its target window, and ends when the object does.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Types.h"
#include "platform/win32/Unique.h"

namespace quellon::bench {

// A program of the benchmark's own folder (the window farm, the floor of the dumps).
std::wstring inBenchFolder(const wchar_t* program);

class FarmProcess {
public:
    // Starts quellon-windowfarm.exe from the benchmark's own folder and waits for its target;
    // throws std::runtime_error when the farm cannot be started or names no target.
    FarmProcess(const std::wstring& shape, int count);
    ~FarmProcess();
    FarmProcess(const FarmProcess&) = delete;
    FarmProcess& operator=(const FarmProcess&) = delete;

    Hwnd target() const { return target_; }

private:
    std::string readLine();
    void stop();

    win32::UniqueHandle toFarm_;    // the farm's standard input; closing it ends the farm
    win32::UniqueHandle fromFarm_;  // the farm's standard output
    win32::UniqueHandle process_;
    Hwnd target_ = 0;
};

}  // namespace quellon::bench

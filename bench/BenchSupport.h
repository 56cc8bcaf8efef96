// What the benchmark's two ways of timing share: the cases, timing and medians, and rebuilds by
// the tool's logic alone, for recording the queries of a rebuild or timing the logic.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/FormHost.h"
#include "app/ProbeOutline.h"
#include "app/frmMain.h"
#include "app/treeview/Nodes.h"
#include "platform/Platform.h"
#include "platform/WindowGeometry.h"

namespace quellon::bench {

using Clock = std::chrono::steady_clock;

// A target window of the farm's shape (nested, flat or dialog) with `count` descendants.
struct Case {
    std::wstring shape;
    int count;
};

// "shape:COUNT"; false for anything else.
inline bool parseCase(const std::wstring& argument, Case& benchCase) {
    const std::size_t colon = argument.find(L':');
    if (colon == std::wstring::npos) return false;
    benchCase.shape = argument.substr(0, colon);
    benchCase.count = _wtoi(argument.c_str() + colon + 1);
    const bool known =
        benchCase.shape == L"nested" || benchCase.shape == L"flat" || benchCase.shape == L"dialog";
    return known && benchCase.count > 0;
}

template <class Work>
double millis(Work&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The tree the logic fills when only the logic is to be timed.
class NullTree : public TreeBackend {
public:
    void removeAll() override {}
    ItemRef insertLast(ItemRef, const std::wstring&, int, std::uintptr_t) override {
        return ++items_;
    }
    void expand(ItemRef) override {}
    void select(ItemRef) override {}
    void beginBulkUpdate() override {}
    void endBulkUpdate() override {}

private:
    ItemRef items_ = 0;
};

// A rebuild by the logic alone, as a move of the probe onto the window that the queries aim at
// makes it, outside any drag. A fresh main-window object has shown no target yet, so the move
// always rebuilds.
inline void rebuildByLogic(const Platform& platform, FormHost& host, Nodes& nodes,
                           WindowGeometry& geometry) {
    NoOutlineFrames noFrames;
    ProbeOutline idle(geometry, noFrames);
    FrmMain form(platform, host, nodes, geometry, idle);
    form.Form_Load();
    form.r1_MouseMove(kLeftButton, Point{});
}

}  // namespace quellon::bench

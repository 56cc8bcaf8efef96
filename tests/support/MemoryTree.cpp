#include "tests/support/MemoryTree.h"

namespace quellon::test {

std::wstring MemoryTree::describe() const {
    std::wstring out;
    for (const auto& [ref, depth] : inDisplayOrder()) {
        const Item& it = item(ref);
        out.append(static_cast<std::size_t>(depth) * 2, L' ');
        if (ref == selected()) out += L'*';
        out += it.text;
        if (it.image) out += L" [" + std::to_wstring(it.image) + L"]";
        if (it.expanded) out += L" +";
        out += L'\n';
    }
    return out;
}

}  // namespace quellon::test

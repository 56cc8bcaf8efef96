#include "bench/BenchQueries.h"

#include <algorithm>
#include <array>

namespace quellon::bench {

namespace {

// Wider than any buffer the tool passes, so a replayed text query copies what the tool's did.
constexpr int kReplayCapacity = 1024;

int replayedCapacity(const Query& query) { return std::min(query.capacity, kReplayCapacity); }

// Asks the recorded question again, with a buffer of kReplayCapacity characters for texts.
Hwnd ask(WindowQueries& windows, const Query& query, wchar_t* buffer) {
    Point point;
    switch (query.kind) {
        case Query::Kind::CursorPos: return windows.getCursorPos(point);
        case Query::Kind::Window: return windows.getWindow(query.window, query.relation);
        case Query::Kind::Parent: return windows.getParent(query.window);
        case Query::Kind::Ancestor: return windows.getAncestor(query.window, query.flags);
        case Query::Kind::Visible: return windows.isWindowVisible(query.window);
        case Query::Kind::Text:
            return windows.getWindowText(query.window, buffer, replayedCapacity(query));
        case Query::Kind::ClassName:
            return windows.getClassName(query.window, buffer, replayedCapacity(query));
    }
    return 0;
}

}  // namespace

bool Query::asks(const Query& other) const {
    return kind == other.kind && window == other.window && relation == other.relation &&
           flags == other.flags && capacity == other.capacity;
}

int RecordingQueries::loggedText(Query query, const wchar_t* buffer, int count) {
    query.text.assign(buffer, static_cast<std::size_t>(std::max(count, 0)));
    return logged(std::move(query), count);
}

const Query* AnsweringQueries::take(const Query& asked) {
    if (diverged_ || next_ == log_.size() || !log_[next_].asks(asked)) {
        diverged_ = true;
        return nullptr;
    }
    return &log_[next_++];
}

Hwnd AnsweringQueries::answer(const Query& asked) {
    const Query* query = take(asked);
    return query ? query->answer : 0;
}

int AnsweringQueries::answerText(const Query& asked, wchar_t* buffer) {
    const Query* query = take(asked);
    if (!query || asked.capacity < 1) {
        diverged_ = true;
        if (asked.capacity > 0) buffer[0] = L'\0';
        return 0;
    }
    std::copy(query->text.begin(), query->text.end(), buffer);
    buffer[query->text.size()] = L'\0';
    return query->answer;
}

void replayQueries(WindowQueries& windows, const QueryLog& log) {
    std::array<wchar_t, kReplayCapacity> buffer{};
    for (const Query& query : log) static_cast<void>(ask(windows, query, buffer.data()));
}

}  // namespace quellon::bench

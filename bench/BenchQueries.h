// What the benchmark puts between the tool's logic and the real window system: window queries
// that aim the probe at a chosen window, that record every query a rebuild makes, or that
// answer the queries from such a recording without asking the system; reports that are kept
// instead of shown; and a replay that makes exactly the recorded queries with no logic around
// them. Everything else the logic asks goes to the real platform unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Reports.h"
#include "platform/WindowQueries.h"

namespace quellon::bench {

// Kept, so that a failed rebuild ends the benchmark rather than waiting for someone to press OK.
class KeptReports : public Reports {
public:
    void messageBox(const std::wstring& text) override { kept.push_back(text); }

    std::vector<std::wstring> kept;
};

// The queries of the platform underneath; the window under the pointer is always the target.
class AimedQueries : public ForwardedWindowQueries {
public:
    AimedQueries(WindowQueries& inner, Hwnd target)
        : ForwardedWindowQueries(inner), target_(target) {}

    void aim(Hwnd target) { target_ = target; }

    Hwnd windowFromPoint(Point) override { return target_; }

private:
    Hwnd target_;
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

    // The same question, whatever the answer.
    bool asks(const Query& other) const;
};

using QueryLog = std::vector<Query>;

class RecordingQueries : public AimedQueries {
public:
    RecordingQueries(WindowQueries& inner, Hwnd target, QueryLog& log)
        : AimedQueries(inner, target), log_(log) {}

    bool getCursorPos(Point& point) override {
        return logged({.kind = Query::Kind::CursorPos}, inner_.getCursorPos(point));
    }
    Hwnd getWindow(Hwnd window, Relation relation) override {
        return logged({.kind = Query::Kind::Window, .window = window, .relation = relation},
                      inner_.getWindow(window, relation));
    }
    Hwnd getParent(Hwnd window) override {
        return logged({.kind = Query::Kind::Parent, .window = window}, inner_.getParent(window));
    }
    Hwnd getAncestor(Hwnd window, unsigned flags) override {
        return logged({.kind = Query::Kind::Ancestor, .window = window, .flags = flags},
                      inner_.getAncestor(window, flags));
    }
    bool isWindowVisible(Hwnd window) override {
        return logged({.kind = Query::Kind::Visible, .window = window},
                      inner_.isWindowVisible(window));
    }
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override {
        return loggedText({.kind = Query::Kind::Text, .window = window, .capacity = capacity},
                          buffer, inner_.getWindowText(window, buffer, capacity));
    }
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override {
        return loggedText({.kind = Query::Kind::ClassName, .window = window, .capacity = capacity},
                          buffer, inner_.getClassName(window, buffer, capacity));
    }

private:
    template <class Answer>
    Answer logged(Query query, Answer answer) {
        query.answer = static_cast<Hwnd>(answer);
        log_.push_back(std::move(query));
        return answer;
    }
    int loggedText(Query query, const wchar_t* buffer, int count);

    QueryLog& log_;
};

// Answers the queries of a rebuild from its recording, in order, so that what remains of the
// rebuild's time is the tool's own work. Any query that the recording does not hold next
// marks the run as diverged and answers nothing.
class AnsweringQueries : public AimedQueries {
public:
    AnsweringQueries(WindowQueries& inner, Hwnd target, const QueryLog& log)
        : AimedQueries(inner, target), log_(log) {}

    bool getCursorPos(Point& point) override {
        point = {};
        return answer({.kind = Query::Kind::CursorPos}) != 0;
    }
    Hwnd getWindow(Hwnd window, Relation relation) override {
        return answer({.kind = Query::Kind::Window, .window = window, .relation = relation});
    }
    Hwnd getParent(Hwnd window) override {
        return answer({.kind = Query::Kind::Parent, .window = window});
    }
    Hwnd getAncestor(Hwnd window, unsigned flags) override {
        return answer({.kind = Query::Kind::Ancestor, .window = window, .flags = flags});
    }
    bool isWindowVisible(Hwnd window) override {
        return answer({.kind = Query::Kind::Visible, .window = window}) != 0;
    }
    int getWindowText(Hwnd window, wchar_t* buffer, int capacity) override {
        return answerText({.kind = Query::Kind::Text, .window = window, .capacity = capacity},
                          buffer);
    }
    int getClassName(Hwnd window, wchar_t* buffer, int capacity) override {
        return answerText({.kind = Query::Kind::ClassName, .window = window, .capacity = capacity},
                          buffer);
    }

    // Every recorded query was asked, in order, and nothing else.
    [[nodiscard]] bool matchedLog() const { return !diverged_ && next_ == log_.size(); }

private:
    const Query* take(const Query& asked);
    Hwnd answer(const Query& asked);
    int answerText(const Query& asked, wchar_t* buffer);

    const QueryLog& log_;
    std::size_t next_ = 0;
    bool diverged_ = false;
};

// Makes the recorded queries again, with the same arguments, and nothing else.
void replayQueries(WindowQueries& windows, const QueryLog& log);

}  // namespace quellon::bench

// The two ways a procedure deals with run-time errors.
//
// Numbered steps: the body sets `line` before each step that can fail (a store that the next
// one overwrites before anything can fail is shown by no report); when a step raises, the report
// "Zeile <line>: Error <n> (<description>) in Prozedur <name>, <owner>" is shown in a message
// box and the procedure continues at its exit, i.e. after the body. The caller gives the name
// and the owner, in the words its reports use.
//
//     runNumbered(reports, {name, owner}, [&](int& line) {
//         line = 20; ...
//         line = 30; ...
//     });
//
// Ignored failures: skipOnError runs one statement and swallows any run-time error it raises.
#pragma once

#include <new>
#include <string>
#include <string_view>

#include "platform/Reports.h"
#include "platform/RuntimeError.h"

namespace quellon {

struct ProcedureName {
    std::wstring_view name;
    std::wstring_view owner;
};

std::wstring errorReport(int line, const RuntimeError& error, ProcedureName procedure);

// Runs the body; a run-time error (or an exhausted heap) ends it with the report.
template <class Body>
void runNumbered(Reports& reports, ProcedureName procedure, Body&& body) {
    int line = 0;
    RuntimeError failure;
    try {
        body(line);
        return;
    } catch (const RuntimeError& error) {
        failure = error;
    } catch (const std::bad_alloc&) {
        failure = runtimeError(ErrorNumber::OutOfMemory);
    }
    reports.messageBox(errorReport(line, failure, procedure));
}

template <class Statement>
void skipOnError(Statement&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace quellon

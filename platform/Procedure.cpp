#include "platform/Procedure.h"

namespace quellon {

std::wstring errorReport(int line, const RuntimeError& error, ProcedureName procedure) {
    std::wstring text =
        L"Zeile " + std::to_wstring(line) + L": " + errorText(error) + L" in Prozedur ";
    text += procedure.name;
    text += L", ";
    text += procedure.owner;
    return text;
}

}  // namespace quellon

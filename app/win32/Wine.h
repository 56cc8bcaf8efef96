// Whether the tool runs under Wine, asked once where the tool is wired (Tool.cpp), which then
// picks the Wine* parts for what Wine needs done differently; on Windows the answer is always no.
#pragma once

namespace quellon::win32 {

// True when ntdll is Wine's, unless the environment variable QUELLON_WINE_SWITCH (shared_names.h)
// is 0 so that the tests can run the tool as on Windows. Asked once, at the first call.
bool wineCodeActive();

}  // namespace quellon::win32

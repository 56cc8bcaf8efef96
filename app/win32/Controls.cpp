#include "app/win32/Controls.h"

#include <commctrl.h>

#include "app/win32/TreeViewControl.h"

namespace quellon::win32 {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Each tab stop starts a group of its own, except that the three buttons form one group, so
// that the arrow keys move among them.
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;

}  // namespace

const std::array<ControlDesign, kControlCount>& controlDesigns() {
    static constexpr std::array<ControlDesign, kControlCount> designs{{
        {
            Control::trv,
            L"trv",
            WC_TREEVIEWW,
            L"",
            TreeViewControl::kStyle | WS_GROUP,
            TreeViewControl::kExStyle,
            FontKind::Tree,
            L"Element klicken für weitere Informationen im Textfeld unten",
        },
        {
            Control::txtInf,
            L"txtInf",
            L"EDIT",
            L"",
            kChild | kTabStop | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
            WS_EX_CLIENTEDGE,
            FontKind::Text,
            L"Infos zum markierten (angeklickten) Fenster",
        },
        {
            Control::r1,
            L"r1",
            kProbeClass,
            L" Maus... ",
            kChild | WS_GROUP,
            0,
            FontKind::Window,
            L"Maustaste drücken und Zeiger auf ein Anwendungsfenster ziehen",
        },
        {
            Control::LabelT,
            L"LabelT",
            L"STATIC",
            L"Transparenz",
            kChild | WS_GROUP | SS_LEFT | SS_NOTIFY,
            0,
            FontKind::Window,
            L"Transparenz für das Tool einstellen (nur W2k/XP)",
        },
        {
            Control::Command1_0,
            L"Command1(0)",
            L"BUTTON",
            L"0",
            kChild | kTabStop | BS_PUSHBUTTON,
            0,
            FontKind::Window,
            L"Keine Transparenz",
        },
        {
            Control::Command1_1,
            L"Command1(1)",
            L"BUTTON",
            L"1",
            kChild | WS_TABSTOP | BS_PUSHBUTTON,
            0,
            FontKind::Window,
            L"Mäßige Transparenz",
        },
        {
            Control::Command1_2,
            L"Command1(2)",
            L"BUTTON",
            L"2",
            kChild | WS_TABSTOP | BS_PUSHBUTTON,
            0,
            FontKind::Window,
            L"Starke Transparenz",
        },
        {
            Control::chkTop,
            L"chkTop",
            L"BUTTON",
            L"On Top",
            kChild | kTabStop | BS_AUTOCHECKBOX,
            0,
            FontKind::Window,
            L"Wenn angekreuzt bleibt Fenster im Vordergrund",
        },
    }};
    static_assert(eachControlOnce(designs));
    return designs;
}

}  // namespace quellon::win32

// The JSON form of a dump and the whole desktop: the document read back with nlohmann/json and
// compared with the simulated desktop, its escaping, the chain, a failed step and a window that
// goes while the document is made; and the UTF-8 that it is written in.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/DetailsLines.h"
#include "app/Utf8.h"
#include "app/WindowDump.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

using Json = nlohmann::json;

struct JsonTest : test::FrmMainFixture {
    JsonTest() {
        test::SimProcess process;
        process.id = 100;
        process.modulePath = L"C:\\Programme\\Beispiel.exe";
        desktop.processes.push_back(process);
    }

    Hwnd window(Hwnd handle, const std::wstring& text, Hwnd parent = 0, bool visible = true) {
        return desktop.create({.parent = parent,
                               .text = text,
                               .className = L"K" + std::to_wstring(handle),
                               .visible = visible,
                               .processId = 100,
                               .threadId = static_cast<std::uint32_t>(handle) + 1,
                               .style = handle * 16,
                               .clientWidth = 20,
                               .clientHeight = 10,
                               .handle = handle});
    }

    std::optional<std::wstring> dumped(WindowChoice choice, DumpForm shape = DumpForm::Json) {
        return dumpWindow(
            desktop.platform(), outline.geometry, [this] { return form.tppX; }, choice, shape);
    }

    // The document, parsed; a failed check where it is none.
    Json document(WindowChoice choice) {
        const std::optional<std::wstring> text = dumped(choice);
        EXPECT_TRUE(text);
        return Json::parse(utf8(text.value_or(L"")), nullptr, false);
    }

    // The object that the sim's window must come to, its children left out.
    Json expected(Hwnd handle, bool chain) {
        const test::WindowSpec& spec = desktop.window(handle).spec;
        Rect rect;
        EXPECT_TRUE(outline.geometry.getWindowRect(handle, rect));
        return {{"handle", handle},
                {"text", utf8(spec.text)},
                {"class", utf8(spec.className)},
                {"visible", desktop.isWindowVisible(handle)},
                {"rect",
                 {{"left", rect.left},
                  {"top", rect.top},
                  {"right", rect.right},
                  {"bottom", rect.bottom}}},
                {"clientSize", {{"width", spec.clientWidth}, {"height", spec.clientHeight}}},
                {"style", static_cast<std::uint32_t>(spec.style)},
                {"exStyle", static_cast<std::uint32_t>(desktop.window(handle).exStyle)},
                {"processId", spec.processId},
                {"threadId", spec.threadId},
                {"chain", chain}};
    }

    // The window's object without its children, and the handles of those.
    static std::pair<Json, std::vector<Hwnd>> split(Json object) {
        std::vector<Hwnd> children;
        for (const Json& child : object.at("children")) children.push_back(child.at("handle"));
        object.erase("children");
        return {object, children};
    }
};

TEST_F(JsonTest, EveryWindowOfTheTreeWithItsPropertiesNestedInOrderThenTheDetails) {
    // The owner heads the chain, hidden; the text holds umlauts and an emoji as UTF-16 gives it.
    const Hwnd owner = window(0x100, L"Besitzer", 0, false);
    const Hwnd frame = desktop.create({.owner = owner,
                                       .text = L"Größe \xD83D\xDE00",
                                       .className = L"Frame",
                                       .threadId = 7,
                                       .style = static_cast<std::int32_t>(0x94C80000),
                                       .handle = -123456});
    desktop.window(frame).exStyle = 0x10100;
    outline.geometry.windowRects[frame] = {-1300, 20, -900, 320};
    const Hwnd a = window(0x300, L"", frame);
    window(0x302, L"A1", a, false);
    window(0x400, L"B", frame);

    const Json doc = document(frame);

    ASSERT_TRUE(doc.is_object()) << utf8(dumped(frame).value_or(L""));
    EXPECT_EQ(doc.at("target"), frame);
    ASSERT_EQ(doc.at("windows").size(), 1u);
    // Depth first, each window's children in z-order: the handles as the tree lists them.
    std::vector<Hwnd> order;
    std::vector<const Json*> pending{&doc.at("windows")[0]};
    while (!pending.empty()) {
        const Json& object = *pending.back();
        pending.pop_back();
        const auto [fields, children] = split(object);
        const Hwnd handle = fields.at("handle");
        order.push_back(handle);
        const bool chain = handle == owner || handle == frame;
        EXPECT_EQ(fields, expected(handle, chain)) << handle;
        for (auto child = object.at("children").rbegin(); child != object.at("children").rend();
             ++child) {
            pending.push_back(&*child);
        }
    }
    EXPECT_EQ(order, (std::vector<Hwnd>{owner, frame, 0x300, 0x302, 0x400}));
    EXPECT_EQ(doc.at("windows")[0].at("children")[0].at("text"), "Größe 😀");

    // The values of the details box, one field each.
    frm.pickWindow(frame);
    frm.trvw_NodeClick(trv.find(nodeKey(frame)));
    const auto values = detailsValues(form.txtInf);
    EXPECT_EQ(doc.at("details"), (Json{{"handle", utf8(*values[0])},
                                       {"class", "Frame"},
                                       {"processId", utf8(*values[2])},
                                       {"module", "C:\\Programme\\Beispiel.exe"},
                                       {"size", utf8(*values[4])}}));
    EXPECT_EQ(doc.at("details").at("handle"), "-123456  (&HFFFE1DC0)");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(JsonTest, LoneSurrogatesBecomeReplacementsAndControlCharactersStayInTheirStrings) {
    const std::wstring controls = L"Tab\tZeile\r\nEnde\x01\"\\";
    const Hwnd frame = window(0x100, controls);
    window(0x200, std::wstring(L"hoch \xD83D allein"), frame);
    window(0x300, std::wstring(L"tief \xDE00"), frame);
    window(0x400, std::wstring(253, L'a') + L"\xD83D\xDE00", frame);  // cut between the halves

    const Json doc = document(frame);

    ASSERT_TRUE(doc.is_object());
    const Json& top = doc.at("windows")[0];
    EXPECT_EQ(top.at("text"), utf8(controls));
    EXPECT_EQ(top.at("children")[0].at("text"), "hoch \uFFFD allein");
    EXPECT_EQ(top.at("children")[1].at("text"), "tief \uFFFD");
    EXPECT_EQ(top.at("children")[2].at("text"), std::string(253, 'a'));
    // Written escaped: the document's lines are its windows.
    const std::wstring text = dumped(frame).value_or(L"");
    EXPECT_NE(text.find(L"Tab\\tZeile\\r\\nEnde\\u0001\\\"\\\\"), std::wstring::npos);
}

TEST_F(JsonTest, AFailedStepIsReportedAsInTheTextFormAndWhatItReadsIsNull) {
    const Hwnd frame = window(0x100, L"Rahmen");
    window(0x200, L"Kind", frame);
    desktop.missing = {"GetClassNameW", "GetWindowLongW"};

    const Json doc = document(frame);

    ASSERT_TRUE(doc.is_object());
    const Json& child = doc.at("windows")[0].at("children")[0];
    EXPECT_EQ(child.at("text"), "Kind");
    EXPECT_EQ(child.at("class"), "");
    EXPECT_TRUE(child.at("style").is_null());
    EXPECT_TRUE(child.at("exStyle").is_null());
    EXPECT_EQ(child.at("clientSize"), (Json{{"width", 20}, {"height", 10}}));
    // The details stop at their failed step, and so do their values.
    EXPECT_TRUE(doc.at("details").at("handle").is_null());
    const RuntimeError classMissing = entryPointNotFound("GetClassNameW", "user32");
    const RuntimeError longMissing = entryPointNotFound("GetWindowLongW", "user32");
    const ProcedureName properties{L"GetProperties", L"Modul TreeJson"};
    EXPECT_EQ(
        desktop.messages,
        (std::vector<std::wstring>{
            report(60, classMissing, L"GetEntry"), report(60, classMissing, L"GetEntry"),
            report(60, classMissing, L"trvw_NodeClick"), errorReport(40, longMissing, properties),
            errorReport(40, longMissing, properties)}));
}

TEST_F(JsonTest, AWindowThatGoesBeforeItsPropertiesAreReadKeepsItsEntryWithNullProperties) {
    const Hwnd frame = window(0x100, L"Rahmen");
    const Hwnd gone = window(0x200, L"Weg", frame);
    window(0x202, L"Drin", gone);
    window(0x300, L"Bleibt", frame);
    // After the walk and the details: the first property read of the window.
    before("GetClientRect", gone, 1, [&] { desktop.destroy(gone); });

    const Json doc = document(frame);

    ASSERT_TRUE(doc.is_object());
    const Json& vanished = doc.at("windows")[0].at("children")[0];
    EXPECT_EQ(vanished.at("text"), "Weg");
    EXPECT_EQ(vanished.at("class"), "K512");
    for (const char* field : {"rect", "clientSize", "style", "exStyle", "processId", "threadId"}) {
        EXPECT_TRUE(vanished.at(field).is_null()) << field;
    }
    ASSERT_EQ(vanished.at("children").size(), 1u);
    EXPECT_TRUE(vanished.at("children")[0].at("rect").is_null());
    EXPECT_EQ(doc.at("windows")[0].at("children")[1].at("threadId"), 0x301);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(JsonTest, TheWholeDesktopIsEveryTopLevelWindowInZOrderWithoutChainOrDetails) {
    const Hwnd first = window(0x100, L"Erstes");
    window(0x102, L"Drin", first, false);
    const Hwnd owned =
        desktop.create({.owner = first, .text = L"", .className = L"Owned", .handle = 0x200});
    window(0x300, L"Drittes", 0, false);
    desktop.moveToBottom(first);

    const Json doc = document(AllWindows{});

    ASSERT_TRUE(doc.is_object());
    EXPECT_EQ(doc.at("target"), test::SimDesktop::kDesktop);
    EXPECT_FALSE(doc.contains("details"));
    std::vector<Hwnd> topLevel;
    for (const Json& object : doc.at("windows")) {
        topLevel.push_back(object.at("handle"));
        EXPECT_FALSE(object.at("chain"));
    }
    EXPECT_EQ(topLevel, (std::vector<Hwnd>{owned, 0x300, first}));
    EXPECT_FALSE(doc.at("windows")[1].at("visible"));
    EXPECT_EQ(doc.at("windows")[2].at("children")[0].at("handle"), 0x102);

    EXPECT_EQ(dumped(AllWindows{}, DumpForm::Text),
              L"DesktopWindow\r\n"
              L"\t(Owned)\t&H200\r\n"
              L"\t\"Drittes\"  (K768)\t&H300\tunsichtbar\r\n"
              L"\t\"Erstes\"  (K256)\t&H100\r\n"
              L"\t\t\"Drin\"  (K258)\t&H102\tunsichtbar\r\n");
    // As the walk found them: no window is asked twice whether it is visible.
    desktop.calls.clear();
    static_cast<void>(dumped(AllWindows{}));
    EXPECT_EQ(desktop.calls["IsWindowVisible"], 4);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(JsonTest, AWindowDestroyedDuringTheWalkOfTheDesktopLeavesAWholeDocument) {
    const Hwnd first = window(0x100, L"Erstes");
    const Hwnd inside = window(0x102, L"Drin", first);
    window(0x104, L"Tiefer", inside);
    window(0x300, L"Letztes");
    before("GetWindow", inside, 1, [&] { desktop.destroy(first); });

    const std::optional<std::wstring> text = dumped(AllWindows{});

    ASSERT_TRUE(text);
    const Json doc = Json::parse(utf8(*text), nullptr, false);
    ASSERT_TRUE(doc.is_object()) << utf8(*text);
    EXPECT_EQ(doc.at("windows")[0].at("handle"), first);
    EXPECT_TRUE(doc.at("windows")[0].at("rect").is_null());
}

TEST(Utf8, SurrogatePairsJoinLoneHalvesAreReplacedAndDecodingReverses) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"", ""},
        {L"Größe ß €", "Größe ß €"},
        {L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        {L"a\xD83D", "a\xEF\xBF\xBD"},
        {L"\xDE00z", "\xEF\xBF\xBDz"},
        {L"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::wstring(1, L'\0') + L"\x7F\x80\x7FF\x800\xFFFF",
         std::string(1, '\0') + "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80"
                                "\xEF\xBF\xBF"},
    };
    for (const auto& [wide, narrow] : cases) {
        EXPECT_EQ(utf8(wide), narrow);
    }
    EXPECT_EQ(utf16("\xF0\x9F\x98\x80 Größe"), L"\xD83D\xDE00 Größe");
    // No UTF-8: a byte that begins nothing, a cut sequence, an overlong one, a surrogate.
    for (const char* bytes : {"\x80", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF5\x80\x80\x80"}) {
        EXPECT_EQ(utf16(bytes).front(), L'\xFFFD') << bytes;
    }
}

TEST(DetailsLines, TheValuesOfEachLineAndNoneFromTheFirstThatIsMissing) {
    const auto values = detailsValues(
        L"Fensterhandle: 1  (&H1)\r\nFensterklasse: Zwei\r\nZeilen\r\nProcessID:     3(&H3)\r\n"
        L"Modul:         C:\\x.exe\r\nGröße:         1 x 2 Pixel( 15 x 30 Twips)");
    EXPECT_EQ(values[0], L"1  (&H1)");
    EXPECT_EQ(values[1], L"Zwei\r\nZeilen");
    EXPECT_EQ(values[4], L"1 x 2 Pixel( 15 x 30 Twips)");
    const auto partial = detailsValues(L"Fensterhandle: 1  (&H1)\r\nFensterklasse: K\r\n");
    EXPECT_EQ(partial[1], L"K");
    EXPECT_EQ(partial[2], std::nullopt);
    EXPECT_EQ(detailsValues(L"")[0], std::nullopt);
}

}  // namespace
}  // namespace quellon

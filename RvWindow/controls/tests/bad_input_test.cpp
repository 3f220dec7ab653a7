// Every export of the custom controls on windows of the wrong kind, and with
// arguments that cannot be read.
#include "control_fixture.h"
#include "test_memory.h"

#include <functional>
#include <vector>

namespace rvwtest {
namespace {

struct Row {
    const char* name;
    std::function<double(uint32_t)> call;
    double failure;
};

std::vector<Row> Rows(uint32_t target) {
    return {
        {"RvButton_IsRvButtonWindow", [](uint32_t w) { return RvButton_IsRvButtonWindow(w); }, 0},
        {"RvButton_SetImage", [](uint32_t w) { return RvButton_SetImage(w, L"x.bmp"); }, -1},
        {"RvButton_SetRotationFlip", [](uint32_t w) { return RvButton_SetRotationFlip(w, 5); }, -1},
        {"RvLsEdit_IsRvLsEditWindow", [](uint32_t w) { return RvLsEdit_IsRvLsEditWindow(w); }, 0},
        {"RvLsEdit_GetValue", [](uint32_t w) { return RvLsEdit_GetValue(w); }, 0},
        {"RvLsEdit_SetValue", [](uint32_t w) { return RvLsEdit_SetValue(w, 3); }, -1},
        {"RvLsEdit_GetFlags", [](uint32_t w) { return RvLsEdit_GetFlags(w); }, 0},
        {"RvLsEdit_SetFlags", [](uint32_t w) { return RvLsEdit_SetFlags(w, 7); }, 0},
        {"RvLsEdit_SetFormat", [](uint32_t w) { return RvLsEdit_SetFormat(w, L"%.1lf"); }, -1},
        {"RvLsEdit_SetRange", [](uint32_t w) { return RvLsEdit_SetRange(w, 0, 5, 1); }, -1},
        {"RvLsEdit_SetScale", [](uint32_t w) { return RvLsEdit_SetScale(w, 2, 0); }, -1},
        {"RvLsEdit_SetUnit", [](uint32_t w) { return RvLsEdit_SetUnit(w, L"V"); }, -1},
        {"RvPMTGainEdit_IsRvPMTGainEditWindow",
         [](uint32_t w) { return RvPMTGainEdit_IsRvPMTGainEditWindow(w); }, 0},
        {"RvPMTGainEdit_SetCalibration",
         [](uint32_t w) { return RvPMTGainEdit_SetCalibration(w, 1, 1); }, -1},
        {"RvPMTGainEdit_AttachToHighVoltage",
         [=](uint32_t w) { return RvPMTGainEdit_AttachToHighVoltage(w, target); }, -1},
        {"RvProgressBar_SetCompletionText",
         [=](uint32_t w) { return RvProgressBar_SetCompletionText(w, target, L"x"); }, 0},
        {"RvRichEdit_LoadFile", [](uint32_t w) { return RvRichEdit_LoadFile(w, L"x.rtf"); },
         ERROR_INVALID_WINDOW_HANDLE},
    };
}

// A static window whose GWLP_USERDATA holds `user`.
HWND Holding(HWND parent, const void* user) {
    HWND w = CreateWindowExW(0, L"static", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr,
                             nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(user));
    return w;
}

TEST_F(BuilderDialog, EveryControlExportRefusesWindowsOfTheWrongKind) {
    HWND target = Add(L"target", L"static", 0, 0, 10);
    HWND edit = Add(L"edit", L"RvLsEdit", 0, 0, 10);
    HWND button = Add(L"button", L"RvButton", 0, 0, 10);
    HWND gain = Add(L"gain", L"RvPMTGainEdit", 0, 0, 10);
    HWND progress = Add(L"progress", L"RvProgressbar", 0, 0, 10);
    HWND bar = Add(L"bar", L"RvLsScrollbar", 0, 0, 10);
    HWND rich = Add(L"rich", L"RICHEDIT", 0, 0, 10);
    HWND plain = Add(L"plain", L"edit", 0, 0, 10);
    HWND gone = Add(L"gone", L"RvLsEdit", 0, 0, 10);
    DestroyWindow(gone);

    // Look-alikes of a live numeric edit record in memory that is not a record.
    const auto* live = reinterpret_cast<const char*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    ASSERT_NE(live, nullptr);
    testsupport::ReadOnlyPage readOnly(live, 256);
    testsupport::RegionEdge edge;
    HWND readOnlyCopy = Holding(dialog_, readOnly.data());
    HWND cutShort = Holding(dialog_, edge.EndingAtEdge(live, 16));
    HWND unmapped = Holding(dialog_, testsupport::UnmappedAddress());
    HWND borrowed = Holding(dialog_, live); // another window holding the edit's record

    struct Candidate {
        const char* what;
        HWND window;
        const char* accepts; // the one export family that takes it, if any
    };
    const Candidate candidates[] = {
        {"zero", nullptr, ""},
        {"garbage", reinterpret_cast<HWND>(0xDEADBEEFu), ""},
        {"dialog", dialog_, ""},
        {"plain edit", plain, ""},
        {"destroyed numeric edit", gone, ""},
        {"read-only copy", readOnlyCopy, ""},
        {"record cut short", cutShort, ""},
        {"unmapped record", unmapped, ""},
        {"borrowed record", borrowed, ""},
        {"scroll bar", bar, ""},
        {"numeric edit", edit, "RvLsEdit_"},
        {"image button", button, "RvButton_"},
        {"gain edit", gain, "RvPMTGainEdit_"},
        {"progress bar", progress, "RvProgressBar_"},
        {"rich edit", rich, "RvRichEdit_"},
    };
    for (const Candidate& c : candidates) {
        for (const Row& row : Rows(HandleOf(target))) {
            if (*c.accepts && std::string(row.name).rfind(c.accepts, 0) == 0) continue;
            SCOPED_TRACE(testing::Message() << row.name << " on " << c.what);
            EXPECT_EQ(row.call(HandleOf(c.window)), row.failure);
        }
    }
    EXPECT_EQ(TextOf(target), L"") << "nothing was written through a wrong window";
    EXPECT_DOUBLE_EQ(RvLsEdit_GetValue(HandleOf(edit)), 0);
    EXPECT_EQ(RvLsEdit_GetFlags(HandleOf(edit)), 0u);
    for (HWND w : {readOnlyCopy, cutShort, unmapped, borrowed}) {
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        DestroyWindow(w);
    }
}

TEST_F(BuilderDialog, UnreadableTextsChangeNothing) {
    HWND edit = Add(L"edit", L"RvLsEdit", 0, 0, 10);
    HWND button = Add(L"button", L"RvButton", 0, 0, 10);
    const auto* unmapped = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    const wchar_t unterminated[] = {L'%', L'.', L'1', L'f'};
    testsupport::RegionEdge edge;
    const auto* atEdge =
        static_cast<const wchar_t*>(edge.EndingAtEdge(unterminated, sizeof unterminated));
    for (const wchar_t* text : {static_cast<const wchar_t*>(nullptr), unmapped, atEdge}) {
        EXPECT_EQ(RvLsEdit_SetFormat(HandleOf(edit), text), 0);
        EXPECT_EQ(RvLsEdit_SetUnit(HandleOf(edit), text), 0);
        EXPECT_EQ(RvButton_SetImage(HandleOf(button), text), 0);
        EXPECT_EQ(RvRichEdit_LoadFile(HandleOf(Add(L"r", L"RICHEDIT", 0, 0, 10)), text),
                  ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(TextOf(edit), L"0");
    SendMessageW(button, BM_SETIMAGE, 4, reinterpret_cast<LPARAM>(unmapped));
}

} // namespace
} // namespace rvwtest

// Handles that are not builder dialogs, and arguments that cannot be read or written.
#include "builder_fixture.h"
#include "test_memory.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace rvwtest {
namespace {

uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

INT_PTR CALLBACK ForeignDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A dialog of another kind whose DWLP_USER slot holds `user`.
HWND ForeignDialog(const void* user) {
    HWND dialog =
        CreateDialogParamW(Library(), MAKEINTRESOURCEW(101), nullptr, ForeignDialogProc, 0);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(user));
    return dialog;
}

// The first 32 bytes of a dialog record: its signature and its window.
struct RecordHead {
    uint64_t signature[2];
    HWND window;
    uint64_t rest;
};

struct Row {
    const char* name;
    std::function<INT_PTR(uint32_t)> call;
    INT_PTR notADialog;
};

// Every export that takes a dialog, with the value it gives for anything else.
std::vector<Row> Rows(uint32_t* out, int32_t* coordinate) {
    return {
        {"IsRvDialog", [](uint32_t d) { return RvDialog_IsRvDialog(d); }, 0},
        {"AddControl",
         [=](uint32_t d) { return RvDialog_AddControl(d, L"n", L"edit", 0, 0, 10, out); }, 0},
        {"AddControlA",
         [=](uint32_t d) { return RvDialog_AddControlA(d, "n", "edit", 0, 0, 10, out); }, 0},
        {"AddControlEx",
         [=](uint32_t d) { return RvDialog_AddControlEx(d, L"n", L"edit", 0, 0, 0, 10, out); }, 0},
        {"AddRow", [](uint32_t d) { return RvDialog_AddRow(d); }, -1},
        {"AddColumn", [](uint32_t d) { return RvDialog_AddColumn(d); }, 0},
        {"AddRemoveOptions", [](uint32_t d) { return RvDialog_AddRemoveOptions(d, 1, 0); }, -1},
        {"AddMessageHandler",
         [](uint32_t d) {
             return RvDialog_AddMessageHandler(d, nullptr, 1, 2, 0, 0, 0, 0, LogHandler, L"");
         },
         0},
        {"AddControlMessageHandler",
         [](uint32_t d) {
             return RvDialog_AddControlMessageHandler(d, L"", 1, 0, 0, 0, 0, LogHandler, L"");
         },
         -1},
        {"AddMacroMessageHandler",
         [](uint32_t d) { return RvDialog_AddMacroMessageHandler(d, L"", 1, 0, 0, 0, 0, L"m"); },
         -1},
        {"FindControl", [=](uint32_t d) { return RvDialog_FindControl(d, L"n", out); }, 0},
        {"FindControlA", [=](uint32_t d) { return RvDialog_FindControlA(d, "n", out); }, 0},
        {"GetControlRect",
         [=](uint32_t d) {
             return RvDialog_GetControlRect(d, L"n", coordinate, coordinate, coordinate,
                                            coordinate);
         },
         -1},
        {"SendMessage", [](uint32_t d) { return RvDialog_SendMessage(d, L"", WM_APP, 0, 0); }, -1},
        {"SendMessageString",
         [](uint32_t d) { return RvDialog_SendMessageString(d, nullptr, WM_SETTEXT, 0, L"x"); },
         -1},
        {"SetBkColor", [](uint32_t d) { return RvDialog_SetBkColor(d, 0x00FF00); }, -1},
        {"SetFocus", [](uint32_t d) { return RvDialog_SetFocus(d, L"n"); }, -1},
        {"DestroyControl", [](uint32_t d) { return RvDialog_DestroyControl(d, L"n"); }, -1},
        {"DestroyAllControls", [](uint32_t d) { return RvDialog_DestroyAllControls(d); }, -1},
    };
}

TEST(NotADialog, EveryExportAnswersWithItsValueAndTouchesNothing) {
    uint32_t handle = 0;
    ASSERT_EQ(RvDialog_Create(0, L"real", &handle), 0);
    HWND real = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    uint32_t childHandle = 0;
    ASSERT_EQ(RvDialog_AddControl(handle, L"child", L"edit", 0, 0, 10, &childHandle), 0);
    uint32_t destroyedHandle = 0;
    ASSERT_EQ(RvDialog_Create(0, L"gone", &destroyedHandle), 0);
    DestroyWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(destroyedHandle)));

    HWND plain = CreateWindowExW(0, L"static", L"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    RecordHead head{};
    std::memcpy(head.signature, "\xc1\xac\x79\x6d\x51\x50\xc2\x48\xa4\xf0\xf5\xf7\x6e\x13\x3b\xb4",
                16);
    testsupport::ReadOnlyPage readOnly(&head, sizeof head);
    testsupport::RegionEdge edge;
    HWND unmapped = ForeignDialog(testsupport::UnmappedAddress());
    HWND readOnlyCopy = ForeignDialog(readOnly.data());
    RecordHead otherWindow = head; // a signature, but the record of no window
    otherWindow.window = real;
    HWND stolen = ForeignDialog(&otherWindow);
    head.window = nullptr;
    HWND cutShort = ForeignDialog(edge.EndingAtEdge(&head, 16)); // only the signature is mapped
    HWND noUser = ForeignDialog(nullptr);

    struct Candidate {
        const char* what;
        uint32_t handle;
    };
    const Candidate candidates[] = {
        {"zero", 0},
        {"garbage", 0xDEADBEEF},
        {"plain window", HandleOf(plain)},
        {"control of a dialog", childHandle},
        {"destroyed dialog", destroyedHandle},
        {"dialog pointing nowhere", HandleOf(unmapped)},
        {"dialog pointing to read-only memory", HandleOf(readOnlyCopy)},
        {"dialog pointing to a look-alike of another dialog's record", HandleOf(stolen)},
        {"dialog pointing to a record cut short", HandleOf(cutShort)},
        {"dialog of another kind", HandleOf(noUser)},
    };
    uint32_t out = 0xABCD;
    int32_t coordinate = 0x1234;
    HandlerLog().Clear();
    for (const Candidate& c : candidates) {
        for (const Row& row : Rows(&out, &coordinate)) {
            SCOPED_TRACE(testing::Message() << row.name << " of " << c.what);
            EXPECT_EQ(row.call(c.handle), row.notADialog);
            EXPECT_EQ(out, 0xABCDu);
            EXPECT_EQ(coordinate, 0x1234);
        }
    }
    // Nothing was added to the real dialog through a look-alike.
    uint32_t found = 1;
    RvDialog_FindControl(handle, L"n", &found);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(RvDialog_IsRvDialog(handle), 1);
    wchar_t text[8] = L"";
    GetWindowTextW(plain, text, 8);
    EXPECT_STREQ(text, L"plain");

    for (HWND w : {real, plain, unmapped, readOnlyCopy, stolen, cutShort, noUser})
        DestroyWindow(w);
}

TEST(CreateWithBadArguments, NothingIsLeftBehind) {
    auto countWindows = [] {
        int n = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND, LPARAM count) {
                ++*reinterpret_cast<int*>(count);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&n));
        return n;
    };
    const int before = countWindows();
    uint32_t readOnlyValue = 5;
    testsupport::ReadOnlyPage readOnly(&readOnlyValue, sizeof readOnlyValue);
    EXPECT_EQ(RvDialog_Create(0, L"t", nullptr), -1);
    EXPECT_EQ(RvDialog_Create(0, L"t", static_cast<uint32_t*>(testsupport::UnmappedAddress())), -1);
    EXPECT_EQ(RvDialog_Create(0, L"t", static_cast<uint32_t*>(readOnly.data())), -1);
    EXPECT_EQ(*static_cast<uint32_t*>(readOnly.data()), 5u);
    uint32_t handle = 0;
    EXPECT_EQ(RvDialog_Create(0xDEADBEEF, L"bad owner", &handle), -1);
    EXPECT_EQ(RvDialog_CreateA(0xDEADBEEF, "bad owner", &handle), -1);
    EXPECT_EQ(countWindows(), before);
}

TEST(CreateWithBadArguments, UnreadableTitlesGiveAnEmptyTitle) {
    for (const wchar_t* title : {static_cast<const wchar_t*>(nullptr),
                                 static_cast<const wchar_t*>(testsupport::UnmappedAddress())}) {
        uint32_t handle = 0;
        ASSERT_EQ(RvDialog_Create(0, title, &handle), 0);
        HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
        EXPECT_EQ(GetWindowTextLengthW(dialog), 0);
        DestroyWindow(dialog);
    }
    uint32_t handle = 0;
    ASSERT_EQ(
        RvDialog_CreateA(0, static_cast<const char*>(testsupport::UnmappedAddress()), &handle), 0);
    DestroyWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(handle)));
}

TEST(CreateWithBadArguments, ADialogCanBeOwned) {
    HWND owner = CreateWindowExW(0, L"static", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    uint32_t handle = 0;
    ASSERT_EQ(RvDialog_Create(HandleOf(owner), L"owned", &handle), 0);
    HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "hidden until the macro shows it";
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(dialog)) << "the dialog ends with its owner";
    EXPECT_EQ(RvDialog_IsRvDialog(handle), 0);
}

TEST_F(BuilderDialog, UnreadableNamesAndClasses) {
    const wchar_t* unmapped = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    uint32_t control = 0;
    EXPECT_EQ(RvDialog_AddControl(handle_, L"x", unmapped, 0, 0, 10, &control), -1);
    EXPECT_EQ(RvDialog_AddControl(handle_, L"x", nullptr, 0, 0, 10, &control), -1);
    EXPECT_EQ(RvDialog_AddControl(handle_, unmapped, L"edit", 0, 0, 10, &control), 0)
        << "a control without a readable name has an empty one";
    EXPECT_EQ(Find(L""), reinterpret_cast<HWND>(static_cast<uintptr_t>(control)));
    EXPECT_EQ(Find(unmapped), nullptr);
    EXPECT_EQ(RvDialog_DestroyControl(handle_, unmapped), -1);
    EXPECT_EQ(RvDialog_SetFocus(handle_, unmapped), 0);
    EXPECT_EQ(RvDialog_SendMessage(handle_, unmapped, WM_APP, 0, 0), 0)
        << "an unreadable name names no control, not the dialog";
    const std::wstring huge(100000, L'c');
    EXPECT_EQ(RvDialog_AddControl(handle_, huge.c_str(), huge.c_str(), 0, 0, 10, &control), -1);
    EXPECT_EQ(RvDialog_AddControl(handle_, huge.c_str(), L"edit", 0, 0, 10, &control), 0);
    EXPECT_EQ(Find(huge.c_str()), reinterpret_cast<HWND>(static_cast<uintptr_t>(control)));
}

TEST_F(BuilderDialog, ExtremeOffsetsWidthsAndLineCountsDoNotOverflow) {
    const int32_t extremes[][2] = {{INT32_MIN, 10},        {INT32_MAX, 10}, {0, INT32_MAX},
                                   {INT32_MAX, INT32_MAX}, {-100000, -50},  {0, INT32_MIN}};
    for (const auto& e : extremes) {
        SCOPED_TRACE(testing::Message() << e[0] << ", " << e[1]);
        uint32_t control = 0;
        const int result = RvDialog_AddControl(handle_, L"x", L"static", 0, e[0], e[1], &control);
        EXPECT_TRUE(result == 0 || result == -1);
    }
    EXPECT_EQ(RvDialog_DestroyAllControls(handle_), 0);
    Add(L"after", L"edit", 0, 0, 20);
    EXPECT_EQ(Rect(L"after").top, ExpectedMetrics().topMargin + ExpectedMetrics().rowGap);
}

TEST_F(BuilderDialog, OutParametersThatCannotBeWritten) {
    uint32_t value = 9;
    testsupport::ReadOnlyPage readOnly(&value, sizeof value);
    auto* ro = static_cast<uint32_t*>(readOnly.data());
    auto* unmapped = static_cast<uint32_t*>(testsupport::UnmappedAddress());
    EXPECT_EQ(RvDialog_AddControl(handle_, L"a", L"edit", 0, 0, 10, ro), 0);
    EXPECT_EQ(RvDialog_AddControl(handle_, L"b", L"edit", 0, 0, 10, unmapped), 0);
    EXPECT_EQ(RvDialog_AddControl(handle_, L"c", L"edit", 0, 0, 10, nullptr), 0);
    EXPECT_NE(Find(L"b"), nullptr);
    EXPECT_EQ(RvDialog_FindControl(handle_, L"a", ro), 0);
    EXPECT_EQ(RvDialog_FindControl(handle_, L"a", nullptr), 0);
    auto* roInt = reinterpret_cast<int32_t*>(ro);
    int32_t top = -1;
    EXPECT_EQ(RvDialog_GetControlRect(handle_, L"a", roInt, &top, nullptr,
                                      reinterpret_cast<int32_t*>(unmapped)),
              0);
    EXPECT_EQ(*ro, 9u);
    EXPECT_EQ(top, ExpectedMetrics().topMargin + ExpectedMetrics().rowGap);
}

TEST_F(BuilderDialog, ControlRectOfNoNameOrAnUnknownNameWritesNothing) {
    Add(L"a", L"edit");
    int32_t l = 7, t = 7, r = 7, b = 7;
    EXPECT_EQ(RvDialog_GetControlRect(handle_, nullptr, &l, &t, &r, &b), 0);
    EXPECT_EQ(RvDialog_GetControlRect(handle_, L"", &l, &t, &r, &b), 0);
    EXPECT_EQ(RvDialog_GetControlRect(handle_, L"b", &l, &t, &r, &b), 0);
    EXPECT_TRUE(l == 7 && t == 7 && r == 7 && b == 7);
}

TEST_F(BuilderDialog, HandlersNeedACallbackAndSurviveBadText) {
    EXPECT_EQ(
        RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, nullptr, L"x"),
        -1);
    EXPECT_EQ(RvDialog_AddControlMessageHandler(handle_, nullptr, WM_APP, 0, 0, 0, 0, nullptr, L""),
              -1);
    EXPECT_EQ(
        RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler,
                                   static_cast<const wchar_t*>(testsupport::UnmappedAddress())),
        0);
    SendMessageW(dialog_, WM_APP, 0, 0);
    EXPECT_EQ(HandlerLog().Tags(WM_APP), (std::vector<std::wstring>{L""}));
}

TEST_F(BuilderDialog, SendingToTheDialogOrAControl) {
    HWND edit = Add(L"edit", L"edit");
    EXPECT_EQ(RvDialog_SendMessageString(handle_, L"edit", WM_SETTEXT, 0, L"hello"), 1);
    wchar_t text[16] = L"";
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"hello");
    EXPECT_EQ(RvDialog_SendMessage(handle_, L"edit", WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(RvDialog_SendMessage(handle_, L"edit", EM_SETSEL, 1, -1), 1) << "lParam is signed";
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(RvDialog_SendMessage(handle_, L"nobody", WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(RvDialog_SendMessageString(handle_, nullptr, WM_SETTEXT, 0, L"Title"), 1);
    GetWindowTextW(dialog_, text, 16);
    EXPECT_STREQ(text, L"Title");
    EXPECT_EQ(
        RvDialog_SendMessageString(handle_, L"edit", WM_SETTEXT, 0,
                                   static_cast<const wchar_t*>(testsupport::UnmappedAddress())),
        -1)
        << "an unreadable string never reaches the control";
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"hello");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler, L"");
    RvDialog_SendMessage(handle_, L"", WM_APP, -2, 3);
    ASSERT_EQ(HandlerLog().Count(WM_APP), 1u);
    EXPECT_EQ(HandlerLog().entries()[0].wParam, static_cast<WPARAM>(-2));
}

TEST_F(BuilderDialog, FocusMovesOnlyToAnExistingControl) {
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    Add(L"a", L"edit");
    HWND b = Add(L"b", L"edit");
    EXPECT_EQ(RvDialog_SetFocus(handle_, L"b"), 0);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(RvDialog_SetFocus(handle_, L"nobody"), 0);
    EXPECT_EQ(GetFocus(), b);
}

} // namespace
} // namespace rvwtest

// Which handler a message reaches, and when.
#include "builder_fixture.h"
#include "message_pump.h"
#include "test_memory.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace rvwtest {
namespace {

using Tags = std::vector<std::wstring>;
constexpr uint64_t kAll = ~uint64_t{0};

TEST_F(BuilderDialog, AHandlerMatchesItsRangeAndMaskedParameters) {
    struct Case {
        uint32_t first, last;
        uint64_t wValue, wMask, lValue, lMask;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool fires;
    };
    const UINT u = WM_APP;
    const Case cases[] = {
        {u, u, 0, 0, 0, 0, u, 123, 456, true},
        {u, u + 5, 0, 0, 0, 0, u + 5, 0, 0, true},
        {u, u + 5, 0, 0, 0, 0, u + 6, 0, 0, false},
        {u + 1, u + 5, 0, 0, 0, 0, u, 0, 0, false},
        {u, u, 0x20, 0xF0, 0, 0, u, 0x2A, 0, true},
        {u, u, 0x20, 0xF0, 0, 0, u, 0x3A, 0, false},
        {u, u, 0, 0, 7, kAll, u, 0, 7, true},
        {u, u, 0, 0, 7, kAll, u, 0, 8, false},
        {u, u, 0, 0, 0xFFFFFFFFFFFFFFFFull, kAll, u, 0, -1, true},
        {u, u, 0x100000000ull, 0x100000000ull, 0, 0, u, 0x1FFFFFFFFull, 0, true},
        {u, u, 0x100000000ull, 0x100000000ull, 0, 0, u, 0xFFFFFFFFull, 0, false},
        {u, u, 1, 1, 0, 0, u, 2, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.first << ".." << c.last << " w&" << c.wMask << "=" << c.wValue
                     << " l&" << c.lMask << "=" << c.lValue << " for " << c.message << " "
                     << c.wParam << " " << c.lParam);
        uint32_t handle = 0;
        ASSERT_EQ(RvDialog_Create(0, L"", &handle), 0);
        HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
        ASSERT_EQ(RvDialog_AddMessageHandler(handle, nullptr, c.first, c.last, c.wValue, c.wMask,
                                             c.lValue, c.lMask, LogHandler, L"h"),
                  0);
        HandlerLog().Clear();
        SendMessageW(dialog, c.message, c.wParam, c.lParam);
        EXPECT_EQ(HandlerLog().Count(c.message), c.fires ? 1u : 0u);
        DestroyWindow(dialog);
    }
}

TEST_F(BuilderDialog, OnlyTheLastMatchingHandlerIsCalled) {
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP + 9, 0, 0, 0, 0, LogHandler,
                               L"range");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler, L"first");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler, L"second");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 1, 1, 0, 0, LogHandler, L"odd");
    SendMessageW(dialog_, WM_APP, 2, 0);
    SendMessageW(dialog_, WM_APP, 3, 0);
    SendMessageW(dialog_, WM_APP + 1, 0, 0);
    EXPECT_EQ(HandlerLog().Tags(WM_APP), (Tags{L"second", L"odd"}));
    EXPECT_EQ(HandlerLog().Tags(WM_APP + 1), (Tags{L"range"}));
}

TEST_F(BuilderDialog, TheDialogProcedureReturnsTheHandlersResult) {
    auto answer = [](HWND, UINT, WPARAM wParam, LPARAM, const wchar_t*) -> INT_PTR {
        return static_cast<INT_PTR>(wParam) * 2;
    };
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, answer, L"");
    EXPECT_EQ(DialogProcOf(dialog_)(dialog_, WM_APP, 21, 0), 42);
    EXPECT_EQ(DialogProcOf(dialog_)(dialog_, WM_APP + 1, 21, 0), 0) << "no handler";
}

TEST_F(BuilderDialog, HandlersGetTheirTextTruncatedTo256Characters) {
    const std::wstring longText(300, L'x');
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler,
                               longText.c_str());
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 1, WM_APP + 1, 0, 0, 0, 0, LogHandler,
                               nullptr);
    SendMessageW(dialog_, WM_APP, 0, 0);
    SendMessageW(dialog_, WM_APP + 1, 0, 0);
    EXPECT_EQ(HandlerLog().Tags(WM_APP), (Tags{std::wstring(256, L'x')}));
    EXPECT_EQ(HandlerLog().Tags(WM_APP + 1), (Tags{L""}));
}

TEST_F(BuilderDialog, MessagesSentByNameReachOnlyThatControl) {
    HWND first = Add(L"first", L"edit");
    HWND second = Add(L"second", L"edit");
    testsupport::MessageLog log;
    testsupport::MessageRecorder a(first, log, L"first"), b(second, log, L"second");
    RvDialog_SendMessage(handle_, L"second", WM_APP + 4, -1, 7);
    RvDialog_SendMessage(handle_, L"third", WM_APP + 4, 0, 0);
    const auto sent = log.Of(WM_APP + 4);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].tag, L"second");
    EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(-1)) << "parameters are signed 32-bit values";
    EXPECT_EQ(sent[0].lParam, 7);
}

class ButtonHandlers : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        ok_ = Add(L"ok", L"button", BS_PUSHBUTTON);
        cancel_ = Add(L"cancel", L"button", BS_PUSHBUTTON);
    }
    void Command(HWND from, WORD code) {
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(from), code),
                     reinterpret_cast<LPARAM>(from));
    }
    HWND ok_ = nullptr, cancel_ = nullptr;
};

TEST_F(ButtonHandlers, ACommandHandlerFiresOnlyForItsButtonAndCode) {
    ASSERT_EQ(RvDialog_AddControlMessageHandler(handle_, L"ok", WM_COMMAND, BN_CLICKED, 0, 0, 0,
                                                LogHandler, L"ok clicked"),
              0);
    SendMessageW(ok_, BM_CLICK, 0, 0);
    SendMessageW(cancel_, BM_CLICK, 0, 0);
    Command(ok_, BN_DBLCLK);
    // The right identifier and code from another window.
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(cancel_));
    ASSERT_EQ(HandlerLog().Tags(WM_COMMAND), (Tags{L"ok clicked"}));
    EXPECT_EQ(HandlerLog().entries()[0].wParam, MAKEWPARAM(0, BN_CLICKED));
    EXPECT_EQ(HandlerLog().entries()[0].lParam, reinterpret_cast<LPARAM>(ok_));
}

TEST_F(ButtonHandlers, NotificationCodesAboveTheSignBitMatchToo) {
    // A WM_COMMAND wParam is zero-extended, whatever its code.
    RvDialog_AddControlMessageHandler(handle_, L"cancel", WM_COMMAND, 0xFFFF, 0, 0, 0, LogHandler,
                                      L"error space");
    RvDialog_AddControlMessageHandler(handle_, L"ok", WM_COMMAND, 0x8001, 0, 0, 0, LogHandler,
                                      L"high code");
    Command(cancel_, 0xFFFF);
    Command(ok_, 0x8001);
    EXPECT_EQ(HandlerLog().Tags(WM_COMMAND), (Tags{L"error space", L"high code"}));
}

TEST_F(ButtonHandlers, AnUnknownControlNameRegistersNothing) {
    EXPECT_EQ(RvDialog_AddControlMessageHandler(handle_, L"OK", WM_COMMAND, BN_CLICKED, 0, 0, 0,
                                                LogHandler, L"x"),
              -1);
    EXPECT_EQ(RvDialog_AddMacroMessageHandler(handle_, L"nope", WM_COMMAND, 0, 0, 0, 0, L"x"), -1);
    SendMessageW(ok_, BM_CLICK, 0, 0);
    EXPECT_EQ(HandlerLog().Count(WM_COMMAND), 0u);
}

TEST_F(ButtonHandlers, WithoutANameTheValuesStayAsGiven) {
    // For the whole dialog: any command whose low word is 1 (cancel's identifier).
    RvDialog_AddControlMessageHandler(handle_, L"", WM_COMMAND, 1, 0xFFFF, 0, 0, LogHandler,
                                      L"any code of control 1");
    RvDialog_AddControlMessageHandler(handle_, nullptr, WM_APP, 0, 0, 0, 0, LogHandler, L"app");
    SendMessageW(cancel_, BM_CLICK, 0, 0);
    SendMessageW(ok_, BM_CLICK, 0, 0);
    Command(cancel_, BN_DBLCLK);
    SendMessageW(dialog_, WM_APP, 0, 0);
    EXPECT_EQ(HandlerLog().Tags(WM_COMMAND),
              (Tags{L"any code of control 1", L"any code of control 1"}));
    EXPECT_EQ(HandlerLog().Count(WM_APP), 1u);
}

// A notification as list controls send it: header, item, sub-item.
struct ListNotification {
    NMHDR header;
    int32_t item;
    int32_t subItem;
};

class NotifyHandlers : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        ASSERT_EQ(RvDialog_AddControlClass(L"TestList", L"listbox", nullptr), 1);
        edit_ = Add(L"edit", L"edit");
        list_ = Add(L"list", L"TestList", LBS_NOTIFY, 0, 60);
        ASSERT_EQ(RvDialog_AddControlMessageHandler(handle_, L"list", WM_NOTIFY, 0, kCode, 3,
                                                    static_cast<uint64_t>(-1), LogHandler, L"list"),
                  0);
    }
    // Sends WM_NOTIFY and says whether the list's handler ran.
    bool Notify(WPARAM wParam, HWND from, UINT code, int item, int subItem) {
        ListNotification n{{from, static_cast<UINT_PTR>(wParam), code}, item, subItem};
        HandlerLog().Clear();
        SendMessageW(dialog_, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&n));
        return HandlerLog().Count(WM_NOTIFY) == 1;
    }
    static constexpr UINT kCode = LVN_ITEMCHANGED;
    HWND edit_ = nullptr, list_ = nullptr;
};

TEST_F(NotifyHandlers, ANotifyHandlerMatchesControlCodeItemAndSubItem) {
    EXPECT_TRUE(Notify(1, list_, kCode, 3, -1));
    EXPECT_FALSE(Notify(1, list_, kCode, 4, -1)) << "another item";
    EXPECT_FALSE(Notify(1, list_, kCode, 3, 0)) << "another sub-item";
    EXPECT_FALSE(Notify(1, list_, LVN_ITEMCHANGING, 3, -1)) << "another code";
    EXPECT_FALSE(Notify(0, list_, kCode, 3, -1)) << "another identifier";
    EXPECT_FALSE(Notify(1, edit_, kCode, 3, -1)) << "from another window";
    EXPECT_FALSE(Notify(7, list_, kCode, 3, -1)) << "beyond the controls";
}

TEST_F(NotifyHandlers, OnlyListBoxesAndListViewsNotify) {
    RvDialog_AddControlMessageHandler(handle_, L"edit", WM_NOTIFY, 0, kCode, 0, 0, LogHandler,
                                      L"edit");
    EXPECT_FALSE(Notify(0, edit_, kCode, 0, 0));
}

TEST_F(NotifyHandlers, AnUnreadableNotificationIsNoMatch) {
    HandlerLog().Clear();
    SendMessageW(dialog_, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(testsupport::UnmappedAddress()));
    SendMessageW(dialog_, WM_NOTIFY, 1, 0);
    testsupport::RegionEdge edge;
    NMHDR header{list_, 1, kCode};
    SendMessageW(dialog_, WM_NOTIFY, 1,
                 reinterpret_cast<LPARAM>(edge.EndingAtEdge(&header, sizeof header)));
    EXPECT_EQ(HandlerLog().Count(WM_NOTIFY), 0u);
}

TEST_F(NotifyHandlers, TheCodeMatchesWhetherGivenSignedOrUnsigned) {
    RvDialog_AddMessageHandler(handle_, nullptr, WM_NOTIFY, WM_NOTIFY, 1, 0xFFFFFF9Bull /* -101 */,
                               5, 6, LogHandler, L"unsigned");
    EXPECT_TRUE(Notify(1, list_, kCode, 5, 6));
    EXPECT_EQ(HandlerLog().Tags(WM_NOTIFY), (Tags{L"unsigned"}));
}

// A handler that pumps messages while other messages and timer ticks arrive.
struct NestedLoop {
    HWND dialog = nullptr;
    testsupport::MessageLog* seen = nullptr; // what reached the dialog window
};
NestedLoop g_nested;

INT_PTR PumpingHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                       const wchar_t* text) {
    HandlerLog().Add(dialog, message, wParam, lParam, std::wstring(text) + L" begins");
    PostMessageW(dialog, WM_APP + 2, 0, 0);
    PostMessageW(dialog, WM_APP + 3, 0, 0);
    PostMessageW(dialog, WM_APP + 2, 1, 0);
    SetTimer(dialog, 7, 1, nullptr);
    const bool ticked = testsupport::PumpUntil([] {
        return g_nested.seen->Count(WM_TIMER) >= 2 && g_nested.seen->Count(WM_APP + 3) == 1;
    });
    KillTimer(dialog, 7);
    HandlerLog().Add(dialog, message, wParam, lParam, ticked ? L"ends" : L"timed out");
    return 5;
}

class DeferredCalls : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        recorder_ = std::make_unique<testsupport::MessageRecorder>(dialog_, seen_, L"dialog");
        g_nested = {dialog_, &seen_};
        RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 1, WM_APP + 1, 0, 0, 0, 0,
                                   PumpingHandler, L"pump");
        RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 2, WM_APP + 3, 0, 0, 0, 0, LogHandler,
                                   L"later");
        RvDialog_AddMessageHandler(handle_, nullptr, WM_TIMER, WM_TIMER, 0, 0, 0, 0, LogHandler,
                                   L"tick");
    }
    void TearDown() override {
        recorder_.reset();
        BuilderDialog::TearDown();
    }
    std::vector<UINT> HandledMessages() const {
        std::vector<UINT> messages;
        for (const auto& e : HandlerLog().entries())
            messages.push_back(e.message);
        return messages;
    }
    testsupport::MessageLog seen_;
    std::unique_ptr<testsupport::MessageRecorder> recorder_;
};

TEST_F(DeferredCalls, MessagesArrivingWhileAHandlerRunsRunAfterItInOrder) {
    EXPECT_EQ(DialogProcOf(dialog_)(dialog_, WM_APP + 1, 0, 0), 5);
    EXPECT_GE(seen_.Count(WM_TIMER), 2u) << "the timer did tick meanwhile";
    std::vector<std::wstring> tags;
    for (const auto& e : HandlerLog().entries())
        tags.push_back(e.tag);
    EXPECT_EQ(tags, (Tags{L"pump begins", L"ends", L"later", L"later", L"later"}));
    EXPECT_EQ(HandledMessages(),
              (std::vector<UINT>{WM_APP + 1, WM_APP + 1, WM_APP + 2, WM_APP + 3, WM_APP + 2}));
    EXPECT_EQ(HandlerLog().entries()[4].wParam, 1u);
    EXPECT_EQ(HandlerLog().Count(WM_TIMER), 0u) << "ticks during a handler are dropped";

    // Not busy any more: ticks reach their handler again.
    SetTimer(dialog_, 8, 1, nullptr);
    EXPECT_TRUE(testsupport::PumpUntil([] { return HandlerLog().Count(WM_TIMER) > 0; }));
    KillTimer(dialog_, 8);
}

TEST_F(DeferredCalls, DirectCallsRunInsideTheHandlerThatPumps) {
    RvDialog_AddRemoveOptions(handle_, RVDIALOG_OPTION_DIRECT_CALLS, 0);
    EXPECT_EQ(DialogProcOf(dialog_)(dialog_, WM_APP + 1, 0, 0), 5);
    const auto messages = HandledMessages();
    ASSERT_GE(messages.size(), 5u);
    EXPECT_EQ(messages.front(), WM_APP + 1u);
    EXPECT_EQ(messages.back(), WM_APP + 1u) << "the pumping handler ends last";
    EXPECT_EQ(HandlerLog().Count(WM_APP + 2), 2u);
    EXPECT_EQ(HandlerLog().Count(WM_APP + 3), 1u);
    EXPECT_GE(HandlerLog().Count(WM_TIMER), 1u);
}

// Posts more messages than the queue holds while it runs.
INT_PTR FloodingHandler(HWND dialog, UINT, WPARAM, LPARAM, const wchar_t*) {
    for (int i = 0; i < 600; ++i)
        PostMessageW(dialog, WM_APP + 2, static_cast<WPARAM>(i), 0);
    testsupport::PumpUntil([&] { return g_nested.seen->Count(WM_APP + 2) == 600; });
    return 0;
}

TEST_F(DeferredCalls, AtMost500CallsWait) {
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 5, WM_APP + 5, 0, 0, 0, 0,
                               FloodingHandler, L"");
    SendMessageW(dialog_, WM_APP + 5, 0, 0);
    const auto later = HandlerLog().Of(WM_APP + 2);
    ASSERT_EQ(later.size(), 500u);
    EXPECT_EQ(later.front().wParam, 0u);
    EXPECT_EQ(later.back().wParam, 499u) << "the first 500 in order, the rest dropped";
}

// While one dialog's handler pumps, another dialog gets a message and is destroyed.
struct Bystander {
    HWND dialog;
    uint32_t handle;
};
Bystander g_bystander;

INT_PTR DestroyingBystander(HWND, UINT, WPARAM, LPARAM, const wchar_t*) {
    PostMessageW(g_bystander.dialog, WM_APP, 0, 0);
    testsupport::PumpUntil([] { return false; }, 20);
    DestroyWindow(g_bystander.dialog);
    return 0;
}

TEST_F(DeferredCalls, CallsForADialogDestroyedMeanwhileAreSkipped) {
    ASSERT_EQ(RvDialog_Create(0, L"bystander", &g_bystander.handle), 0);
    g_bystander.dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(g_bystander.handle));
    RvDialog_AddMessageHandler(g_bystander.handle, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, LogHandler,
                               L"bystander");
    RvDialog_AddMessageHandler(g_bystander.handle, nullptr, WM_NCDESTROY, WM_NCDESTROY, 0, 0, 0, 0,
                               LogHandler, L"bystander ends");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 6, WM_APP + 6, 0, 0, 0, 0,
                               DestroyingBystander, L"");
    SendMessageW(dialog_, WM_APP + 6, 0, 0);
    EXPECT_FALSE(IsWindow(g_bystander.dialog));
    EXPECT_EQ(HandlerLog().Count(WM_APP), 0u);
    EXPECT_EQ(HandlerLog().Count(WM_NCDESTROY), 0u);
}

// A queued call whose handler was removed by an earlier queued call.
INT_PTR DestroyingControl(HWND dialog, UINT, WPARAM, LPARAM, const wchar_t*) {
    RvDialog_DestroyControl(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dialog)), L"gone");
    return 0;
}

INT_PTR QueueingTwo(HWND dialog, UINT, WPARAM, LPARAM, const wchar_t*) {
    PostMessageW(dialog, WM_APP + 8, 0, 0); // destroys the control
    PostMessageW(dialog, WM_APP + 9, 0, 0); // its handler was the last one
    testsupport::PumpUntil([] { return g_nested.seen->Count(WM_APP + 9) == 1; });
    return 0;
}

TEST_F(DeferredCalls, CallsWhoseHandlerWasRemovedMeanwhileAreSkipped) {
    HWND gone = Add(L"gone", L"static");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 7, WM_APP + 7, 0, 0, 0, 0, QueueingTwo,
                               L"");
    RvDialog_AddMessageHandler(handle_, nullptr, WM_APP + 8, WM_APP + 8, 0, 0, 0, 0,
                               DestroyingControl, L"");
    RvDialog_AddMessageHandler(handle_, gone, WM_APP + 9, WM_APP + 9, 0, 0, 0, 0, LogHandler,
                               L"bound to gone");
    SendMessageW(dialog_, WM_APP + 7, 0, 0);
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(HandlerLog().Count(WM_APP + 9), 0u);
}

} // namespace
} // namespace rvwtest

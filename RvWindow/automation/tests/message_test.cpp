// Sending and posting messages, and addresses of variables for pointer messages.
#include "window_tree.h"

#include "message_log.h"
#include "message_pump.h"
#include "pe_exports.h"
#include "test_memory.h"

#include <string>

namespace rvwtest {
namespace {

using MessageTest = WindowTree;

TEST_F(MessageTest, SendMessage64CutsTheResultToItsLow32Bits) {
    struct Case {
        uint64_t result;
        int32_t expected;
    } cases[] = {{0x100000000ull, 0}, {0x1FFFFFFFFull, -1}, {0x80000000ull, INT32_MIN}, {42, 42}};
    for (const Case& c : cases)
        EXPECT_EQ(RvWindow_SendMessage64(topHandle_, WM_APP, 0, c.result), c.expected) << c.result;
}

TEST_F(MessageTest, ParametersArriveWidenedAsDeclared) {
    testsupport::MessageLog log;
    testsupport::MessageRecorder recorder(top_, log);
    RvWindow_SendMessage64(topHandle_, WM_APP + 1, 0x123456789ull, 0xFEDCBA9876543210ull);
    EXPECT_EQ(RvWindow_SendMessage(topHandle_, WM_APP, -2, -5), -5);
    const auto seen = log.Of(WM_APP + 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].wParam, 0x123456789ull);
    EXPECT_EQ(static_cast<uint64_t>(seen[0].lParam), 0xFEDCBA9876543210ull);
    ASSERT_EQ(log.Count(WM_APP), 1u);
    EXPECT_EQ(static_cast<INT_PTR>(log.Of(WM_APP)[0].wParam), -2);
}

TEST_F(MessageTest, StringsReachTheWindowAndUnreadableOnesDoNot) {
    HWND edit = Child(top_, L"Edit", L"before");
    const uint32_t handle = HandleOf(edit);
    EXPECT_EQ(RvWindow_SendMessageString(handle, WM_SETTEXT, 0, L"wide text"), TRUE);
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"wide text");
    EXPECT_EQ(RvWindow_SendMessageStringA(handle, WM_SETTEXT, 0, "ansi text"), TRUE);
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"ansi text");
    EXPECT_EQ(
        RvWindow_SendMessageString(handle, WM_SETTEXT, 0,
                                   static_cast<const wchar_t*>(testsupport::UnmappedAddress())),
        0);
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"ansi text");
}

TEST_F(MessageTest, PointerMessagesWithAddressOf) {
    HWND edit = Child(top_, L"Edit", L"read me");
    wchar_t buffer[16] = {};
    const uintptr_t address = RvWindow_AddressOf(buffer);
    EXPECT_EQ(address, reinterpret_cast<uintptr_t>(buffer));
    EXPECT_EQ(RvWindow_SendMessagePointer(HandleOf(edit), WM_GETTEXT, 16,
                                          reinterpret_cast<void*>(address)),
              7);
    EXPECT_STREQ(buffer, L"read me");
    // Memory that is not there is never handed to the receiver.
    EXPECT_EQ(
        RvWindow_SendMessagePointer(HandleOf(edit), WM_GETTEXT, 16, testsupport::UnmappedAddress()),
        0);
}

TEST(AddressOf, EightNamesOneFunction) {
    HMODULE library = GetModuleHandleW(L"RvWindow.dll");
    void* one = testsupport::ExportAddress(library, "RvWindow_AddressOf");
    ASSERT_NE(one, nullptr);
    for (const char* name :
         {"RvWindow_AddressOfByte", "RvWindow_AddressOfChar", "RvWindow_AddressOfDouble",
          "RvWindow_AddressOfDword", "RvWindow_AddressOfFloat", "RvWindow_AddressOfInt64",
          "RvWindow_AddressOfLong"})
        EXPECT_EQ(testsupport::ExportAddress(library, name), one) << name;
}

TEST_F(MessageTest, PostedMessagesArriveLater) {
    testsupport::MessageLog log;
    testsupport::MessageRecorder recorder(top_, log);
    EXPECT_NE(RvWindow_PostMessage(topHandle_, WM_APP + 2, 7, -1), 0);
    EXPECT_EQ(log.Count(WM_APP + 2), 0u);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return log.Count(WM_APP + 2) == 1; }));
    EXPECT_EQ(static_cast<INT_PTR>(log.Of(WM_APP + 2)[0].lParam), -1);
    EXPECT_EQ(RvWindow_PostMessage(0xDEAD0000u, WM_APP, 0, 0), 0);
}

} // namespace
} // namespace rvwtest

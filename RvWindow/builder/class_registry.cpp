#include "class_registry.h"

#include "control_initialisers.h"
#include "dialog_record.h"
#include "rv_args.h"

#include <climits>
#include <vector>

namespace rvw {
namespace {

std::vector<ClassEntry> BuiltInClasses() {
    struct BuiltIn {
        const wchar_t* alias;
        const wchar_t* baseClass;
        RvControlInitialiser initialiser;
    };
    static const BuiltIn kBuiltIn[] = {
        {L"RvButton", L"static", InitImageButton},
        {L"RvLsEdit", L"edit", InitNumericEdit},
        {L"RvLsScrollbar", L"scrollbar", InitNumericScrollBar},
        {L"RvPMTGainEdit", L"edit", InitPmtGainEdit},
        {L"RvProgressbar", L"msctls_progress32", InitProgressBar},
        {L"RICHEDIT50W", L"RICHEDIT50W", InitRichEdit},
    };
    std::vector<ClassEntry> entries;
    entries.reserve(10);
    for (const BuiltIn& b : kBuiltIn) {
        ClassEntry e{};
        CopyTruncated(e.alias, kClassLength, b.alias);
        CopyTruncated(e.baseClass, kClassLength, b.baseClass);
        e.initialiser = b.initialiser;
        entries.push_back(e);
    }
    return entries;
}

// Filled when the library loads, before any export can be called.
std::vector<ClassEntry> g_classes = BuiltInClasses();

} // namespace

bool SameClassName(std::wstring_view a, std::wstring_view b) {
    if (a.size() > INT_MAX || b.size() > INT_MAX) return false;
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

const ClassEntry* FindClass(std::wstring_view alias) {
    if (alias.size() > kClassLength) alias = alias.substr(0, kClassLength);
    for (const ClassEntry& e : g_classes)
        if (SameClassName(alias, e.alias)) return &e;
    return nullptr;
}

bool AddClass(std::wstring_view alias, std::wstring_view baseClass,
              RvControlInitialiser initialiser) {
    if (!RoomForOne(g_classes)) return false;
    ClassEntry e{};
    CopyTruncated(e.alias, kClassLength, alias);
    CopyTruncated(e.baseClass, kClassLength, baseClass);
    e.initialiser = initialiser;
    g_classes.push_back(e);
    return true;
}

} // namespace rvw

RVWINDOW_API int RvDialog_AddControlClass(const wchar_t* alias, const wchar_t* baseClass,
                                          RvControlInitialiser initialiser) {
    return rv::Guarded(0, [&] {
        std::wstring_view aliasText, baseText;
        if (!rv::ReadWideArgument(alias, &aliasText) || !rv::ReadWideArgument(baseClass, &baseText))
            return 0;
        return rvw::AddClass(aliasText, baseText, initialiser) ? 1 : 0;
    });
}

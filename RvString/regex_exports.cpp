// Regular expressions for macros, kept under identifiers the macro chooses.
#include "RvString.h"
#include "regex_object.h"
#include "rv_args.h"

#include <map>
#include <memory>

namespace {

using Registry = std::map<uintptr_t, std::unique_ptr<rvs::RegexObject>>;

Registry& Expressions() {
    static Registry registry; // released when the library unloads
    return registry;
}

rvs::RegexObject* Find(uintptr_t id) {
    auto entry = Expressions().find(id);
    return entry == Expressions().end() ? nullptr : entry->second.get();
}

} // namespace

RVSTRING_API int RegexCompile(uintptr_t id, const wchar_t* pattern, int32_t syntaxFlags) {
    return rv::Guarded(rvs::ErrorResult(std::regex_constants::error_space), [&] {
        std::unique_ptr<rvs::RegexObject>& object = Expressions()[id];
        if (!object) object = std::make_unique<rvs::RegexObject>();
        return object->Compile(pattern, syntaxFlags);
    });
}

RVSTRING_API const wchar_t* RegexGetErrorDescription(uintptr_t id) {
    const rvs::RegexObject* object = Find(id);
    return object ? object->ErrorText().c_str() : L"";
}

RVSTRING_API int RegexMatches(uintptr_t id, const wchar_t* text, uint32_t matchFlags) {
    return rv::Guarded(0, [&] {
        rvs::RegexObject* object = Find(id);
        return object ? object->Run(false, text, matchFlags) : 0;
    });
}

RVSTRING_API int RegexSearch(uintptr_t id, const wchar_t* text, uint32_t matchFlags) {
    return rv::Guarded(0, [&] {
        rvs::RegexObject* object = Find(id);
        return object ? object->Run(true, text, matchFlags) : 0;
    });
}

RVSTRING_API int RegexGetMatchCount(uintptr_t id) {
    const rvs::RegexObject* object = Find(id);
    return object ? static_cast<int>(object->CaptureCount()) : 0;
}

RVSTRING_API const wchar_t* RegexGetMatch(uintptr_t id, uint64_t index) {
    const rvs::RegexObject* object = Find(id);
    return object ? object->Capture(index) : L"";
}

RVSTRING_API int RegexFree(uintptr_t id) {
    Expressions().erase(id);
    return 0;
}

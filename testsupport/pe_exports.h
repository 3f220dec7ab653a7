// Reading a loaded module's export table.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// The names in the export table of the loaded module `module` (an HMODULE).
std::vector<std::string> ExportNames(void* module);

// GetProcAddress of `name` as an untyped address.
void* ExportAddress(void* module, const char* name);

} // namespace testsupport

namespace testsupport {

// An export of `module` as a typed function pointer (null when absent).
template <class Function> Function Exported(void* module, const char* name) {
    void* address = ExportAddress(module, name);
    return reinterpret_cast<Function>(address);
}

} // namespace testsupport

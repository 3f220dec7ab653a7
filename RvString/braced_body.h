// The body of option text written in braces.
#pragma once

#include <string_view>

namespace rvs {

// What the whole-text match of \s*\{\s*(.*)\s*\}\s* (ECMAScript) captures as
// its group, or the whole text when it does not match. Computed in one pass
// because the standard matcher recurses once per character.
std::wstring_view BracedBody(std::wstring_view text);

} // namespace rvs

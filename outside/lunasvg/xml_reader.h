// A small, strict XML reader for SVG files: elements, attributes, comments,
// CDATA and processing instructions. Entities beyond the five predefined and
// numeric ones are not expanded (so no document can make itself grow), and
// nesting and size are limited.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace svg {

constexpr int kMaxDepth = 64;           // element nesting
constexpr size_t kMaxElements = 100000; // elements of one document

struct Element {
    std::string name; // without a namespace prefix ("svg:rect" is "rect")
    std::vector<std::pair<std::string, std::string>> attributes; // names keep their prefix
    std::vector<std::unique_ptr<Element>> children;

    // The attribute's value, or null when it is absent.
    const std::string* Attribute(std::string_view name) const;
};

// The root element of the document, or null when the text is not well-formed
// or exceeds the limits.
std::unique_ptr<Element> ReadXml(std::string_view text);

} // namespace svg

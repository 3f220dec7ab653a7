#include "xml_reader.h"

#include <cstdint>

namespace svg {
namespace {

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::unique_ptr<Element> Document() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        std::unique_ptr<Element> root;
        while (SkipMisc()) {
            if (AtEnd()) break;
            if (root) return nullptr; // a second root
            root = ReadElement(1);
            if (!root) return nullptr;
        }
        return failed_ ? nullptr : std::move(root);
    }

  private:
    bool AtEnd() const { return at_ >= text_.size(); }
    bool StartsWith(std::string_view s) const { return text_.substr(at_, s.size()) == s; }
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsNameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == ':' || c == '-' || c == '.' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    void SkipSpace() {
        while (!AtEnd() && IsSpace(text_[at_]))
            ++at_;
    }
    bool SkipPast(std::string_view end) {
        const size_t found = text_.find(end, at_);
        if (found == std::string_view::npos) return Fail();
        at_ = found + end.size();
        return true;
    }
    bool Fail() {
        failed_ = true;
        return false;
    }

    // Skips spaces, comments, processing instructions and the document type
    // outside elements; false on malformed text.
    bool SkipMisc() {
        for (;;) {
            SkipSpace();
            if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return false;
            } else if (StartsWith("<?")) {
                if (!SkipPast("?>")) return false;
            } else if (StartsWith("<!DOCTYPE")) {
                // Internal subsets are skipped whole: their entities are never expanded.
                int brackets = 0;
                for (; !AtEnd(); ++at_) {
                    const char c = text_[at_];
                    if (c == '[') ++brackets;
                    if (c == ']') --brackets;
                    if (c == '>' && brackets <= 0) break;
                }
                if (AtEnd()) return Fail();
                ++at_;
            } else {
                return !failed_;
            }
        }
    }

    bool ReadName(std::string* name) {
        const size_t start = at_;
        while (!AtEnd() && IsNameChar(text_[at_]))
            ++at_;
        if (at_ == start) return Fail();
        name->assign(text_.substr(start, at_ - start));
        return true;
    }

    static void AppendUtf8(std::string& out, uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    // Replaces the predefined and numeric character references; other
    // references are kept as written.
    static std::string Unescape(std::string_view raw) {
        std::string out;
        out.reserve(raw.size());
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const size_t semi = raw.find(';', i);
            if (semi == std::string_view::npos || semi - i > 10) {
                out += raw[i];
                continue;
            }
            const std::string_view ref = raw.substr(i + 1, semi - i - 1);
            static const struct {
                const char* name;
                char c;
            } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
            bool done = false;
            for (const auto& n : kNamed)
                if (ref == n.name) {
                    out += n.c;
                    done = true;
                }
            if (!done && ref.size() > 1 && ref[0] == '#') {
                uint32_t c = 0;
                const bool hex = ref[1] == 'x';
                bool ok = ref.size() > (hex ? 2u : 1u);
                for (size_t k = hex ? 2 : 1; k < ref.size() && ok; ++k) {
                    const char d = ref[k];
                    int v = -1;
                    if (d >= '0' && d <= '9') v = d - '0';
                    if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
                    if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
                    ok = v >= 0 && c <= 0x10FFFF;
                    c = c * (hex ? 16 : 10) + static_cast<uint32_t>(v < 0 ? 0 : v);
                }
                if (ok && c > 0 && c <= 0x10FFFF) {
                    AppendUtf8(out, c);
                    done = true;
                }
            }
            if (!done) {
                out += raw.substr(i, semi - i + 1);
            }
            i = semi;
        }
        return out;
    }

    bool ReadAttributes(Element& e, bool* selfClosed) {
        for (;;) {
            SkipSpace();
            if (AtEnd()) return Fail();
            if (StartsWith("/>")) {
                at_ += 2;
                *selfClosed = true;
                return true;
            }
            if (text_[at_] == '>') {
                ++at_;
                *selfClosed = false;
                return true;
            }
            std::string name;
            if (!ReadName(&name)) return false;
            SkipSpace();
            if (AtEnd() || text_[at_] != '=') return Fail();
            ++at_;
            SkipSpace();
            if (AtEnd() || (text_[at_] != '"' && text_[at_] != '\'')) return Fail();
            const char quote = text_[at_++];
            const size_t end = text_.find(quote, at_);
            if (end == std::string_view::npos) return Fail();
            e.attributes.emplace_back(std::move(name), Unescape(text_.substr(at_, end - at_)));
            at_ = end + 1;
        }
    }

    std::unique_ptr<Element> ReadElement(int depth) {
        if (depth > kMaxDepth || ++elements_ > kMaxElements) {
            Fail();
            return nullptr;
        }
        if (AtEnd() || text_[at_] != '<') {
            Fail();
            return nullptr;
        }
        ++at_;
        auto e = std::make_unique<Element>();
        std::string qualified;
        if (!ReadName(&qualified)) return nullptr;
        const size_t colon = qualified.rfind(':');
        e->name = colon == std::string::npos ? qualified : qualified.substr(colon + 1);
        bool selfClosed = false;
        if (!ReadAttributes(*e, &selfClosed)) return nullptr;
        if (selfClosed) return e;
        // Content: text is skipped (no text is drawn), elements are read.
        for (;;) {
            const size_t lt = text_.find('<', at_);
            if (lt == std::string_view::npos) {
                Fail();
                return nullptr;
            }
            at_ = lt;
            if (StartsWith("</")) {
                at_ += 2;
                std::string closing;
                if (!ReadName(&closing) || closing != qualified) {
                    Fail();
                    return nullptr;
                }
                SkipSpace();
                if (AtEnd() || text_[at_] != '>') {
                    Fail();
                    return nullptr;
                }
                ++at_;
                return e;
            }
            if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return nullptr;
            } else if (StartsWith("<![CDATA[")) {
                if (!SkipPast("]]>")) return nullptr;
            } else if (StartsWith("<?")) {
                if (!SkipPast("?>")) return nullptr;
            } else if (StartsWith("<!")) {
                Fail();
                return nullptr;
            } else {
                auto child = ReadElement(depth + 1);
                if (!child) return nullptr;
                e->children.push_back(std::move(child));
            }
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    size_t elements_ = 0;
    bool failed_ = false;
};

} // namespace

const std::string* Element::Attribute(std::string_view name) const {
    for (const auto& a : attributes)
        if (a.first == name) return &a.second;
    return nullptr;
}

std::unique_ptr<Element> ReadXml(std::string_view text) {
    return Reader(text).Document();
}

} // namespace svg

#include "emulator_control.h"

#include <cstdio>
#include <cstdlib>

namespace lumencor_emulator {

std::string Escape(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        switch (c) {
        case '\\':
            text += "\\\\";
            break;
        case '\r':
            text += "\\r";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\t':
            text += "\\t";
            break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                text += static_cast<char>(c);
            } else {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                text += hex;
            }
        }
    }
    return text;
}

std::string Unescape(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
            continue;
        }
        const char kind = text[++i];
        if (kind == 'r')
            bytes += '\r';
        else if (kind == 'n')
            bytes += '\n';
        else if (kind == 't')
            bytes += '\t';
        else if (kind == 'x' && i + 2 < text.size()) {
            bytes += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else
            bytes += kind;
    }
    return bytes;
}

} // namespace lumencor_emulator

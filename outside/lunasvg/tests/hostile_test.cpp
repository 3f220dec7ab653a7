// Files that are not drawings, or are built to exhaust the renderer: no
// bitmap, no crash, no hang.
#include "svg2bmp.h"
#include "svg_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace svgtest {
namespace {

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(Svg2BmpHostile, MalformedAndHostileFilesGiveNoBitmap) {
    const std::string rect = "<rect width='8' height='8'/>";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"not XML", "hello"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)},
        {"not SVG", "<html><body/></html>"},
        {"unclosed", "<svg width='8' height='8'>" + rect},
        {"mismatched", "<svg><g></svg></g>"},
        {"two roots", "<svg/><svg/>"},
        {"unquoted attribute", "<svg width=8/>"},
        {"deep nesting", "<svg>" + Repeat("<g>", 5000) + Repeat("</g>", 5000) + "</svg>"},
        {"huge number", "<svg><rect width='1e300' height='8'/></svg>"},
        {"huge path coordinate", "<svg><path d='M0 0 L 99999999999 0 0 5 z'/></svg>"},
        {"many digits", "<svg><path d='M0 0 L " + std::string(5000, '1') + " 0'/></svg>"},
        {"huge size", "<svg width='1e9' height='8'/>"},
        {"huge number in a style",
         "<svg><rect width='8' height='8' style='stroke-width:99999999'/></svg>"},
        {"too many path commands",
         "<svg width='8' height='8'><path d='M0 0" + Repeat(" L1 1", 250000) + "'/></svg>"},
        {"uses that multiply",
         "<svg width='8' height='8'><defs><g id='a0'>" + rect + rect + rect + rect + "</g>" +
             [] {
                 std::string levels;
                 for (int i = 1; i < 8; ++i)
                     levels += "<g id='a" + std::to_string(i) + "'>" +
                               Repeat("<use href='#a" + std::to_string(i - 1) + "'/>", 10) + "</g>";
                 return levels;
             }() +
             "</defs><use href='#a7'/></svg>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image;
        EXPECT_FALSE(Render(c.text, 16, 16, &image));
    }
}

TEST(Svg2BmpHostile, SelfReferencesDrawWhatTheyCanOnce) {
    Image image;
    ASSERT_TRUE(Render("<svg width='16' height='16'><g id='a'><rect width='4' height='4' "
                       "fill='red'/><use href='#a' x='4'/><use href='#b'/></g>"
                       "<use id='b' href='#a'/></svg>",
                       16, 16, &image));
    EXPECT_EQ(image.At(1, 1), Argb(255, 255, 0, 0));
}

TEST(Svg2BmpHostile, EntitiesOfTheDocumentTypeAreNotExpanded) {
    const std::string laughs = "<!DOCTYPE svg [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;'>]>"
                               "<svg width='8' height='8'><rect width='8' height='8' fill='&b;'/>"
                               "<rect width='4' height='4' fill='&#x72;ed'/></svg>";
    Image image;
    ASSERT_TRUE(Render(laughs, 8, 8, &image));
    EXPECT_EQ(image.At(6, 6), Argb(255, 0, 0, 0)) << "an unreadable fill is ignored: black";
    EXPECT_EQ(image.At(1, 1), Argb(255, 255, 0, 0)) << "character references are read";
}

TEST(Svg2BmpHostile, AHundredMegabyteFileIsNotRead) {
    const std::wstring path = WriteTemp(L"huge.svg", "<svg width='8' height='8'>");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 100LL * 1024 * 1024;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    Image image;
    EXPECT_FALSE(RenderFile(path, 8, 8, &image));
    DeleteFileW(path.c_str());
}

TEST(Svg2BmpHostile, MissingFilesAndNullPathsGiveNoBitmap) {
    EXPECT_EQ(svg2bmp(nullptr, -8, -8, 0), nullptr);
    EXPECT_EQ(svg2bmp(L"C:\\no\\such\\file.svg", -8, -8, 0), nullptr);
    const std::wstring path = WriteTemp(L"ok.svg", "<svg width='8' height='8'/>");
    EXPECT_EQ(svg2bmp(path.c_str(), -1e9, -8, 0), nullptr) << "too large a bitmap";
    EXPECT_EQ(svg2bmp(path.c_str(), std::numeric_limits<double>::quiet_NaN(), -8, 0), nullptr);
}

} // namespace
} // namespace svgtest

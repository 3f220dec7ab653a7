#include "svg_library.h"

#include "runtime_libraries.h"

#include <string>

namespace rvw {
namespace {

HMODULE g_svgLibrary = nullptr;
Svg2Bmp g_svg2bmp = nullptr;

} // namespace

Svg2Bmp SvgRenderer() {
    if (g_svg2bmp) return g_svg2bmp;
    if (!g_svgLibrary) {
        const std::wstring path = BesideThisLibrary(L"lunasvg.dll");
        if (path.empty()) return nullptr;
        g_svgLibrary = LoadLibraryW(path.c_str());
        if (!g_svgLibrary) return nullptr;
    }
    g_svg2bmp =
        reinterpret_cast<Svg2Bmp>(reinterpret_cast<void*>(GetProcAddress(g_svgLibrary, "svg2bmp")));
    return g_svg2bmp;
}

} // namespace rvw

#include "control_fixture.h"

#include <cstdio>
#include <cstdlib>

namespace rvwtest {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

SCROLLINFO ScrollInfoOf(HWND bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
    return info;
}

std::wstring TempFile(const std::wstring& name) {
    static const std::wstring folder = [] {
        wchar_t base[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, base);
        std::wstring f =
            std::wstring(base) + L"rvcontrols_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(f.c_str(), nullptr);
        return f + L"\\";
    }();
    return folder + name;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void WriteQuadrantBitmap(const std::wstring& path, int size) {
    const int stride = (size * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = size;
    info.biHeight = size; // bottom row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * size);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;
        std::string line(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < size; ++x) {
            const bool top = y < size / 2, left = x < size / 2;
            const COLORREF c =
                top ? (left ? kTopLeft : kTopRight) : (left ? kBottomLeft : kBottomRight);
            line[static_cast<size_t>(3 * x)] = static_cast<char>(GetBValue(c));
            line[static_cast<size_t>(3 * x + 1)] = static_cast<char>(GetGValue(c));
            line[static_cast<size_t>(3 * x + 2)] = static_cast<char>(GetRValue(c));
        }
        bytes += line;
    }
    WriteFile(path, bytes);
}

std::string QuadrantSvg(int size) {
    const int h = size / 2;
    char svg[1024];
    std::snprintf(svg, sizeof svg,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\">"
                  "<rect width=\"%d\" height=\"%d\" fill=\"#ff0000\"/>"
                  "<rect x=\"%d\" width=\"%d\" height=\"%d\" fill=\"lime\"/>"
                  "<rect y=\"%d\" width=\"%d\" height=\"%d\" fill=\"rgb(0,0,255)\"/>"
                  "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" style=\"fill:#ff0\"/>"
                  "</svg>",
                  size, size, h, h, h, h, h, h, h, h, h, h, h, h);
    return svg;
}

Painted::Painted(HWND window, COLORREF background) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(background);
    FillRect(dc, &client, fill);
    DeleteObject(fill);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Painted::At(int x, int y) const {
    const uint32_t p =
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::vector<COLORREF> Painted::Quadrants() const {
    const int x1 = width_ / 4, x2 = 3 * width_ / 4, y1 = height_ / 4, y2 = 3 * height_ / 4;
    return {At(x1, y1), At(x2, y1), At(x1, y2), At(x2, y2)};
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace rvwtest

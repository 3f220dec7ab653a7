#include "image_button.h"

#include "RvWindow.h"
#include "image_geometry.h"
#include "rv_args.h"
#include "subclassing.h"

#include <new>

namespace rvw {

int ImageButton::Init(HWND window) {
    if (!window) return 0;
    ImageButton* record = AttachRecord(new (std::nothrow) ImageButton, window, Procedure,
                                       &ImageButton::window_, &ImageButton::previous_);
    if (!record) return -1;
    return 0;
}

ImageButton* ImageButton::From(HWND window) {
    ImageButton* record = SignedRecord<ImageButton>(window, kImageButtonSignature);
    return record && record->window_ == window ? record : nullptr;
}

LRESULT ImageButton::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(window_, message, wParam, lParam);
}

LRESULT CALLBACK ImageButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<ImageButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!record) return DefWindowProcW(window, message, wParam, lParam);
    return record->Handle(message, wParam, lParam);
}

LRESULT ImageButton::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    const WNDPROC previous = previous_;
    switch (message) {
    case BM_SETIMAGE:
        if (wParam == kSetImageFromFile && SetImage(lParam)) return 0;
        break;
    case kRotateFlip:
        RotateFlip(wParam);
        break;
    case WM_PAINT:
        if (!image_.image) break;
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_PRINTCLIENT:
        if (!image_.image) break;
        PaintInto(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCDESTROY:
        Unsubclass(window, previous);
        SecureZeroMemory(&signature_, sizeof signature_);
        delete this;
        break;
    default:
        break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool ImageButton::SetImage(LPARAM pathArgument) {
    std::wstring_view view;
    const auto* text = reinterpret_cast<const wchar_t*>(pathArgument);
    if (!text) return false;
    if (!rv::ReadWideArgument(text, &view)) return true; // unreadable: nothing to load
    if (view.empty()) return false;
    const std::wstring path(view);
    if (ImageTypeOf(path) == ImageType::Rejected) return true;
    RECT r{};
    GetWindowRect(window_, &r);
    LoadedImage loaded = LoadButtonImage(path, r);
    if (!loaded.image) return true; // the previous image stays
    image_ = std::move(loaded);
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

void ImageButton::RotateFlip(WPARAM bits) {
    rotation_ = static_cast<uint32_t>(bits) & kRotationMask;
    if (image_.image) {
        // Flips change the image itself, so they add up over calls.
        if (bits & kFlipHorizontal) image_.image->RotateFlip(Gdiplus::RotateNoneFlipX);
        if (bits & kFlipVertical) image_.image->RotateFlip(Gdiplus::RotateNoneFlipY);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void ImageButton::Paint(HDC given) {
    if (given) {
        PaintInto(given);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (dc) PaintInto(dc);
    EndPaint(window_, &ps);
}

void ImageButton::PaintInto(HDC dc) {
    // The whole client area: a partial repaint must not squeeze the image into the update region.
    RECT client{};
    GetClientRect(window_, &client);
    const int w = client.right, h = client.bottom;
    Gdiplus::Bitmap& image = *image_.image;
    const double aspect =
        image.GetHeight() ? static_cast<double>(image.GetWidth()) / image.GetHeight() : 0.0;
    // The static does not paint under the image: the background is ours, in
    // the colour the parent gives statics, so turned or transparent images
    // leave nothing of an earlier one behind.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window_), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(window_)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    const DrawnRect r = FitImage(w, h, aspect, rotation_);
    if (r.width <= 0 || r.height <= 0) return;
    Gdiplus::Graphics g(dc);
    g.SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
    if (rotation_ != 0) {
        const Gdiplus::REAL cx = static_cast<Gdiplus::REAL>(w) / 2;
        const Gdiplus::REAL cy = static_cast<Gdiplus::REAL>(h) / 2;
        g.TranslateTransform(-cx, -cy, Gdiplus::MatrixOrderAppend);
        g.RotateTransform(static_cast<Gdiplus::REAL>(rotation_ * 90), Gdiplus::MatrixOrderAppend);
        g.TranslateTransform(cx, cy, Gdiplus::MatrixOrderAppend);
    }
    g.DrawImage(&image, Gdiplus::Rect(r.x, r.y, r.width, r.height), 0, 0,
                static_cast<INT>(image.GetWidth()), static_cast<INT>(image.GetHeight()),
                Gdiplus::UnitPixel);
}

} // namespace rvw

namespace {

rvw::ImageButton* ButtonOf(uint32_t button) {
    return rvw::ImageButton::From(rvw::WindowOf(button));
}

} // namespace

RVWINDOW_API int RvButton_IsRvButtonWindow(uint32_t button) {
    return rv::Guarded(0, [&] { return ButtonOf(button) ? 1 : 0; });
}

RVWINDOW_API int RvButton_SetImage(uint32_t button, const wchar_t* path) {
    return rv::Guarded(-1, [&] {
        rvw::ImageButton* b = ButtonOf(button);
        if (!b) return -1;
        b->Send(BM_SETIMAGE, rvw::kSetImageFromFile, reinterpret_cast<LPARAM>(path));
        return 0;
    });
}

RVWINDOW_API int RvButton_SetRotationFlip(uint32_t button, uint32_t bits) {
    return rv::Guarded(-1, [&] {
        rvw::ImageButton* b = ButtonOf(button);
        if (!b) return -1;
        b->Send(rvw::kRotateFlip, bits, 0);
        return 0;
    });
}

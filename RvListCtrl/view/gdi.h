// Owners of GDI and user objects, released when they go out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace rvl {

template <class Handle, class Release> class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle h) : handle_(h) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    void reset(Handle h = Handle{}) {
        if (handle_) Release()(handle_);
        handle_ = h;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

  private:
    Handle handle_{};
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyWindowHandle {
    void operator()(HWND h) const {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
struct DeleteDcHandle {
    void operator()(HDC h) const { DeleteDC(h); }
};

using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;
using OwnedRegion = Owned<HRGN, DeleteGdiObject>;
using OwnedWindow = Owned<HWND, DestroyWindowHandle>;
using OwnedDc = Owned<HDC, DeleteDcHandle>;

// Selects an object into a DC for the lifetime of the selection.
class SelectGdi {
  public:
    SelectGdi(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGdi() { SelectObject(dc_, old_); }
    SelectGdi(const SelectGdi&) = delete;
    SelectGdi& operator=(const SelectGdi&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace rvl

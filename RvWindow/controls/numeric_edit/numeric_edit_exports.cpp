// The numeric edit's exports: each resolves its handle to a numeric edit first.
#include "RvWindow.h"
#include "numeric_edit.h"
#include "rv_args.h"
#include "subclassing.h"

namespace {

rvw::NumericEdit* EditOf(uint32_t edit) {
    return rvw::NumericEdit::From(rvw::WindowOf(edit));
}

// A text argument; false when it cannot be read.
bool TextArgument(const wchar_t* text, std::wstring* out) {
    std::wstring_view view;
    if (!rv::ReadWideArgument(text, &view)) return false;
    out->assign(view);
    return true;
}

} // namespace

RVWINDOW_API int RvLsEdit_IsRvLsEditWindow(uint32_t edit) {
    return rv::Guarded(0, [&] { return EditOf(edit) ? 1 : 0; });
}

RVWINDOW_API double RvLsEdit_GetValue(uint32_t edit) {
    return rv::Guarded(0.0, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        return e ? e->value() : 0.0;
    });
}

RVWINDOW_API int RvLsEdit_SetValue(uint32_t edit, double value) {
    return rv::Guarded(-1, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return -1;
        e->SetValue(value);
        return 1;
    });
}

RVWINDOW_API uint32_t RvLsEdit_GetFlags(uint32_t edit) {
    return rv::Guarded(0u, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        return e ? e->flags() : 0u;
    });
}

RVWINDOW_API uint32_t RvLsEdit_SetFlags(uint32_t edit, uint32_t flags) {
    return rv::Guarded(0u, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return 0u;
        e->set_flags(flags);
        return e->flags();
    });
}

RVWINDOW_API int RvLsEdit_SetFormat(uint32_t edit, const wchar_t* format) {
    return rv::Guarded(-1, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return -1;
        std::wstring text;
        return TextArgument(format, &text) && e->SetFormat(text) ? 1 : 0;
    });
}

RVWINDOW_API int RvLsEdit_SetRange(uint32_t edit, double endA, double endB, double step) {
    return rv::Guarded(-1, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return -1;
        return e->SetRange(endA, endB, step) ? 1 : 0;
    });
}

RVWINDOW_API int RvLsEdit_SetScale(uint32_t edit, double scale, double offset) {
    return rv::Guarded(-1, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return -1;
        return e->SetScale(scale, offset) ? 1 : 0;
    });
}

RVWINDOW_API int RvLsEdit_SetUnit(uint32_t edit, const wchar_t* unit) {
    return rv::Guarded(-1, [&] {
        rvw::NumericEdit* e = EditOf(edit);
        if (!e) return -1;
        std::wstring text;
        if (!TextArgument(unit, &text)) return 0;
        e->SetUnit(text);
        return 1;
    });
}

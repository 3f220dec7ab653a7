// Attaching the list object to its window and letting go of it again.
#include "rv_list_ctrl.h"

#include "header_drop.h"
#include "resource_ids.h"
#include "rv_module.h"

#include <new>

namespace rvl {
namespace {

const wchar_t kObjectProperty[] = L"RvListCtrl.object";   // the object while attaching
const wchar_t kOldProcProperty[] = L"RvListCtrl.oldProc"; // the list box's own procedure

WNDPROC OldProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropW(window, kOldProcProperty));
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = static_cast<CRvListCtrl*>(GetPropW(window, kObjectProperty));
    WNDPROC old = OldProc(window);
    if (!list) return old ? CallWindowProcW(old, window, message, wParam, lParam) : 0;
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(old, window, message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        RemovePropW(window, kObjectProperty);
        RemovePropW(window, kOldProcProperty);
        if (list->WindowGone()) delete list;
        return result;
    }
    list->EnterMessage();
    const LRESULT result = list->Handle(message, wParam, lParam);
    if (list->LeaveMessage()) delete list;
    return result;
}

} // namespace

CRvListCtrl::CRvListCtrl(HWND window) : window_(window) {}

CRvListCtrl::~CRvListCtrl() {
    ReleaseWindowResources();
    signature_ = rv::Signature{0, 0};
}

CRvListCtrl* CRvListCtrl::Attach(HWND window) {
    if (!window || !IsWindow(window) || GetPropW(window, kObjectProperty)) return nullptr;
    auto* list = new (std::nothrow) CRvListCtrl(window);
    if (!list) return nullptr;
    const auto old = GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (!SetPropW(window, kOldProcProperty, reinterpret_cast<HANDLE>(old)) ||
        !SetPropW(window, kObjectProperty, list)) {
        RemovePropW(window, kOldProcProperty);
        delete list;
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc));
    bool ok = false;
    try {
        ok = list->SignatureEndsObject() && list->Initialise();
        if (ok) {
            list->images_.list =
                ImageList_LoadImageW(rv::ThisModule(), MAKEINTRESOURCEW(IDB_LIST_IMAGES), 16, 0,
                                     RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
            int cx = 16, cy = 16;
            if (list->images_.list && ImageList_GetIconSize(list->images_.list, &cx, &cy))
                list->images_.iconWidth = cx;
            list->images_.divider = LoadCursorW(rv::ThisModule(), MAKEINTRESOURCEW(IDC_DIVIDER));
            list->images_.hand = LoadCursorW(rv::ThisModule(), MAKEINTRESOURCEW(IDC_LINK_HAND));
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
            SetWindowLongPtrW(window, GWL_STYLE, (style & ~WS_BORDER) | WS_CLIPCHILDREN);
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
            list->RegisterDropTarget();
            list->view_.headerShown = true;
            list->ResetScrollBars(kBarBoth, -1, true);
            list->view_.singleSelect = true;
            list->view_.sortArrows = false;
            list->ShowThemed(true);
            // A new list shows the face colour of the dialog it sits in. Of
            // the background group only the background and header slots take
            // it: with the selection and focus slots too, a selected row
            // would look exactly like any other.
            list->palette_.SetFaceBackground(GetSysColor(COLOR_BTNFACE));
        }
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, old);
        RemovePropW(window, kObjectProperty);
        RemovePropW(window, kOldProcProperty);
        delete list;
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
    InvalidateRect(window, nullptr, FALSE);
    return list;
}

LRESULT CRvListCtrl::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = OldProc(window_);
    return old ? CallWindowProcW(old, window_, message, wParam, lParam)
               : DefWindowProcW(window_, message, wParam, lParam);
}

void CRvListCtrl::OnDestroy() {
    ReleaseWindowResources();
}

void CRvListCtrl::ReleaseWindowResources() {
    KillTimer(window_, kSmoothTimer);
    KillTimer(window_, kResizeTimer);
    if (dragDrop_.target) {
        RevokeDragDrop(window_);
        dragDrop_.target->Detach();
        dragDrop_.target->Release();
        dragDrop_.target = nullptr;
    }
    if (dragDrop_.oleInitialised) {
        OleUninitialize();
        dragDrop_.oleInitialised = false;
    }
    dragDrop_.arrows.reset();
    KillTimer(window_, kEditTimer);
    KillTimer(window_, kBandTimer);
    // The editors go without reporting: there is no list left to store into.
    editors_.edit.Discard();
    editors_.combo.Discard();
    editors_.date.Discard();
    view_.editing = false;
    tips_.title.Destroy();
    if (images_.list) {
        ImageList_Destroy(images_.list);
        images_.list = nullptr;
    }
    // Cursors loaded from resources are shared and need no release.
    images_.divider = images_.hand = nullptr;
    for (HTHEME* theme : {&themes_.header, &themes_.progress}) {
        if (*theme) CloseThemeData(*theme);
        *theme = nullptr;
    }
    smooth_.bitmap.reset();
}

} // namespace rvl

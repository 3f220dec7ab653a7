// Header drag and drop through OLE: the data object that carries the list's
// own window handle in "HEADERCLIPBOARDFORMAT", the drop source, and the
// drop target registered for every list.
#pragma once

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdint>

namespace rvl {

class CRvListCtrl;

// Carries `list` as the handle in global memory of `format`.
class HeaderDataObject final : public IDataObject {
  public:
    HeaderDataObject(HWND list, UINT format) : list_(list), format_(format) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    ~HeaderDataObject() = default;
    HWND list_;
    UINT format_;
    ULONG references_ = 1;
};

// Drops when the left button is released, cancels on Escape.
class HeaderDropSource final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    ULONG references_ = 1;
};

// Accepts only a column of this very list, and moves it to the gap under
// the mouse, showing the drag arrows there meanwhile.
class HeaderDropTarget final : public IDropTarget {
  public:
    // Shows the shell's drag image too, when its helper object can be created.
    explicit HeaderDropTarget(CRvListCtrl* list);
    // The list is going away: from now on nothing is accepted.
    void Detach() { list_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at,
                                   DWORD* effect) override;

  private:
    ~HeaderDropTarget();
    bool CarriesThisList(IDataObject* data) const;
    int32_t GapAt(POINTL at) const; // -1: no move

    CRvListCtrl* list_;
    IDropTargetHelper* helper_ = nullptr;
    bool accepted_ = false;
    ULONG references_ = 1;
};

} // namespace rvl

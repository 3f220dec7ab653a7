#include "header_drop.h"

#include "rv_list_ctrl.h"

#include <cstring>

namespace rvl {
namespace {

FORMATETC FormatOf(UINT format) {
    return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool IsOurFormat(const FORMATETC* f, UINT format) {
    return f && f->cfFormat == format && (f->tymed & TYMED_HGLOBAL) &&
           f->dwAspect == DVASPECT_CONTENT;
}

} // namespace

HRESULT HeaderDataObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG HeaderDataObject::Release() {
    const ULONG left = --references_;
    if (!left) delete this;
    return left;
}

HRESULT HeaderDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_POINTER;
    if (!IsOurFormat(format, format_)) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(HWND));
    if (!memory) return E_OUTOFMEMORY;
    void* bytes = GlobalLock(memory);
    std::memcpy(bytes, &list_, sizeof list_);
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT HeaderDataObject::QueryGetData(FORMATETC* format) {
    return IsOurFormat(format, format_) ? S_OK : DV_E_FORMATETC;
}

HRESULT HeaderDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT HeaderDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = FormatOf(format_);
    return SHCreateStdEnumFmtEtc(1, &format, out);
}

HRESULT HeaderDropSource::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropSource) {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG HeaderDropSource::Release() {
    const ULONG left = --references_;
    if (!left) delete this;
    return left;
}

HRESULT HeaderDropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HeaderDropTarget::HeaderDropTarget(CRvListCtrl* list) : list_(list) {
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IDropTargetHelper, reinterpret_cast<void**>(&helper_))))
        helper_ = nullptr;
}

HeaderDropTarget::~HeaderDropTarget() {
    if (helper_) helper_->Release();
}

HRESULT HeaderDropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG HeaderDropTarget::Release() {
    const ULONG left = --references_;
    if (!left) delete this;
    return left;
}

bool HeaderDropTarget::CarriesThisList(IDataObject* data) const {
    if (!list_ || !data) return false;
    FORMATETC format = FormatOf(list_->ClipboardFormat());
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return false;
    bool ours = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal &&
        GlobalSize(medium.hGlobal) >= sizeof(HWND)) {
        if (const void* bytes = GlobalLock(medium.hGlobal)) {
            HWND carried;
            std::memcpy(&carried, bytes, sizeof carried);
            ours = carried == list_->Window();
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return ours;
}

int32_t HeaderDropTarget::GapAt(POINTL at) const {
    if (!list_) return -1;
    POINT p{at.x, at.y};
    ScreenToClient(list_->Window(), &p);
    return list_->DropGap(p);
}

HRESULT HeaderDropTarget::DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    accepted_ = CarriesThisList(data);
    const HRESULT result = DragOver(0, at, effect);
    POINT p{at.x, at.y};
    if (helper_ && list_) helper_->DragEnter(list_->Window(), data, &p, *effect);
    return result;
}

HRESULT HeaderDropTarget::DragOver(DWORD, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    const int32_t gap = accepted_ ? GapAt(at) : -1;
    *effect = gap >= 0 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    POINT p{at.x, at.y};
    if (helper_) helper_->DragOver(&p, *effect);
    if (!list_) return S_OK;
    if (gap >= 0)
        list_->ShowDragArrows(gap);
    else
        list_->HideDragArrows();
    return S_OK;
}

HRESULT HeaderDropTarget::DragLeave() {
    accepted_ = false;
    if (helper_) helper_->DragLeave();
    if (list_) list_->HideDragArrows();
    return S_OK;
}

HRESULT HeaderDropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = DROPEFFECT_NONE;
    accepted_ = false;
    POINT p{at.x, at.y};
    if (helper_) helper_->Drop(data, &p, *effect);
    if (!list_) return S_OK;
    list_->HideDragArrows();
    if (!CarriesThisList(data)) return S_OK;
    const int32_t gap = GapAt(at);
    if (gap >= 0 && list_->DropColumnAtGap(gap)) *effect = DROPEFFECT_MOVE;
    return S_OK;
}

} // namespace rvl

// The OLE callback of rich edits: embedded objects get their storage in one
// temporary compound file per control; everything else is allowed as is,
// with nothing handed back through the out-parameters.
#include "rich_edit.h"

#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include <new>

namespace rvw {
namespace {

constexpr DWORD kStorageMode =
    STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED;

class OleCallback final : public IRichEditOleCallback {
  public:
    // A callback over a new temporary compound file, or null.
    static OleCallback* Create() {
        IStorage* storage = nullptr;
        // Deleted when released, so no temporary file is left behind.
        if (FAILED(StgCreateDocfile(nullptr, kStorageMode | STGM_DELETEONRELEASE, 0, &storage)))
            return nullptr;
        auto* callback = new (std::nothrow) OleCallback(storage);
        if (!callback) storage->Release();
        return callback;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRichEditOleCallback)) {
            *out = static_cast<IRichEditOleCallback*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetNewStorage(LPSTORAGE* out) override {
        if (!out) return E_POINTER;
        return storage_->CreateStorage(L"", kStorageMode, 0, 0, out);
    }
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(LPOLEINPLACEFRAME* frame,
                                                LPOLEINPLACEUIWINDOW* document,
                                                LPOLEINPLACEFRAMEINFO) override {
        if (frame) *frame = nullptr;
        if (document) *document = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteObject(LPOLEOBJECT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL,
                                              HGLOBAL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }
    // "Not implemented" makes the control copy as it always does; success
    // would have it copy a data object that does not exist.
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* data) override {
        if (data) *data = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* menu) override {
        if (menu) *menu = nullptr;
        return S_OK;
    }

  private:
    explicit OleCallback(IStorage* storage) : storage_(storage) {}
    ~OleCallback() { storage_->Release(); }

    LONG references_ = 1;
    IStorage* storage_;
};

} // namespace

int EquipRichEdit(HWND window) {
    if (!window) return 0;
    OleCallback* callback = OleCallback::Create();
    if (!callback) return 0;
    // The control keeps its own reference for as long as it lives.
    SendMessageW(window, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback));
    callback->Release();
    return 0;
}

} // namespace rvw

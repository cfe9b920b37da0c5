// Drag and drop through OLE: the drop target object registered for a
// window, which hands texts and file lists to the toolkit's receiver, and
// the shell-link resolution for dropped shortcuts.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <new>
#include <vector>

#include "handles.h"
#include "platform/drop.h"

namespace platform {

namespace {

FORMATETC formatOf(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The platform's drop target object. Created with no references, it lives
// exactly as long as the registration holds it: revoking releases it. COM
// objects end through Release, never through a delete of the interface, so
// the interface's missing virtual destructor does no harm.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class OleDropTarget : public IDropTarget {
public:
    explicit OleDropTarget(DropReceiver* r) : receiver(r) {}
    virtual ~OleDropTarget() = default;
    OleDropTarget(const OleDropTarget&) = delete;
    OleDropTarget& operator=(const OleDropTarget&) = delete;

    // Drags still in progress may hold the object after the receiver is gone.
    void detach() { receiver = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = --references;
        if (left <= 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override {
        acceptsData = false;
        if (data) {
            FORMATETC text = formatOf(CF_TEXT);
            FORMATETC files = formatOf(CF_HDROP);
            acceptsData = data->QueryGetData(&text) == S_OK || data->QueryGetData(&files) == S_OK;
        }
        if (acceptsData)
            return DragOver(keyState, point, effect);
        if (effect)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL, DWORD* effect) override {
        if (!effect)
            return E_INVALIDARG;
        if (!acceptsData)
            *effect = DROPEFFECT_NONE;
        else
            *effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }

    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD*) override {
        if (receiver && data)
            deliver(data);
        DragLeave();
        return S_OK;
    }

private:
    void deliver(IDataObject* data) {
        FORMATETC text = formatOf(CF_TEXT);
        FORMATETC files = formatOf(CF_HDROP);
        STGMEDIUM medium{};
        if (data->GetData(&text, &medium) == S_OK) {
            const void* block = GlobalLock(medium.hGlobal);
            const SIZE_T size = GlobalSize(medium.hGlobal);
            if (block && size)
                receiver->dropText(static_cast<const char*>(block), size);
            if (block)
                GlobalUnlock(medium.hGlobal);
            ReleaseStgMedium(&medium);
        } else if (data->GetData(&files, &medium) == S_OK) {
            deliverFiles(static_cast<HDROP>(medium.hGlobal));
            ReleaseStgMedium(&medium);
        }
    }

    void deliverFiles(HDROP drop) {
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        if (count == 0)
            return;
        constexpr UINT kNameCapacity = 1024;
        std::vector<char> buffer;
        std::vector<const char*> names;
        std::vector<std::size_t> offsets;
        for (UINT i = 0; i < count; ++i) {
            char name[kNameCapacity];
            if (DragQueryFileA(drop, i, name, kNameCapacity) == 0)
                continue;
            offsets.push_back(buffer.size());
            buffer.insert(buffer.end(), name, name + lstrlenA(name) + 1);
        }
        for (std::size_t offset : offsets)
            names.push_back(buffer.data() + offset);
        if (!names.empty())
            receiver->dropFiles(names.data(), static_cast<int>(names.size()));
    }

    LONG references = 0;
    bool acceptsData = false;
    DropReceiver* receiver;
};
#pragma GCC diagnostic pop

std::map<HWND, OleDropTarget*>& registrations() {
    static std::map<HWND, OleDropTarget*> table;
    return table;
}

// Initialisations that failed (the thread was set up for another threading
// model); their balancing calls must not undo someone else's.
int failedInitializations = 0;

} // namespace

void oleInitialize() {
    const HRESULT result = OleInitialize(nullptr);
    if (FAILED(result))
        ++failedInitializations;
}

void oleUninitialize() {
    if (failedInitializations > 0) {
        --failedInitializations;
        return;
    }
    OleUninitialize();
}

bool registerDropTarget(Window w, DropReceiver* receiver) {
    HWND h = win32::hwnd(w);
    if (!h || !receiver || registrations().count(h))
        return false;
    OleDropTarget* target = new (std::nothrow) OleDropTarget(receiver);
    if (!target)
        return false;
    target->AddRef();
    const bool registered = RegisterDragDrop(h, target) == S_OK;
    if (registered)
        registrations()[h] = target;
    // The registration now holds the only reference (none when it failed).
    target->Release();
    return registered;
}

bool revokeDropTarget(Window w) {
    HWND h = win32::hwnd(w);
    const auto found = registrations().find(h);
    if (found == registrations().end())
        return false;
    found->second->detach();
    registrations().erase(found);
    return RevokeDragDrop(h) == S_OK;
}

bool resolveShellLink(const char* linkPath, char* target, int capacity) {
    if (!linkPath || !target || capacity <= 0)
        return false;
    IShellLinkA* link = nullptr;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link)) != S_OK ||
        !link)
        return false;
    bool resolved = false;
    IPersistFile* file = nullptr;
    if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK && file) {
        WCHAR wide[1024];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, 1024) > 0 &&
            file->Load(wide, STGM_READ) == S_OK &&
            // No user interface, any match, and at most 500 ms of searching.
            link->Resolve(nullptr, 0x01F40003) == S_OK) {
            std::vector<char> path(static_cast<std::size_t>(capacity), 0);
            WIN32_FIND_DATAA found{};
            if (link->GetPath(path.data(), capacity, &found, SLGP_SHORTPATH) == S_OK && path[0]) {
                lstrcpynA(target, path.data(), capacity);
                resolved = true;
            }
        }
        file->Release();
    }
    link->Release();
    return resolved;
}

} // namespace platform

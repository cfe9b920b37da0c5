// The frame on the real window system: its class, painting and presses
// through the window procedure, a host destroying its window, the editor's
// idle processing letting a paint through, the frame's own timer, the drop
// registration and the resolution of real shell links.
#include <windows.h>

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "editor/gui_editor.h"
#include "gui/drop_target.h"
#include "gui/frame.h"
#include "host/audio_effect_x.h"
#include "platform/drop.h"
#include "platform/system.h"

namespace {

class CountingView : public View {
public:
    explicit CountingView(const Rect& r) : View(r) {}
    void draw(DrawContext* context) override {
        ++draws;
        View::draw(context);
    }
    void onMouseDown(DrawContext*, Point& where) override {
        ++presses;
        lastPress = where;
    }
    int draws = 0;
    int presses = 0;
    Point lastPress;
};

// Offers one text or one file list in global memory, as a drag source does.
// Lives on the stack; COM objects are never deleted through their interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class OfferedData : public IDataObject {
public:
    OfferedData(CLIPFORMAT offered, const void* bytes, SIZE_T size) : format(offered) {
        memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
    }
    virtual ~OfferedData() { GlobalFree(memory); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* asked, STGMEDIUM* medium) override {
        if (QueryGetData(asked) != S_OK)
            return DV_E_FORMATETC;
        // A copy the receiver frees: no release interface.
        const SIZE_T size = GlobalSize(memory);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(copy), GlobalLock(memory), size);
        GlobalUnlock(copy);
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        ++handedOut;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* asked) override {
        return asked && asked->cfFormat == format && (asked->tymed & TYMED_HGLOBAL)
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

    int handedOut = 0;

private:
    CLIPFORMAT format;
    HGLOBAL memory;
};
#pragma GCC diagnostic pop

// A file list as the shell builds it: the header, then the names, each
// ended by a zero, and one more zero.
std::string fileList(const std::string& names) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    return block + names + std::string(1, '\0');
}

class DroppedView : public View {
public:
    explicit DroppedView(const Rect& r) : View(r) {}
    bool onDrop(void** items, int count, int type, Point&) override {
        droppedType = type;
        droppedCount = count;
        const int names = type == kDropText ? 1 : count;
        for (int i = 0; i < names; ++i)
            dropped += std::string(static_cast<const char*>(items[i])) + "|";
        return true;
    }
    int droppedType = -1;
    int droppedCount = 0;
    std::string dropped;
};

class QuietEffect : public AudioEffectX {
public:
    QuietEffect() : AudioEffectX(nullptr, 1, 2) {}
    void process(float**, float**, int32) override {}
};

class FrameEditor : public GuiEditor {
public:
    explicit FrameEditor(AudioEffect* owner) : GuiEditor(owner) {}
    int32 open(void* parent) override {
        GuiEditor::open(parent);
        frame = new Frame(Rect(0, 0, 268, 107), parent, this);
        return 1;
    }
    void close() override {
        delete frame;
        frame = nullptr;
    }
};

class FrameUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setModuleHandle(reinterpret_cast<platform::Module>(GetModuleHandleA(nullptr)));
        WNDCLASSA hostClass{};
        hostClass.lpfnWndProc = DefWindowProcA;
        hostClass.hInstance = GetModuleHandleA(nullptr);
        hostClass.lpszClassName = "FrameTestHost";
        RegisterClassA(&hostClass);
        host = CreateWindowExA(0, "FrameTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                               400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        if (IsWindow(host))
            DestroyWindow(host);
        pump();
    }
    static void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    static HWND frameWindow(Frame& frame) { return reinterpret_cast<HWND>(frame.getWindow()); }

    HWND host = nullptr;
};

TEST_F(FrameUnderWine, IsAChildOfTheHostWindowInTheSharedClass) {
    Frame frame(Rect(0, 0, 268, 107), host, nullptr);
    HWND w = frameWindow(frame);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetParent(w), host);
    EXPECT_TRUE(IsWindowVisible(w));
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    char expected[32];
    std::snprintf(expected, sizeof expected, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(platform::moduleHandle())));
    EXPECT_STREQ(name, expected);
    WNDCLASSA info{};
    ASSERT_TRUE(
        GetClassInfoA(reinterpret_cast<HINSTANCE>(platform::moduleHandle()), expected, &info));
    EXPECT_NE(info.style & CS_GLOBALCLASS, 0u);
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 268);
    EXPECT_EQ(client.bottom, 107);
}

TEST_F(FrameUnderWine, PaintsAndPressesReachTheViews) {
    Frame frame(Rect(0, 0, 268, 107), host, nullptr);
    auto* v = new CountingView(Rect(10, 10, 40, 40));
    frame.addView(v);
    RedrawWindow(frameWindow(frame), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(v->draws, 1);
    SendMessageA(frameWindow(frame), WM_LBUTTONDOWN, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(v->presses, 1);
    EXPECT_EQ(v->lastPress.h, 40);
    EXPECT_EQ(v->lastPress.v, 40);
    SendMessageA(frameWindow(frame), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(v->presses, 1);
}

TEST_F(FrameUnderWine, HostDestroyingItsWindowClosesTheFrame) {
    auto* frame = new Frame(Rect(0, 0, 268, 107), host, nullptr);
    auto* v = new CountingView(Rect(10, 10, 40, 40));
    frame->addView(v);
    HWND w = frameWindow(*frame);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getWindow(), nullptr);
    v->setDirty(true);
    frame->idle();
    delete frame;
}

class CountingTicks final : public FrameTicks {
public:
    void onFrameTick() override { ++ticks; }
    int ticks = 0;
};

// Runs the thread's messages for about `milliseconds`, as a host's loop does.
void runLoop(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
}

// The frame's own timer ticks its owner from the host's loop until it is
// stopped, and never once the host's window has taken the frame's down.
TEST_F(FrameUnderWine, OwnTimerTicksUntilStoppedOrTheWindowGoes) {
    CountingTicks ticks;
    {
        Frame closed(Rect(0, 0, 268, 107), nullptr, nullptr);
        EXPECT_FALSE(closed.startTimer(10, &ticks)) << "no window, no timer";
    }
    auto* frame = new Frame(Rect(0, 0, 268, 107), host, nullptr);
    ASSERT_TRUE(frame->startTimer(10, &ticks));
    runLoop(200);
    EXPECT_GE(ticks.ticks, 3);
    frame->stopTimer();
    pump();
    const int stopped = ticks.ticks;
    runLoop(100);
    EXPECT_EQ(ticks.ticks, stopped);
    ASSERT_TRUE(frame->startTimer(10, &ticks));
    DestroyWindow(host);
    const int destroyed = ticks.ticks;
    runLoop(100);
    EXPECT_EQ(ticks.ticks, destroyed);
    EXPECT_FALSE(frame->startTimer(10, &ticks));
    delete frame;
}

TEST_F(FrameUnderWine, IdleProcessingLetsAPendingPaintThrough) {
    QuietEffect effect;
    auto* editor = new FrameEditor(&effect);
    editor->open(host);
    pump();
    auto* v = new CountingView(Rect(10, 10, 40, 40));
    editor->getFrame()->addView(v);
    InvalidateRect(frameWindow(*editor->getFrame()), nullptr, FALSE);
    Sleep(120); // past the throttle
    editor->processIdle();
    EXPECT_EQ(v->draws, 1);
    editor->close();
}

TEST_F(FrameUnderWine, DroppedTextAndFilesReachTheViewUnderThePointer) {
    Frame frame(Rect(0, 0, 268, 107), host, nullptr);
    auto* v = new DroppedView(Rect(0, 0, 268, 107));
    frame.addView(v);
    RECT r{};
    GetWindowRect(frameWindow(frame), &r);
    SetCursorPos(r.left + 20, r.top + 20);
    auto* target =
        static_cast<IDropTarget*>(GetPropA(frameWindow(frame), "OleDropTargetInterface"));
    ASSERT_NE(target, nullptr) << "no drop target registered";

    OfferedData text(CF_TEXT, "dropped", 8);
    DWORD effect = 0;
    POINTL point{r.left + 20, r.top + 20};
    EXPECT_EQ(target->DragEnter(&text, MK_CONTROL, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(target->Drop(&text, 0, point, &effect), S_OK);
    EXPECT_EQ(v->droppedType, kDropText);
    EXPECT_GE(v->droppedCount, 8);
    EXPECT_EQ(v->dropped, "dropped|");

    const std::string files = fileList(std::string("C:\\a.wav") + '\0' + "C:\\b.lnk.txt" + '\0');
    OfferedData list(CF_HDROP, files.data(), files.size());
    EXPECT_EQ(target->DragEnter(&list, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    v->dropped.clear();
    EXPECT_EQ(target->Drop(&list, 0, point, &effect), S_OK);
    EXPECT_EQ(v->droppedType, kDropFiles);
    EXPECT_EQ(v->droppedCount, 2);
    EXPECT_EQ(v->dropped, "C:\\a.wav|C:\\b.lnk.txt|");

    // Data offering neither is refused on entry and not delivered.
    OfferedData other(CF_BITMAP, "x", 1);
    EXPECT_EQ(target->DragEnter(&other, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    v->dropped.clear();
    EXPECT_EQ(target->Drop(&other, 0, point, &effect), S_OK);
    EXPECT_EQ(v->dropped, "");
    EXPECT_EQ(other.handedOut, 0);
}

TEST_F(FrameUnderWine, ShellLinksResolveToTheirTargets) {
    platform::oleInitialize();
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string targetPath = std::string(directory) + "tarvel_frame_target.wav";
    const std::string linkPath = std::string(directory) + "tarvel_frame_link.LNK";
    HANDLE file = CreateFileA(targetPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    IShellLinkA* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)),
              S_OK);
    link->SetPath(targetPath.c_str());
    IPersistFile* persist = nullptr;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)), S_OK);
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    ASSERT_EQ(persist->Save(wide, TRUE), S_OK);
    persist->Release();
    link->Release();

    char shortTarget[MAX_PATH];
    GetShortPathNameA(targetPath.c_str(), shortTarget, MAX_PATH);
    char name[kDroppedNameCapacity];
    lstrcpynA(name, linkPath.c_str(), sizeof name);
    resolveShortcut(name);
    // Some systems hand back the long form although the short one was asked for.
    char resolved[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(name, resolved, MAX_PATH), 0u) << name;
    EXPECT_STREQ(resolved, shortTarget);

    const std::string notALink = linkPath + ".txt";
    lstrcpynA(name, notALink.c_str(), sizeof name);
    resolveShortcut(name);
    EXPECT_EQ(name, notALink);

    const std::string missing = std::string(directory) + "tarvel_no_such.lnk";
    lstrcpynA(name, missing.c_str(), sizeof name);
    resolveShortcut(name);
    EXPECT_EQ(name, missing);

    DeleteFileA(linkPath.c_str());
    DeleteFileA(targetPath.c_str());
    platform::oleUninitialize();
}

} // namespace

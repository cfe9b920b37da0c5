#include "drag_source.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <time.h>

namespace {
constexpr int kVersion = 5;
// Long enough for a target handling its events every couple of milliseconds.
constexpr int kPatienceMilliseconds = 2000;
constexpr long kPumpNanoseconds = 2 * 1000 * 1000;

Atom atom(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

void send(Display* d, ::Window target, ::Window source, const char* what, long l1, long l2, long l3,
          long l4) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = atom(d, what);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(source);
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(d, target, False, NoEventMask, &event);
    XFlush(d);
}

class Source {
public:
    Source(Display* d, const std::string& type, const std::string& data)
        : d_(d), type_(atom(d, type.c_str())), data_(data) {
        window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(d, atom(d, "XdndSelection"), window_, CurrentTime);
    }
    ~Source() { XDestroyWindow(d_, window_); }
    ::Window window() const { return window_; }
    Atom type() const { return type_; }

    // Answers the target until `done` says so or patience runs out.
    bool waitFor(const std::function<bool()>& done, const std::function<void()>& pump,
                 DragAnswers& answers) {
        for (int waited = 0; waited < kPatienceMilliseconds; waited += 2) {
            pump();
            while (XPending(d_) > 0) {
                XEvent event;
                XNextEvent(d_, &event);
                handle(event, answers);
            }
            if (done())
                return true;
            const timespec pause{0, kPumpNanoseconds};
            nanosleep(&pause, nullptr);
        }
        return false;
    }

private:
    void handle(const XEvent& event, DragAnswers& answers) {
        if (event.type == ClientMessage && event.xclient.message_type == atom(d_, "XdndStatus")) {
            answers.status = true;
            answers.accepted = (event.xclient.data.l[1] & 1) != 0;
        } else if (event.type == ClientMessage &&
                   event.xclient.message_type == atom(d_, "XdndFinished")) {
            answers.finished = true;
            answers.taken = (event.xclient.data.l[1] & 1) != 0;
        } else if (event.type == SelectionRequest) {
            answers.dataAsked = true;
            giveData(event.xselectionrequest);
        }
    }

    void giveData(const XSelectionRequestEvent& request) {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.time = request.time;
        reply.xselection.property = None;
        if (request.target == type_ && request.property != None) {
            XChangeProperty(d_, request.requestor, request.property, type_, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(data_.data()),
                            static_cast<int>(data_.size()));
            reply.xselection.property = request.property;
        }
        XSendEvent(d_, request.requestor, False, NoEventMask, &reply);
        XFlush(d_);
    }

    Display* d_;
    Atom type_;
    std::string data_;
    ::Window window_ = None;
};
} // namespace

DragAnswers dragOnto(std::uint32_t target, int x, int y, const std::string& type,
                     const std::string& data, const std::function<void()>& pump) {
    DragAnswers answers;
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return answers;
    {
        Source source(d, type, data);
        XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
        send(d, target, source.window(), "XdndEnter", static_cast<long>(kVersion) << 24,
             static_cast<long>(source.type()), 0, 0);
        send(d, target, source.window(), "XdndPosition", 0, static_cast<long>(x) << 16 | y,
             CurrentTime, static_cast<long>(atom(d, "XdndActionCopy")));
        source.waitFor([&] { return answers.status; }, pump, answers);
        send(d, target, source.window(), "XdndDrop", 0, CurrentTime, 0, 0);
        source.waitFor([&] { return answers.finished; }, pump, answers);
    }
    XCloseDisplay(d);
    return answers;
}

int dropVersionOf(std::uint32_t window) {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    int version = 0;
    if (XGetWindowProperty(d, window, atom(d, "XdndAware"), 0, 1, False, XA_ATOM, &type, &format,
                           &count, &left, &data) == Success &&
        data && format == 32 && count == 1)
        version = static_cast<int>(reinterpret_cast<unsigned long*>(data)[0]);
    if (data)
        XFree(data);
    XCloseDisplay(d);
    return version;
}

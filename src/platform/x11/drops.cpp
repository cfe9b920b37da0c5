// Drag and drop: windows registered for drops say so to drag sources
// (XdndAware, version 5) and answer their drags; a drop of file names
// (text/uri-list) or of a text is asked for through the XdndSelection and
// handed to the window's receiver. Only copying is offered: a source is
// never asked to delete what it dragged.
#include "drops.h"

#include <X11/Xatom.h>

#include <string>
#include <vector>

#include "connection.h"
#include "native_window.h"
#include "platform/drop.h"

namespace x11 {

namespace {
constexpr long kVersion = 5;
// Names longer than the receivers take (1023 characters and the zero) are left out.
constexpr std::size_t kLongestName = 1023;
// The most the dropped data may hold, in 32-bit units as properties count.
constexpr long kLongestData = 16 * 1024 * 1024;

Atom atom(Display* d, const char* name) {
    return XInternAtom(d, name, False);
}

// The drag over one of our windows, from its XdndEnter to its end.
struct Drag {
    ::Window source = None;
    ::Window target = None;
    Atom type = None; // what the drop is asked for as; None: nothing we take
    bool waitingForData = false;
};

Drag& drag() {
    static Drag d;
    return d;
}

// The types we take, the most useful first: file names, then texts.
const char* const kTakenTypes[] = {"text/uri-list", "UTF8_STRING", "text/plain;charset=utf-8",
                                   "text/plain", "STRING"};

Atom chooseType(Display* d, const std::vector<Atom>& offered) {
    for (const char* name : kTakenTypes) {
        const Atom wanted = atom(d, name);
        for (Atom a : offered)
            if (a == wanted)
                return wanted;
    }
    return None;
}

// The source's types: up to three in the message, else in its XdndTypeList.
std::vector<Atom> offeredTypes(Display* d, const XClientMessageEvent& enter) {
    std::vector<Atom> types;
    if (!(enter.data.l[1] & 1)) {
        for (int i = 2; i < 5; ++i)
            if (enter.data.l[i] != None)
                types.push_back(static_cast<Atom>(enter.data.l[i]));
        return types;
    }
    ErrorTrap trap(d);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, enter.data.l[0], atom(d, "XdndTypeList"), 0, 0x1000, False, XA_ATOM,
                           &actualType, &format, &count, &left, &data) == Success &&
        data && format == 32)
        for (unsigned long i = 0; i < count; ++i)
            types.push_back(static_cast<Atom>(reinterpret_cast<unsigned long*>(data)[i]));
    if (data)
        XFree(data);
    return types;
}

void tellSource(Display* d, const char* what, long l1, long l2, long l3, long l4) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = drag().source;
    event.xclient.message_type = atom(d, what);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(drag().target);
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    // The source may have gone meanwhile.
    ErrorTrap trap(d);
    XSendEvent(d, drag().source, False, NoEventMask, &event);
}

void finish(Display* d, bool taken) {
    tellSource(d, "XdndFinished", taken ? 1 : 0,
               taken ? static_cast<long>(atom(d, "XdndActionCopy")) : 0, 0, 0);
    drag() = Drag{};
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The local file a URI names ("file:///path" or "file://localhost/path",
// percent escapes decoded); empty for anything else.
std::string fileNameOf(const std::string& uri) {
    const std::string scheme = "file://";
    if (uri.compare(0, scheme.size(), scheme) != 0)
        return std::string();
    std::size_t path = uri.find('/', scheme.size());
    const std::string host = uri.substr(scheme.size(), path - scheme.size());
    if (path == std::string::npos || (!host.empty() && host != "localhost"))
        return std::string();
    std::string name;
    for (std::size_t i = path; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && hexValue(uri[i + 1]) >= 0 &&
            hexValue(uri[i + 2]) >= 0) {
            const int byte = hexValue(uri[i + 1]) * 16 + hexValue(uri[i + 2]);
            if (byte == 0)
                return std::string();
            name.push_back(static_cast<char>(byte));
            i += 2;
        } else {
            name.push_back(uri[i]);
        }
    }
    return name;
}

// The file names of a uri list: one URI a line, lines starting with '#' are comments.
std::vector<std::string> fileNamesOf(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\n', start);
        if (end == std::string::npos)
            end = list.size();
        std::string line = list.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == 0))
            line.pop_back();
        const std::string name = line.empty() || line[0] == '#' ? "" : fileNameOf(line);
        if (!name.empty() && name.size() <= kLongestName)
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

// A UTF-8 text in the toolkit's single-byte texts: characters up to U+00FF
// as themselves, others as '?'. Bytes that are no UTF-8 are kept as they are.
std::string singleByteText(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80         ? 1
                     : (lead >> 5) == 6  ? 2
                     : (lead >> 4) == 14 ? 3
                     : (lead >> 3) == 30 ? 4
                                         : 0;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(utf8[i]);
            ++i;
            continue;
        }
        out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
        i += static_cast<std::size_t>(length);
    }
    return out;
}

platform::DropReceiver* receiverOf(::Window id) {
    NativeWindow* w = nativeById(id);
    return w ? w->dropReceiver : nullptr;
}

bool deliver(Display* d, platform::DropReceiver* receiver, const std::string& data) {
    if (drag().type == atom(d, "text/uri-list")) {
        const std::vector<std::string> names = fileNamesOf(data);
        std::vector<const char*> pointers;
        for (const std::string& name : names)
            pointers.push_back(name.c_str());
        return !pointers.empty() &&
               receiver->dropFiles(pointers.data(), static_cast<int>(pointers.size()));
    }
    // Texts reach the receiver as a block with its zero, as the system's do.
    const std::string text = drag().type == XA_STRING ? data : singleByteText(data);
    const std::string block = text.substr(0, text.find('\0'));
    return receiver->dropText(block.c_str(), block.size() + 1);
}
} // namespace

void dragMessage(const XClientMessageEvent& message) {
    Display* d = openDisplay();
    if (!d || message.format != 32 || !receiverOf(message.window))
        return;
    const auto source = static_cast<::Window>(message.data.l[0]);
    if (message.message_type == atom(d, "XdndEnter")) {
        drag() = Drag{source, message.window, None, false};
        if ((message.data.l[1] >> 24) >= 3)
            drag().type = chooseType(d, offeredTypes(d, message));
        return;
    }
    if (source != drag().source || message.window != drag().target)
        return;
    if (message.message_type == atom(d, "XdndPosition")) {
        // Anywhere over the window, and no need to say again while it stays.
        const bool takes = drag().type != None;
        tellSource(d, "XdndStatus", takes ? 1 : 0, 0, 0,
                   takes ? static_cast<long>(atom(d, "XdndActionCopy")) : 0);
    } else if (message.message_type == atom(d, "XdndLeave")) {
        drag() = Drag{};
    } else if (message.message_type == atom(d, "XdndDrop")) {
        if (drag().type == None) {
            finish(d, false);
            return;
        }
        drag().waitingForData = true;
        XConvertSelection(d, atom(d, "XdndSelection"), drag().type, atom(d, "TARVEL_DROP"),
                          drag().target, static_cast<Time>(message.data.l[2]));
    }
}

void droppedData(const XSelectionEvent& answer) {
    Display* d = openDisplay();
    if (!d || !drag().waitingForData || answer.requestor != drag().target)
        return;
    platform::DropReceiver* receiver = receiverOf(drag().target);
    if (!receiver || answer.property == None) {
        finish(d, false);
        return;
    }
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string bytes;
    // Data sent in parts (type INCR) is not taken.
    if (XGetWindowProperty(d, drag().target, answer.property, 0, kLongestData, True,
                           AnyPropertyType, &actualType, &format, &count, &left,
                           &data) == Success &&
        data && format == 8 && actualType != atom(d, "INCR"))
        bytes.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    const bool taken = !bytes.empty() && deliver(d, receiver, bytes);
    finish(d, taken);
}

} // namespace x11

namespace platform {

void oleInitialize() {}

void oleUninitialize() {}

bool registerDropTarget(Window window, DropReceiver* receiver) {
    x11::NativeWindow* w = x11::nativeOf(window);
    Display* d = x11::openDisplay();
    if (!w || !d || !receiver || w->dropReceiver)
        return false;
    const Atom version = static_cast<Atom>(x11::kVersion);
    XChangeProperty(d, w->id, x11::atom(d, "XdndAware"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&version), 1);
    w->dropReceiver = receiver;
    return true;
}

bool revokeDropTarget(Window window) {
    x11::NativeWindow* w = x11::nativeOf(window);
    Display* d = x11::openDisplay();
    if (!w || !d || !w->dropReceiver)
        return false;
    w->dropReceiver = nullptr;
    if (x11::drag().target == w->id)
        x11::drag() = x11::Drag{};
    // The host may have destroyed its window, and ours with it, already.
    x11::ErrorTrap trap(d);
    XDeleteProperty(d, w->id, x11::atom(d, "XdndAware"));
    return true;
}

bool resolveShellLink(const char*, char*, int) {
    // Linux has no shell links: a dropped name is the file itself.
    return false;
}

} // namespace platform

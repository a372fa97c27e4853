// Xlib side of the saver's own connection: error handlers, window queries, the preview
// child window, structure events and the caption search.
#include "platform/x11/x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/dpms.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace astrelle::x11 {
namespace {

std::atomic<uint64_t> gErrorCount{0};

int RecordError(Display*, XErrorEvent*) {
    // A foreign window that vanished mid-run gives BadWindow or BadDrawable here. The
    // default handler would end the process; the saver must simply notice and stop.
    gErrorCount.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

int ConnectionLost(Display*) {
    // Xlib gives no way back from here; leave at once with one line instead of the
    // default multi-line report, and without running destructors that would talk to X.
    static const char kMessage[] = "astrelle: the connection to the X display was lost\n";
    ssize_t ignored = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

uint64_t ProtocolErrorCount() {
    return gErrorCount.load(std::memory_order_relaxed);
}

ErrorTrap::ErrorTrap(Display* display, Sync sync) : display_(display) {
    if (sync == Sync::Before) XSync(display_, False);
    start_ = gErrorCount.load(std::memory_order_relaxed);
}

bool ErrorTrap::Ok() {
    XSync(display_, False);
    return gErrorCount.load(std::memory_order_relaxed) == start_;
}

std::unique_ptr<Connection> Connection::Open(const char* displayName, std::string* error) {
    const char* shown = displayName ? displayName : std::getenv("DISPLAY");
    if (!shown || !*shown) {
        if (error) *error = "no X display (DISPLAY is not set)";
        return nullptr;
    }
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        if (error) *error = std::string("cannot open the X display \"") + shown + "\"";
        return nullptr;
    }
    InstallErrorHandlers();
    return std::unique_ptr<Connection>(new Connection(display));
}

void Connection::InstallErrorHandlers() {
    XSetErrorHandler(RecordError);
    XSetIOErrorHandler(ConnectionLost);
}

Connection::~Connection() {
    if (display_) XCloseDisplay(display_);
}

int Connection::FileDescriptor() const {
    return ConnectionNumber(display_);
}

WindowId Connection::Root() const {
    return DefaultRootWindow(display_);
}

double Connection::LogicalDpi() const {
    const char* resources = XResourceManagerString(display_);
    if (resources) {
        const char* at = std::strstr(resources, "Xft.dpi:");
        if (at) {
            const double dpi = std::strtod(at + 8, nullptr);
            if (dpi >= 24.0 && dpi <= 1440.0) return dpi;
        }
    }
    return 96.0;
}

bool Connection::WindowExists(WindowId window) {
    if (window == 0) return false;
    XWindowAttributes attributes;
    ErrorTrap trap(display_);
    const Status status = XGetWindowAttributes(display_, window, &attributes);
    return trap.Ok() && status != 0;
}

bool Connection::Viewable(WindowId window) {
    if (window == 0) return false;
    XWindowAttributes attributes;
    ErrorTrap trap(display_);
    const Status status = XGetWindowAttributes(display_, window, &attributes);
    return trap.Ok() && status != 0 && attributes.map_state == IsViewable;
}

std::optional<WindowSize> Connection::InnerSize(WindowId window) {
    if (window == 0) return std::nullopt;
    XWindowAttributes attributes;
    ErrorTrap trap(display_);
    const Status status = XGetWindowAttributes(display_, window, &attributes);
    if (!trap.Ok() || status == 0) return std::nullopt;
    return WindowSize{attributes.width, attributes.height};
}

bool Connection::Watch(WindowId window, Exposures exposures) {
    if (window == 0) return false;
    ErrorTrap trap(display_);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
    // Each client has its own event mask on a window, so adding ours leaves the owner's alone.
    long mask = attributes.your_event_mask | StructureNotifyMask | VisibilityChangeMask;
    if (exposures == Exposures::Yes) mask |= ExposureMask;
    XSelectInput(display_, window, mask);
    return trap.Ok();
}

WindowId Connection::CreateChild(WindowId parent, int width, int height) {
    if (parent == 0) return 0;
    ErrorTrap trap(display_);
    const unsigned long black = BlackPixel(display_, DefaultScreen(display_));
    const Window child =
        XCreateSimpleWindow(display_, parent, 0, 0, static_cast<unsigned>(width > 0 ? width : 1),
                            static_cast<unsigned>(height > 0 ? height : 1), 0, black, black);
    if (!trap.Ok() || child == 0) return 0;
    XSelectInput(display_, child, StructureNotifyMask | ExposureMask | VisibilityChangeMask);
    XMapWindow(display_, child);
    if (!trap.Ok()) return 0;
    return child;
}

bool Connection::ResizeWindow(WindowId window, int width, int height) {
    if (window == 0 || width <= 0 || height <= 0) return false;
    ErrorTrap trap(display_);
    XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    return trap.Ok();
}

void Connection::DestroyWindow(WindowId window) {
    if (window == 0) return;
    ErrorTrap trap(display_);
    XDestroyWindow(display_, window);
    trap.Ok();
}

std::vector<WindowEvent> Connection::TakeEvents(Reading reading) {
    std::vector<WindowEvent> events;
    const int mode = reading == Reading::FromServer ? QueuedAfterFlush : QueuedAlready;
    while (XEventsQueued(display_, mode) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        switch (event.type) {
            case DestroyNotify:
                events.push_back({WindowEvent::Kind::Destroyed, event.xdestroywindow.window, 0, 0});
                break;
            case ConfigureNotify:
                events.push_back({WindowEvent::Kind::Resized, event.xconfigure.window, event.xconfigure.width,
                                  event.xconfigure.height});
                break;
            case Expose:
                if (event.xexpose.count == 0) {
                    events.push_back({WindowEvent::Kind::Exposed, event.xexpose.window, 0, 0});
                }
                break;
            case MapNotify:
                events.push_back({WindowEvent::Kind::Mapped, event.xmap.window, 0, 0});
                break;
            case UnmapNotify:
                events.push_back({WindowEvent::Kind::Unmapped, event.xunmap.window, 0, 0});
                break;
            case VisibilityNotify: {
                WindowEvent e{WindowEvent::Kind::Visibility, event.xvisibility.window, 0, 0};
                e.visibility = event.xvisibility.state == VisibilityFullyObscured
                                   ? WindowEvent::Visibility::FullyObscured
                               : event.xvisibility.state == VisibilityPartiallyObscured
                                   ? WindowEvent::Visibility::PartiallyObscured
                                   : WindowEvent::Visibility::Unobscured;
                events.push_back(e);
                break;
            }
            default:
                break;
        }
    }
    return events;
}

PowerLevel Connection::DisplayPower() {
    if (dpms_ == Dpms::NotAsked) {
        int eventBase = 0, errorBase = 0;
        const bool present = DPMSQueryExtension(display_, &eventBase, &errorBase) && DPMSCapable(display_);
        dpms_ = present ? Dpms::Present : Dpms::Missing;
    }
    if (dpms_ == Dpms::Missing) return PowerLevel::Unknown;
    CARD16 level = 0;
    BOOL enabled = False;
    if (!DPMSInfo(display_, &level, &enabled)) return PowerLevel::Unknown;
    // With power management switched off the display stays on whatever the level says.
    if (!enabled) return PowerLevel::On;
    switch (level) {
        case DPMSModeStandby:
            return PowerLevel::Standby;
        case DPMSModeSuspend:
            return PowerLevel::Suspend;
        case DPMSModeOff:
            return PowerLevel::Off;
        default:
            return PowerLevel::On;
    }
}

void Connection::Flush() {
    XFlush(display_);
}

void Connection::EnsureAlive() {
    XSync(display_, False);
}

WindowId Connection::FindWindowByCaption(const std::string& caption) {
    ErrorTrap trap(display_);
    const WindowId found = FindIn(Root(), caption, 0);
    trap.Ok();  // windows that vanished during the search are simply skipped
    return found;
}

WindowId Connection::FindIn(WindowId window, const std::string& caption, int depth) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, window, &root, &parent, &children, &count) == 0) return 0;
    const Atom netWmName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    WindowId found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        const Window child = children[i];
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, child, netWmName, 0, 1024, False, utf8, &type, &format, &items,
                               &after, &data) == Success &&
            data) {
            if (type == utf8 && format == 8 && std::string(reinterpret_cast<char*>(data), items) == caption) {
                found = child;
            }
            XFree(data);
        }
        if (found) break;
        char* name = nullptr;
        if (XFetchName(display_, child, &name) && name) {
            if (caption == name) found = child;
            XFree(name);
        }
    }
    // Breadth before depth: a title on a top-level window is found before any inner one.
    for (unsigned i = 0; i < count && found == 0 && depth < 2; ++i) {
        found = FindIn(children[i], caption, depth + 1);
    }
    if (children) XFree(children);
    return found;
}

bool Connection::Activate(WindowId window) {
    if (!WindowExists(window)) return false;
    ErrorTrap trap(display_);
    XMapRaised(display_, window);
    // A window manager moves the focus itself when asked with _NET_ACTIVE_WINDOW.
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // request from a pager-like tool: honoured without a timestamp
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    if (!trap.Ok()) return false;
    // Without a window manager nobody answers that request; give the focus directly. It
    // fails harmlessly (BadMatch) while the window is not yet viewable.
    ErrorTrap focusTrap(display_);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    focusTrap.Ok();
    return true;
}

}  // namespace astrelle::x11

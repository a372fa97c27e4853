// The saver's own Xlib connection: queries about foreign windows (the preview box, the
// xscreensaver window), a child window to draw in, their structure events, and the caption
// search that stands for "is a saver already running". X errors never end the process:
// calls that can fail report false instead, because the windows we touch belong to others
// and may vanish between any two requests.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Xlib's own types, kept out of the callers' namespaces.
typedef struct _XDisplay Display;

namespace astrelle::x11 {

using WindowId = unsigned long;  // an X11 window id (XID)

struct WindowSize {
    int width = 0;
    int height = 0;
};

// What the saver needs to know about events on the windows it watches.
struct WindowEvent {
    enum class Kind { Destroyed, Resized, Exposed, Mapped, Unmapped, Visibility };
    enum class Visibility { Unobscured, PartiallyObscured, FullyObscured };
    Kind kind = Kind::Exposed;
    WindowId window = 0;
    int width = 0;                                   // Resized only
    int height = 0;                                  // Resized only
    Visibility visibility = Visibility::Unobscured;  // Visibility only
};

// The display's power state (DPMS); Unknown where the server has no power management.
enum class PowerLevel { Unknown, On, Standby, Suspend, Off };

class Connection {
  public:
    // Opens the display named by displayName (nullptr: $DISPLAY). On failure returns null and
    // sets *error to a one-line reason. Installs the process's X error handlers: protocol
    // errors are recorded, never fatal; a lost connection prints one line and exits with 1.
    static std::unique_ptr<Connection> Open(const char* displayName, std::string* error);
    ~Connection();
    // Puts our handlers back after a toolkit replaced them with its own (they are global
    // to the process).
    static void InstallErrorHandlers();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* Raw() const { return display_; }
    int FileDescriptor() const;
    WindowId Root() const;

    // The desktop's logical DPI: the Xft.dpi resource when set (as desktops scale fonts
    // with it), else 96.
    double LogicalDpi() const;

    bool WindowExists(WindowId window);
    // True when the window and every window around it are mapped (false when it is gone).
    bool Viewable(WindowId window);
    // The inner (client) size of the window; nothing when it does not exist.
    std::optional<WindowSize> InnerSize(WindowId window);

    // Asks for destroy, size, map and visibility notifications of a window (ours or a
    // foreign one) and, with exposures, for redraw requests. False when the window does not
    // exist.
    enum class Exposures { No, Yes };
    bool Watch(WindowId window, Exposures exposures);

    // A black, mapped child window filling (0, 0, width, height) of parent; 0 on failure.
    WindowId CreateChild(WindowId parent, int width, int height);
    bool ResizeWindow(WindowId window, int width, int height);
    void DestroyWindow(WindowId window);

    // Hands over the events that have arrived, without blocking: with FromServer it reads
    // what the server has sent (a system call), with QueuedOnly it takes only what an
    // earlier read has queued already (no system call, for every pass of a frame).
    enum class Reading { FromServer, QueuedOnly };
    std::vector<WindowEvent> TakeEvents(Reading reading = Reading::FromServer);
    // The display's power state: two round trips, so asked at a low rate.
    PowerLevel DisplayPower();
    void Flush();
    // A round trip to the server. Where the display has gone this does not return: the
    // connection-lost handler reports it and ends the process with status 1. A window
    // closing because the server died must not look like a clean exit.
    void EnsureAlive();

    // The first top-level window (at most three levels below the root, so that window
    // manager frames are looked through) whose title is exactly caption; 0 when none.
    WindowId FindWindowByCaption(const std::string& caption);
    // Raises the window and asks the window manager to activate it. False when it is gone.
    bool Activate(WindowId window);

  private:
    explicit Connection(Display* display) : display_(display) {}
    WindowId FindIn(WindowId window, const std::string& caption, int depth);
    Display* display_ = nullptr;
    enum class Dpms { NotAsked, Missing, Present };
    Dpms dpms_ = Dpms::NotAsked;
};

// Runs requests whose protocol errors are expected (foreign windows vanish). Construct,
// issue the requests, then Ok() syncs and tells whether any of them failed.
class ErrorTrap {
  public:
    // Sync::Before first waits for the replies to earlier requests, so that their errors
    // are not counted here; per frame that round trip is skipped (Sync::No), since an old
    // error only makes the caller look once more whether its window still exists.
    enum class Sync { Before, No };
    explicit ErrorTrap(Display* display, Sync sync = Sync::Before);
    bool Ok();  // waits for the server's replies; true when no error arrived since construction

  private:
    Display* display_;
    uint64_t start_ = 0;
};

// Number of protocol errors seen by the handler since start; for tests and diagnostics.
uint64_t ProtocolErrorCount();

}  // namespace astrelle::x11

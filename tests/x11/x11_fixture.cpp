// Helper for the X11 integration tests: plays the program that hands the saver a window
// (a display settings dialog's preview box, xscreensaver's window) and inspects it.
//   x11_fixture create W H [X Y]  maps a window (at 10, 10 unless given), prints its id,
//                              destroys it when a line "destroy" arrives on stdin (or
//                              stdin closes), prints "gone"
//   x11_fixture lit ID         prints the number of non-black pixels inside window ID
//   x11_fixture children ID    prints the number of child windows of ID
//   x11_fixture resize ID W H  resizes window ID
//   x11_fixture clear ID       repaints window ID with its background
//   x11_fixture waitlit ID MS  polls the middle of window ID until a pixel is not black;
//                              prints the milliseconds that took, or "none" after MS
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace {

int gErrors = 0;
int CountError(Display*, XErrorEvent*) {
    ++gErrors;
    return 0;
}

// Non-black pixels in an area of a drawable (only whether there is one with firstOnly);
// -1 when the area cannot be read.
long LitPixels(Display* display, Drawable drawable, int x, int y, int w, int h, bool firstOnly) {
    XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
                              AllPlanes, ZPixmap);
    if (!image) return -1;
    long lit = 0;
    for (int row = 0; row < h && !(firstOnly && lit > 0); ++row) {
        for (int column = 0; column < w && !(firstOnly && lit > 0); ++column)
            lit += (XGetPixel(image, column, row) & 0xFFFFFFu) != 0;
    }
    XDestroyImage(image);
    return lit;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: x11_fixture create W H [X Y] | lit ID | children ID | resize ID W H | clear ID |"
                     " waitlit ID MS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_fixture: no display\n");
        return 2;
    }
    XSetErrorHandler(CountError);
    const std::string command = argv[1];
    if (command == "create" && argc >= 4) {
        const int screen = DefaultScreen(display);
        const int x = argc >= 6 ? std::atoi(argv[4]) : 10, y = argc >= 6 ? std::atoi(argv[5]) : 10;
        const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y,
                                                  static_cast<unsigned>(std::atoi(argv[2])),
                                                  static_cast<unsigned>(std::atoi(argv[3])), 0,
                                                  WhitePixel(display, screen), BlackPixel(display, screen));
        XStoreName(display, window, "astrelle test box");
        XMapWindow(display, window);
        XSync(display, False);
        std::printf("%lu\n", window);
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line) && line != "destroy") {
        }
        XDestroyWindow(display, window);
        XSync(display, False);
        std::printf("gone\n");
        std::fflush(stdout);
        XCloseDisplay(display);
        return 0;
    }
    const Window window = std::strtoul(argv[2], nullptr, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || gErrors) {
        std::printf("missing\n");
        return 1;
    }
    if (command == "resize" && argc >= 5) {
        XResizeWindow(display, window, static_cast<unsigned>(std::atoi(argv[3])),
                      static_cast<unsigned>(std::atoi(argv[4])));
        XSync(display, False);
    } else if (command == "waitlit" && argc >= 4) {
        const auto start = std::chrono::steady_clock::now();
        const long limit = std::atol(argv[3]);
        const int w = std::min(attributes.width, 512), h = std::min(attributes.height, 512);
        const int x = (attributes.width - w) / 2, y = (attributes.height - h) / 2;
        for (;;) {
            const long elapsed = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                       std::chrono::steady_clock::now() - start)
                                                       .count());
            if (LitPixels(display, window, x, y, w, h, true) > 0) {
                std::printf("%ld\n", elapsed);
                break;
            }
            if (elapsed > limit) {
                std::printf("none\n");
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } else if (command == "clear") {
        XClearWindow(display, window);
        XSync(display, False);
    } else if (command == "children") {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, window, &root, &parent, &children, &count);
        if (children) XFree(children);
        std::printf("%u\n", count);
    } else if (command == "lit") {
        // The window's contents as the screen shows them (children included), read from the
        // root so that nothing of the saver's own drawing path is involved.
        int x = 0, y = 0;
        Window child;
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
        const long lit =
            LitPixels(display, attributes.root, x, y, attributes.width, attributes.height, false);
        if (lit < 0) {
            std::printf("missing\n");
            return 1;
        }
        std::printf("%ld\n", lit);
    } else {
        std::fprintf(stderr, "x11_fixture: unknown command %s\n", command.c_str());
        return 2;
    }
    XCloseDisplay(display);
    return 0;
}

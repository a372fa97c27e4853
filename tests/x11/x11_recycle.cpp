// Helper for scripts/x11-failure-tests: a window whose id comes back. X11 lets a client
// reuse an id it has freed, so a preview box id handed to the saver can name a different
// window a moment later. Reads commands from stdin:
//   x11_recycle W H    maps a W x H window and prints its id
//   "recycle"          destroys it and at once creates and maps a new window (a plain
//                      black one of the same size) under the same id; prints "recycled"
//   "destroy" or EOF   destroys the window it has and prints "gone"
// Written with xcb because Xlib never hands an id out twice.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

bool CreateWindow(xcb_connection_t* connection, const xcb_screen_t* screen, xcb_window_t id, uint16_t width,
                  uint16_t height) {
    const uint32_t values[] = {screen->black_pixel};
    const xcb_void_cookie_t created = xcb_create_window_checked(
        connection, XCB_COPY_FROM_PARENT, id, screen->root, 10, 10, width, height, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, values);
    if (xcb_generic_error_t* error = xcb_request_check(connection, created)) {
        std::fprintf(stderr, "x11_recycle: cannot create window 0x%x (error %d)\n", id, error->error_code);
        std::free(error);
        return false;
    }
    xcb_map_window(connection, id);
    xcb_flush(connection);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: x11_recycle W H\n");
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "x11_recycle: no display\n");
        return 2;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
    const xcb_screen_t* screen = it.data;
    const auto width = static_cast<uint16_t>(std::atoi(argv[1]));
    const auto height = static_cast<uint16_t>(std::atoi(argv[2]));

    const xcb_window_t id = xcb_generate_id(connection);
    if (!CreateWindow(connection, screen, id, width, height)) return 1;
    std::printf("%u\n", id);
    std::fflush(stdout);

    std::string line;
    while (std::getline(std::cin, line) && line != "destroy") {
        if (line != "recycle") continue;
        // Both requests travel together, so no client can see the id unused in between.
        xcb_destroy_window(connection, id);
        if (!CreateWindow(connection, screen, id, width, height)) return 1;
        std::printf("recycled\n");
        std::fflush(stdout);
    }
    xcb_destroy_window(connection, id);
    xcb_flush(connection);
    xcb_disconnect(connection);
    std::printf("gone\n");
    return 0;
}

// Where the sheet goes on the screen, apart from the platform.
#include "placement.h"

// Computed in 64 bits so that no window or screen size can overflow it.
static int32_t CenteredCoordinate(int32_t screen, int32_t size, int32_t shift) {
    int64_t at = static_cast<int64_t>(screen / 2) - size / 2 + shift;
    if (at < 0)
        return 0;
    return at > INT32_MAX ? INT32_MAX : static_cast<int32_t>(at);
}

WindowBox CenteredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height,
                           int32_t dx, int32_t dy) {
    return {CenteredCoordinate(screenWidth, width, dx),
            CenteredCoordinate(screenHeight, height, dy), width, height};
}

WindowBox HideButtonBox(WindowBox cancel) {
    // A box at the ends of the coordinate range would overflow: it stays.
    if (cancel.Left < INT32_MIN + HideButtonWidening ||
        cancel.Width > INT32_MAX - HideButtonWidening)
        return cancel;
    return {cancel.Left - HideButtonWidening, cancel.Top, cancel.Width + HideButtonWidening,
            cancel.Height};
}

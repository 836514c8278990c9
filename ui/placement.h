#pragma once
// Where the statistics sheet and its Hide button go. Platform-free.

#include <cstdint>

struct WindowBox {
    int32_t Left;
    int32_t Top;
    int32_t Width;
    int32_t Height;
};

// The top-left corner that centers a window of width × height on a screen
// of screenWidth × screenHeight, shifted by dx, dy; each halving truncates
// toward zero and a negative coordinate becomes 0. Only Left and Top of the
// result are set; Width and Height are the window's own.
WindowBox CenteredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height,
                           int32_t dx, int32_t dy);

// How much wider the Hide button is than the Cancel button it is made from.
inline constexpr int32_t HideButtonWidening = 40;

// The Hide button's box from the Cancel button's, both in the parent's
// client coordinates: wider to the left, with the same right edge, top and
// height. A box so far left or so wide that this would leave the 32-bit
// range is returned as it is.
WindowBox HideButtonBox(WindowBox cancel);

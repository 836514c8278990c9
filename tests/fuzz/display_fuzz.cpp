// The statistics page's texts and figures from arbitrary counts, clock values
// and buffer sizes, and the sheet's placement on arbitrary screens.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "ui/display_texts.h"
#include "ui/percent_change.h"
#include "ui/placement.h"

namespace {

void Require(bool holds) {
    if (!holds)
        abort();
}

// Little-endian fields, read one after another; past the input's end they are 0.
struct Input {
    const uint8_t* data;
    size_t size, at;
};

uint32_t Take(Input* in, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; i++, in->at++)
        value |= static_cast<uint32_t>(in->at < in->size ? in->data[in->at] : 0) << (8 * i);
    return value;
}

int32_t TakeSigned(Input* in) {
    return static_cast<int32_t>(Take(in, 4));
}

// A text formed into a heap buffer of exactly size bytes, so that the
// sanitizer sees any write past it, is the whole text or the empty text.
template <typename Form> void RequireBounded(int size, Form form) {
    char whole[64];
    Require(form(whole, sizeof whole) == 1);
    char* out = static_cast<char*>(malloc(size > 0 ? size : 1));
    out[0] = '#';
    int fits = form(out, size);
    Require(fits == (size > 0 && strlen(whole) < static_cast<size_t>(size)));
    Require(size > 0 ? strcmp(out, fits ? whole : "") == 0 : out[0] == '#');
    free(out);
}

// The percentage worked out on magnitudes in 128 bits, truncated toward zero.
int64_t ExactPercentChange(int32_t current, int32_t last) {
    __int128 product = static_cast<__int128>(current) * 100, divisor = last;
    __int128 quotient = (product < 0 ? -product : product) / (divisor < 0 ? -divisor : divisor);
    return static_cast<int64_t>(((product < 0) != (divisor < 0) ? -quotient : quotient) - 100);
}

void CheckDifference(int64_t percent, int size) {
    RequireBounded(size, [&](char* out, int n) { return FormatDifferenceText(out, n, percent); });
    char text[64];
    FormatDifferenceText(text, sizeof text, percent);
    if (percent == NoComparison)
        return Require(strcmp(text, "n/a") == 0);
    char* end;
    Require((text[0] == '+') == (percent > 0) && strtoll(text, &end, 10) == percent);
    Require(strcmp(end, "%") == 0);
}

void CheckClock(uint32_t seconds, int size) {
    RequireBounded(size, [&](char* out, int n) { return FormatClockText(out, n, seconds); });
    char text[64];
    FormatClockText(text, sizeof text, seconds);
    unsigned long long hours;
    unsigned minutes, secs;
    int length;
    Require(sscanf(text, "%llu:%2u:%2u%n", &hours, &minutes, &secs, &length) == 3);
    Require(length == static_cast<int>(strlen(text)) && length >= 8 && text[length - 3] == ':' &&
            text[length - 6] == ':');
    Require(minutes < 60 && secs < 60 && hours * 3600 + minutes * 60 + secs == seconds);
}

void CheckPlacement(Input* in) {
    int32_t screenWidth = TakeSigned(in), screenHeight = TakeSigned(in);
    int32_t width = TakeSigned(in), height = TakeSigned(in);
    int32_t dx = TakeSigned(in), dy = TakeSigned(in);
    WindowBox at = CenteredOnScreen(screenWidth, screenHeight, width, height, dx, dy);
    int64_t left = static_cast<int64_t>(screenWidth / 2) - width / 2 + dx;
    int64_t top = static_cast<int64_t>(screenHeight / 2) - height / 2 + dy;
    Require(at.Left == (left < 0 ? 0 : left > INT32_MAX ? INT32_MAX : left));
    Require(at.Top == (top < 0 ? 0 : top > INT32_MAX ? INT32_MAX : top));
    Require(at.Width == width && at.Height == height);

    WindowBox cancel = {TakeSigned(in), TakeSigned(in), TakeSigned(in), TakeSigned(in)};
    WindowBox hide = HideButtonBox(cancel);
    Require(hide.Top == cancel.Top && hide.Height == cancel.Height);
    Require(int64_t{hide.Left} + hide.Width == int64_t{cancel.Left} + cancel.Width);
    bool widens = int64_t{cancel.Left} - HideButtonWidening >= INT32_MIN &&
                  int64_t{cancel.Width} + HideButtonWidening <= INT32_MAX;
    Require(hide.Width == (widens ? cancel.Width + HideButtonWidening : cancel.Width));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in = {data, size, 0};
    int32_t current = TakeSigned(&in), last = TakeSigned(&in);
    uint32_t seconds = Take(&in, 4);
    int textSize = static_cast<int8_t>(Take(&in, 1));

    int64_t percent = PercentChangeOf(current, last);
    uint32_t colour = 1;
    if (last == 0) {
        Require(percent == NoComparison && DifferenceColour(percent, &colour) == 0 && colour == 1);
    } else {
        Require(percent == ExactPercentChange(current, last) && percent != NoComparison);
        Require(DifferenceColour(percent, &colour) == 1);
        Require(colour == (percent >= 0 ? RiseColour : FallColour));
    }
    for (int32_t count : {current, last}) {
        RequireBounded(textSize, [&](char* out, int n) { return FormatCountText(out, n, count); });
        char text[64], *end;
        FormatCountText(text, sizeof text, count);
        Require(strtoll(text, &end, 10) == count && *end == '\0');
    }
    CheckDifference(percent, textSize);
    CheckClock(seconds, textSize);
    CheckPlacement(&in);
    // Any 64-bit figure, not only those two counts can give.
    uint64_t low = Take(&in, 4);
    CheckDifference(static_cast<int64_t>(low | uint64_t{Take(&in, 4)} << 32), textSize);
    return 0;
}

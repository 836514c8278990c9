// The statistics page's figures and texts from arbitrary counts, clock
// values and buffer sizes, and the sheet's placement on arbitrary screens.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ui/display_texts.h"
#include "ui/percent_change.h"
#include "ui/placement.h"

namespace {

// Reads the input as a run of little fields; past its end every field is 0.
struct Input {
    const uint8_t* data;
    size_t size;
    size_t at;
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

int64_t TakeSigned64(Input* in) {
    uint64_t low = Take(in, 4);
    return static_cast<int64_t>(low | static_cast<uint64_t>(Take(in, 4)) << 32);
}

void Require(bool holds) {
    if (!holds)
        abort();
}

// The quotient worked out on magnitudes in 128 bits, then signed: the
// truncation toward zero is then plain unsigned division.
int64_t ExactPercentChange(int32_t current, int32_t last) {
    __int128 dividend = static_cast<__int128>(current) * 100;
    __int128 divisor = last;
    bool negative = (dividend < 0) != (divisor < 0);
    unsigned __int128 quotient =
        static_cast<unsigned __int128>(dividend < 0 ? -dividend : dividend) /
        static_cast<unsigned __int128>(divisor < 0 ? -divisor : divisor);
    __int128 signedQuotient = negative ? -static_cast<__int128>(quotient) : quotient;
    return static_cast<int64_t>(signedQuotient - 100);
}

// A buffer of exactly size bytes on the heap, so that the sanitizer sees any
// write past it; one guard byte stands in for a buffer of no size.
struct Text {
    char* bytes;
    char guard;
};

Text MakeText(int size) {
    Text text = {nullptr, '#'};
    text.bytes = size > 0 ? static_cast<char*>(malloc(size)) : &text.guard;
    if (size > 0)
        memset(text.bytes, '#', size);
    return text;
}

void FreeText(Text* text, int size) {
    if (size > 0)
        free(text->bytes);
    else
        Require(text->guard == '#');
}

// What every formatter promises: success exactly when the whole text fits,
// then a terminated text within the buffer; otherwise the empty text.
bool Sound(int result, const char* out, int size, size_t wantedLength) {
    if (size <= 0)
        return result == 0;
    if (result != (wantedLength < static_cast<size_t>(size)))
        return false;
    if (!result)
        return out[0] == '\0';
    return memchr(out, '\0', size) != nullptr && strlen(out) == wantedLength;
}

long long ParseWhole(const char* text, const char** end) {
    errno = 0;
    char* stop = nullptr;
    long long value = strtoll(text, &stop, 10);
    Require(errno == 0 && stop != text);
    *end = stop;
    return value;
}

void CheckCountText(int32_t count, int size) {
    char full[32];
    FormatCountText(full, sizeof full, count);
    Text text = MakeText(size);
    int result = FormatCountText(text.bytes, size, count);
    Require(Sound(result, text.bytes, size, strlen(full)));
    if (result) {
        const char* end;
        Require(ParseWhole(text.bytes, &end) == count && *end == '\0');
    }
    FreeText(&text, size);
}

void CheckDifferenceText(int64_t percent, int size) {
    char full[40];
    Require(FormatDifferenceText(full, sizeof full, percent) == 1);
    Text text = MakeText(size);
    int result = FormatDifferenceText(text.bytes, size, percent);
    Require(Sound(result, text.bytes, size, strlen(full)));
    if (result) {
        if (percent == NoComparison) {
            Require(strcmp(text.bytes, "n/a") == 0);
        } else {
            Require((text.bytes[0] == '+') == (percent > 0));
            const char* end;
            Require(ParseWhole(text.bytes, &end) == percent);
            Require(strcmp(end, "%") == 0);
        }
    }
    FreeText(&text, size);
}

unsigned ParseTwoDigits(const char* at) {
    Require(at[0] >= '0' && at[0] <= '9' && at[1] >= '0' && at[1] <= '9');
    return (at[0] - '0') * 10u + (at[1] - '0');
}

void CheckClockText(uint32_t seconds, int size) {
    char full[32];
    Require(FormatClockText(full, sizeof full, seconds) == 1);
    Text text = MakeText(size);
    int result = FormatClockText(text.bytes, size, seconds);
    Require(Sound(result, text.bytes, size, strlen(full)));
    if (result) {
        const char* end;
        long long hours = ParseWhole(text.bytes, &end);
        Require(end - text.bytes >= 2 && strlen(end) == 6 && end[0] == ':' && end[3] == ':');
        unsigned minutes = ParseTwoDigits(end + 1);
        unsigned secs = ParseTwoDigits(end + 4);
        Require(minutes < 60 && secs < 60);
        Require(hours * 3600 + minutes * 60 + secs == seconds);
    }
    FreeText(&text, size);
}

void CheckPercentChange(int32_t current, int32_t last) {
    int64_t percent = PercentChangeOf(current, last);
    uint32_t colour = 1;
    int coloured = DifferenceColour(percent, &colour);
    if (last == 0) {
        Require(percent == NoComparison && coloured == 0 && colour == 1);
        return;
    }
    Require(percent != NoComparison && percent == ExactPercentChange(current, last));
    Require(coloured == 1 && colour == (percent >= 0 ? RiseColour : FallColour));
}

int64_t CentredAt(int32_t screen, int32_t size, int32_t shift) {
    int64_t at = static_cast<int64_t>(screen / 2) - size / 2 + shift;
    return at < 0 ? 0 : at;
}

void CheckPlacement(Input* in) {
    int32_t screenWidth = TakeSigned(in), screenHeight = TakeSigned(in);
    int32_t width = TakeSigned(in), height = TakeSigned(in);
    int32_t dx = TakeSigned(in), dy = TakeSigned(in);
    WindowBox at = CenteredOnScreen(screenWidth, screenHeight, width, height, dx, dy);
    Require(at.Left >= 0 && at.Top >= 0);
    Require(at.Width == width && at.Height == height);
    int64_t left = CentredAt(screenWidth, width, dx), top = CentredAt(screenHeight, height, dy);
    Require(at.Left == (left > INT32_MAX ? INT32_MAX : left));
    Require(at.Top == (top > INT32_MAX ? INT32_MAX : top));

    WindowBox cancel = {TakeSigned(in), TakeSigned(in), TakeSigned(in), TakeSigned(in)};
    WindowBox hide = HideButtonBox(cancel);
    Require(hide.Top == cancel.Top && hide.Height == cancel.Height);
    int64_t right = static_cast<int64_t>(cancel.Left) + cancel.Width;
    Require(static_cast<int64_t>(hide.Left) + hide.Width == right);
    bool widens = static_cast<int64_t>(cancel.Left) - HideButtonWidening >= INT32_MIN &&
                  static_cast<int64_t>(cancel.Width) + HideButtonWidening <= INT32_MAX;
    if (widens)
        Require(hide.Left == cancel.Left - HideButtonWidening &&
                hide.Width == cancel.Width + HideButtonWidening);
    else
        Require(hide.Left == cancel.Left && hide.Width == cancel.Width);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in = {data, size, 0};
    int32_t current = TakeSigned(&in), last = TakeSigned(&in);
    uint32_t seconds = Take(&in, 4);
    int textSize = static_cast<int8_t>(Take(&in, 1));

    CheckPercentChange(current, last);
    CheckCountText(current, textSize);
    CheckCountText(last, textSize);
    CheckDifferenceText(PercentChangeOf(current, last), textSize);
    CheckClockText(seconds, textSize);
    CheckPlacement(&in);
    // Any 64-bit figure, not only those two counts can give.
    CheckDifferenceText(TakeSigned64(&in), textSize);
    return 0;
}

#pragma once
// What every host test uses: GoogleTest, the platform-free logic and the
// checks they share.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "base/bounded_format.h"
#include "base/command_tail.h"
#include "base/long_division.h"
#include "base/module_path.h"
#include "app/switches.h"
#include "app/tick.h"
#include "setup/install_rules.h"
#include "base/path_join.h"
#include "setup/progman_commands.h"
#include "setup/uninstall_rules.h"
#include "store/rollover.h"
#include "store/session_clock.h"
#include "store/stat_lines.h"
#include "ui/counter_resets.h"
#include "ui/display_texts.h"
#include "ui/history_layout.h"
#include "ui/percent_change.h"
#include "ui/placement.h"

// Runs form(out, size, args...) on a heap buffer of exactly size bytes and a
// guard after it: the result is 1 with want in the buffer, or 0 (want null)
// with the empty text; nothing is written past the buffer.
template <typename Form, typename... Args>
void ExpectBounded(const char* why, int size, const char* want, Form form, Args... args) {
    std::vector<char> out(size + 1, '#');
    EXPECT_EQ(want != nullptr, form(out.data(), size, args...)) << why;
    EXPECT_STREQ(want ? want : "", size > 0 ? out.data() : "") << why;
    EXPECT_EQ('#', out[size]) << why << ": written past the buffer";
}

// want fits a buffer of exactly its size and one byte less refuses it; a
// null want is refused even in a buffer of 1024 bytes.
template <typename Form, typename... Args>
void ExpectFitsExactly(const char* why, const char* want, Form form, Args... args) {
    int size = want ? static_cast<int>(strlen(want)) + 1 : 1024;
    ExpectBounded(why, size, want, form, args...);
    if (want)
        ExpectBounded(why, size - 1, nullptr, form, args...);
}

__attribute__((format(printf, 1, 2))) inline std::string Printed(const char* format, ...) {
    char text[128];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// Every field of a counter set: "Current / Last / year-month-weekday-day option".
inline std::string SetText(const ClickCounts& s) {
    const int32_t *c = s.Current, *l = s.Last;
    return Printed("%d %d %d %d %d %d / %d %d %d %d %d / %u-%u-%u-%u %u", c[0], c[1], c[2], c[3],
                   c[4], c[5], l[0], l[1], l[2], l[3], l[4], s.DateYear, s.DateMonth, s.DateWeek,
                   s.DateDay, s.OptionAutostart);
}

// The application shell's rules: switches, the string ring, bounded
// formatting, the one-second tick and its watchdog.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "bounded_text.h"
#include "app/bounded_format.h"
#include "app/command_tail.h"
#include "app/module_path.h"
#include "app/string_ring.h"
#include "app/switches.h"
#include "app/tick.h"

TEST(Switches, MatchTheWholeLineOrAllButItsFirstCharacter) {
    struct Case {
        const char* why;
        const char* line;
        const char* switchText;
        int present;
    } cases[] = {
        {"exactly the switch", "-Auto", "-Auto", 1},
        {"any one character in front", "/-Auto", "-Auto", 1},
        {"a blank in front", " -Uninst", "-Uninst", 1},
        {"other letter case", "-auto", "-Auto", 0},
        {"a trailing blank", "-Auto ", "-Auto", 0},
        {"two characters in front", "  -Auto", "-Auto", 0},
        {"another switch before it", "-Auto -Uninst", "-Uninst", 0},
        {"an empty line", "", "-Auto", 0},
        {"a missing line", nullptr, "-Auto", 0},
        {"an empty line gets only the first comparison", "", "", 1},
        {"one character skipped before an empty switch", "x", "", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.present, SwitchPresent(c.line, c.switchText)) << c.why;
}

// The tail WinMain gets, and so what the switches are matched against: a
// start command with its program path quoted, as the installation writes
// it, must still end in exactly "-Auto".
TEST(CommandTail, ThePartAfterTheProgramNameAndItsBlanks) {
    struct Case {
        const char* why;
        const char* line;
        const char* tail;
    } cases[] = {
        {"a quoted path with blanks", "\"C:\\Program Files\\Tallywhirl\\TW.exe\" -Auto", "-Auto"},
        {"an unquoted path", "C:\\Apps\\TW.exe -Uninst", "-Uninst"},
        {"an unquoted path with a blank: only its first word is the name",
         "C:\\Program Files\\TW.exe -Auto", "Files\\TW.exe -Auto"},
        {"a quote closed right before the switch", "\"TW.exe\"-Auto", "-Auto"},
        {"tabs and control characters are blanks", "TW.exe\t\x01 -Auto", "-Auto"},
        {"blanks after the switch stay", "TW.exe -Auto  ", "-Auto  "},
        {"no switch", "TW.exe", ""},
        {"a quote never closed", "\"C:\\TW.exe -Auto", ""},
        {"letters past ASCII belong to the name", "C:\\Z\xe4hler.exe -Auto", "-Auto"},
        {"an empty line", "", ""},
        {"a missing line", nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.tail, CommandTail(c.line)) << c.why;
}

TEST(StringRing, SixteenBuffersOfFiveHundredTwelveBytesGoRound) {
    char* buffers[17];
    for (int i = 0; i < 16; i++) {
        buffers[i] = NextRingBuffer();
        memset(buffers[i], 'a' + i, 511);
        buffers[i][511] = '\0';
    }
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(std::string(511, 'a' + i), buffers[i]) << "call " << i + 1 << " was overwritten";
    buffers[16] = NextRingBuffer();
    EXPECT_EQ(buffers[0], buffers[16]) << "the 17th call comes round to the 1st buffer";
}

TEST(BoundedFormat, TheWholeTextOrTheEmptyTextNeverPastTheBuffer) {
    struct Case {
        const char *why, *text;
        int size, fits;
    } cases[] = {{"seven characters and the terminator", "1234567", 8, 1},
                 {"one character too many", "12345678", 8, 0},
                 {"the empty text needs one byte", "", 1, 1},
                 {"no room at all", "", 0, 0}};
    for (const Case& c : cases)
        ExpectBounded(c.why, c.size, c.fits ? c.text : nullptr,
                      [&](char* out, int size) { return FormatBounded(out, size, "%s", c.text); });
    EXPECT_FALSE(FormatBounded(nullptr, 8, "%s", "x"));
}

TEST(ModulePath, OnlyALengthShorterThanTheBufferIsAWholePath) {
    struct Case {
        uint32_t length;
        int size, whole; // 0 is the call's failure; a cut path fills the buffer
    } cases[] = {{0, 256, 0}, {1, 256, 1}, {255, 256, 1}, {256, 256, 0}, {300, 256, 0}, {5, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.whole, ModulePathComplete(c.length, c.size)) << c.length << " of " << c.size;
}

namespace {

// The steps a tick takes, one letter each: D rollover check, C session
// clock, S clock display, V save, k clicks read, R re-hook.
std::string Steps;
uint32_t Clicks, ClicksDuringRehook;
int HookSets = 1; // what a re-installation reports

const TickSteps Recorder = {
    [] { Steps += 'D'; },
    [] { Steps += 'C'; },
    [] { Steps += 'S'; },
    [] { Steps += 'V'; },
    []() -> uint32_t {
        Steps += 'k';
        return Clicks;
    },
    [] {
        Steps += 'R';
        Clicks += ClicksDuringRehook;
        return HookSets;
    },
};

} // namespace

TEST(Tick, EveryTickInOrderSavesEveryThirtiethAndWatchesEveryTenth) {
    TickState state = {};
    Clicks = ClicksDuringRehook = 0;
    HookSets = 1;
    for (int tick = 1; tick <= 300; tick++) {
        Clicks += tick <= 5; // clicks in the first five ticks, then a quiet spell
        Steps.clear();
        int due = RunTick(&state, &Recorder);
        std::string want = tick % 30 == 0 ? "DCSVk" : tick % 10 == 0 ? "DCSk" : "DCS";
        if (tick == 20)
            want += "Rk"; // the first check without a click since the one before
        EXPECT_EQ(want, Steps) << "tick " << tick;
        EXPECT_EQ((tick % 30 == 0 ? TickSave : 0) | (tick % 10 == 0 ? TickWatchdog : 0), due)
            << "tick " << tick;
    }
    state.TimerTicks = INT32_MAX;
    Steps.clear();
    RunTick(&state, &Recorder);
    EXPECT_EQ(INT32_MIN, state.TimerTicks) << "the tick count wraps like the 32-bit count it is";
    EXPECT_EQ("DCS", Steps);
}

TEST(Tick, TheWatchdogReinstallsOncePerQuietSpellAfterAClick) {
    struct Phase {
        int untilTick;
        uint32_t perTick;
        const char* rehooks; // the ticks that re-installed the hook
        int hookSets = 1;    // whether those re-installations set it
    };
    struct Case {
        const char* why;
        uint32_t startClicks, duringRehook;
        Phase phases[4];
        int missingAtStart = 0; // the installation at start failed
    } cases[] = {
        {"no click ever", 0, 0, {{1000, 0, ""}}},
        {"clicks that keep coming", 0, 0, {{200, 1, ""}}},
        {"a quiet spell after clicks", 0, 0, {{10, 1, ""}, {20, 0, "20 "}, {100, 0, ""}}},
        {"each quiet spell", 0, 0, {{10, 1, ""}, {40, 0, "20 "}, {45, 1, ""}, {80, 0, "60 "}}},
        {"a click during the re-installation counts after it",
         0,
         1,
         {{10, 1, ""}, {40, 0, "20 30 40 "}}},
        {"across a wrap of the click count", UINT32_MAX - 2, 0, {{10, 1, ""}, {20, 0, "20 "}}},
        {"a hook not set at start is tried at every check until it holds",
         0,
         0,
         {{20, 0, "10 20 ", 0}, {30, 0, "30 "}, {60, 0, ""}},
         1},
        {"a failed re-installation is tried again although clicks come",
         0,
         0,
         {{10, 1, ""}, {20, 0, "20 ", 0}, {30, 1, "30 "}, {40, 1, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TickState state = {0, c.startClicks, c.startClicks, c.missingAtStart};
        Clicks = c.startClicks;
        ClicksDuringRehook = c.duringRehook;
        for (const Phase& phase : c.phases) {
            if (!phase.rehooks)
                break; // the scenario's end
            std::string rehooked;
            HookSets = phase.hookSets;
            while (state.TimerTicks < phase.untilTick) {
                Clicks += phase.perTick;
                Steps.clear();
                RunTick(&state, &Recorder);
                if (Steps.find('R') != std::string::npos)
                    rehooked += std::to_string(state.TimerTicks) + " ";
            }
            EXPECT_EQ(phase.rehooks, rehooked) << "up to tick " << phase.untilTick;
        }
    }
}

TEST(Tick, TheSessionClockCountsWholeSecondsAcrossAWrap) {
    struct Case {
        const char* why;
        uint32_t now, start, seconds;
    } cases[] = {
        {"at the start", 1000, 1000, 0},
        {"truncated", 1999, 1000, 0},
        {"one second", 2000, 1000, 1},
        {"an hour", 3600005, 5, 3600},
        {"just before the wrap", UINT32_MAX, UINT32_MAX - 1500, 1},
        {"1.501 s across the wrap", 0, UINT32_MAX - 1500, 1},
        {"2.001 s across the wrap", 500, UINT32_MAX - 1500, 2},
        {"the longest session, 2^32 - 1 ms", 41, 42, UINT32_MAX / 1000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.seconds, SessionSecondsAt(c.now, c.start)) << c.why;
}

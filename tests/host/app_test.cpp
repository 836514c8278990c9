// The application shell's rules: the switches and the one-second tick.
#include "host_test.h"

TEST(Switches, MatchTheWholeLineOrAllButItsFirstCharacter) {
    std::tuple<const char*, const char*, int> cases[] = {
        {"-Auto", "-Auto", 1},   {"/-Auto", "-Auto", 1},
        {"-auto", "-Auto", 0},   {"-Auto ", "-Auto", 0},
        {"  -Auto", "-Auto", 0}, {"", "-Auto", 0},
        {nullptr, "-Auto", 0},   {"x", "", 1}};
    for (auto [line, switchText, present] : cases)
        EXPECT_EQ(present, SwitchPresent(line, switchText)) << line << " " << switchText;
}

namespace {

// The steps a tick takes, one letter each: D rollover check, C session
// clock, S clock display, V save, k clicks read, R re-hook.
std::string Steps;
uint32_t Clicks, ClicksDuringRehook;
int HookSets; // what a re-installation reports

const TickSteps Recorder = {[] { Steps += 'D'; },
                            [] { Steps += 'C'; },
                            [] { Steps += 'S'; },
                            [] { Steps += 'V'; },
                            []() -> uint32_t { return Steps += 'k', Clicks; },
                            [] { return Steps += 'R', Clicks += ClicksDuringRehook, HookSets; }};

} // namespace

TEST(Tick, StepsInOrderAndTheWatchdogReinstallsOncePerQuietSpellAfterAClick) {
    // Why; clicks at start and during a re-installation; the hook missing at start; ten ticks
    // a letter (c a click a tick, . none, x none and no hook sets); the ticks that re-hooked.
    std::tuple<const char*, uint32_t, uint32_t, int, const char*, const char*> cases[] = {
        {"no click ever", 0, 0, 0, "..........", ""},
        {"clicks that keep coming", 0, 0, 0, "cccccccccc", ""},
        {"each quiet spell", 0, 0, 0, "c...c...", "20 60 "},
        {"a click during the re-installation counts after it", 0, 1, 0, "c...", "20 30 40 "},
        {"across a wrap of the click count", UINT32_MAX - 2, 0, 0, "c.", "20 "},
        {"a hook not set at start is tried until it holds", 0, 0, 1, "xx....", "10 20 30 "},
        {"a failed re-installation is tried again while clicks come", 0, 0, 0, "cxcc", "20 30 "},
    };
    for (auto [why, start, during, missing, plan, rehooks] : cases) {
        SCOPED_TRACE(why);
        TickState state = {0, start, start, missing};
        Clicks = start;
        ClicksDuringRehook = during;
        std::string rehooked;
        for (int tick = 1; tick <= 10 * static_cast<int>(strlen(plan)); tick++) {
            Clicks += plan[(tick - 1) / 10] == 'c';
            HookSets = plan[(tick - 1) / 10] != 'x';
            Steps.clear();
            RunTick(&state, &Recorder);
            std::string want = tick % 30 == 0 ? "DCSVk" : tick % 10 == 0 ? "DCSk" : "DCS";
            if (Steps.find('R') != std::string::npos)
                rehooked += std::to_string(tick) + " ", want += "Rk";
            EXPECT_EQ(want, Steps) << "tick " << tick;
        }
        EXPECT_EQ(rehooks, rehooked);
    }
    TickState state = {INT32_MAX, 0, 0, 0};
    Steps.clear();
    RunTick(&state, &Recorder);
    EXPECT_EQ("DCS", Steps);
    EXPECT_EQ(INT32_MIN, state.TimerTicks) << "the tick count wraps like the 32-bit count it is";
}

// The application shell's rules: switches, the command tail, bounded
// formatting, the module path and the one-second tick.
#include "host_test.h"

TEST(Switches, MatchTheWholeLineOrAllButItsFirstCharacter) {
    std::tuple<const char*, const char*, int> cases[] = {
        {"-Auto", "-Auto", 1}, {"/-Auto", "-Auto", 1}, {" -Uninst", "-Uninst", 1},
        {"-auto", "-Auto", 0}, {"-Auto ", "-Auto", 0}, {"  -Auto", "-Auto", 0},
        {"", "-Auto", 0},      {nullptr, "-Auto", 0},  {"x", "", 1}};
    for (auto [line, switchText, present] : cases)
        EXPECT_EQ(present, SwitchPresent(line, switchText)) << line << " " << switchText;
}

// What the switches are matched against: a start command with its program
// path quoted, as the installation writes it, must still end in "-Auto".
TEST(CommandTail, ThePartAfterTheProgramNameAndItsBlanks) {
    std::tuple<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Tallywhirl\\TW.exe\" -Auto", "-Auto"},
        {"C:\\Program Files\\TW.exe -Auto", "Files\\TW.exe -Auto"}, // a blank ends a bare name
        {"\"TW.exe\"-Auto", "-Auto"},
        {"TW.exe\x01\t-Auto  ", "-Auto  "}, // control characters are blanks; the end stays
        {"C:\\Z\xe4hler.exe -Auto", "-Auto"},
        {"\"C:\\TW.exe -Auto", ""}, // a quote never closed
        {"\"", ""},
        {"TW.exe", ""},
        {nullptr, ""},
    };
    for (auto [line, tail] : cases)
        EXPECT_STREQ(tail, CommandTail(line)) << line;
}

TEST(BoundedFormat, TheWholeTextOrTheEmptyTextNeverPastTheBuffer) {
    std::tuple<const char*, int, int> cases[] = {
        {"1234567", 8, 1}, {"12345678", 8, 0}, {"", 1, 1}, {"", 0, 0}};
    for (auto [text, size, fits] : cases)
        ExpectBounded(text, size, fits ? text : nullptr,
                      [&](char* out, int n) { return FormatBounded(out, n, "%s", text); });
    EXPECT_FALSE(FormatBounded(nullptr, 8, "%s", "x"));
}

TEST(BoundedFormat, A64BitFigureInNineDigitPartsKeepsItsInnerZeros) {
    std::tuple<int64_t, int, const char*> cases[] = {
        {0, 4, "<0%"},
        {999999999, 13, "<999999999%"},
        {1000000007, 13, "<1000000007%"},
        {1000000000000000001, 22, "<1000000000000000001%"},
        {INT64_MAX, 22, "<9223372036854775807%"},
        {INT64_MAX, 21, nullptr}};
    for (auto [value, size, text] : cases)
        ExpectBounded(std::to_string(value).c_str(), size, text, [&](char* out, int n) {
            return FormatBoundedDecimal(out, n, "<", value, "%");
        });
}

// The program divides 64-bit figures with these on a 32-bit processor: they
// must agree with the host's own division everywhere, the edges included.
TEST(LongDivision, AgreesWithTheProcessorsDivisionAtTheEdgesAndBetween) {
    const int64_t Min = INT64_MIN, Max = INT64_MAX;
    std::pair<int64_t, int64_t> edges[] = {
        {0, 1},   {7, 2},   {-7, 2},    {7, -2},    {-7, -2},   {Max, 1}, {Max, -1},
        {Min, 1}, {Min, 2}, {Min, Max}, {Max, Min}, {Min, Min}, {1, Max}, {Max, 1000000000}};
    std::vector<std::pair<int64_t, int64_t>> cases(std::begin(edges), std::end(edges));
    uint64_t x = 88172645463325252u; // xorshift: operands of every length
    for (int i = 0; i < 100000; i++) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        int64_t divisor = static_cast<int64_t>(x >> (x % 64));
        cases.push_back({static_cast<int64_t>(x * 2654435761u), divisor ? divisor : 3});
    }
    for (auto [a, b] : cases) {
        int64_t rest;
        EXPECT_EQ(a / b, SignedDivide(a, b, &rest)) << a << " / " << b;
        EXPECT_EQ(a % b, rest) << a << " % " << b;
        uint64_t ua = static_cast<uint64_t>(a), ub = static_cast<uint64_t>(b), urest;
        EXPECT_EQ(ua / ub, LongDivide(ua, ub, &urest)) << ua << " / " << ub;
        EXPECT_EQ(ua % ub, urest) << ua << " % " << ub;
    }
}

// The length the call answers is 0 when it fails, and the buffer's size
// when the path was cut.
TEST(ModulePath, OnlyALengthShorterThanTheBufferIsAWholePath) {
    EXPECT_TRUE(ModulePathComplete(1, 256) && ModulePathComplete(255, 256));
    EXPECT_FALSE(ModulePathComplete(0, 256) || ModulePathComplete(256, 256) ||
                 ModulePathComplete(300, 256) || ModulePathComplete(5, 0));
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
        {"a quiet spell after clicks", 0, 0, 0, "c.............................", "20 "},
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

// Milliseconds since start-up, which wrap every 49.7 days.
TEST(Tick, TheSessionClockCountsWholeSecondsAcrossAWrap) {
    EXPECT_EQ(0u, SessionSecondsAt(1999, 1000));
    EXPECT_EQ(2u, SessionSecondsAt(500, UINT32_MAX - 1500)) << "2.001 s across the wrap";
    EXPECT_EQ(UINT32_MAX / 1000, SessionSecondsAt(41, 42)) << "the longest session";
}

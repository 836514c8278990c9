// The utilities every part uses: the command tail, bounded formatting, the
// long division and the module path.
#include "host_test.h"

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

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
        {"TW.exe", ""},
        {nullptr, ""},
    };
    for (auto [line, tail] : cases)
        EXPECT_STREQ(tail, CommandTail(line)) << line;
}

TEST(BoundedFormat, TheWholeTextOrTheEmptyTextNeverPastTheBuffer) {
    ExpectFitsExactly("a text", "1234567", FormatBounded, "%s", "1234567");
    ExpectFitsExactly("the empty text", "", FormatBounded, "%s", "");
    EXPECT_FALSE(FormatBounded(nullptr, 8, "%s", "x"));
    // The digits of a 64-bit figure in nine-digit parts, inner zeros kept.
    std::tuple<int64_t, const char*> cases[] = {{0, "<0%"},
                                                {999999999, "<999999999%"},
                                                {1000000007, "<1000000007%"},
                                                {1000000000000000001, "<1000000000000000001%"},
                                                {INT64_MAX, "<9223372036854775807%"}};
    for (auto [value, text] : cases)
        ExpectFitsExactly(text, text, FormatBoundedDecimal, "<", value, "%");
}

// The program divides 64-bit figures with these on a 32-bit processor: they
// must agree with the host's own division everywhere, the edges included.
TEST(LongDivision, AgreesWithTheProcessorsDivisionAtTheEdgesAndBetween) {
    const int64_t Min = INT64_MIN, Max = INT64_MAX;
    std::vector<std::pair<int64_t, int64_t>> cases = {
        {0, 1},   {7, 2},   {-7, 2},    {7, -2},    {-7, -2},   {Max, 1}, {Max, -1},
        {Min, 1}, {Min, 2}, {Min, Max}, {Max, Min}, {Min, Min}, {1, Max}, {Max, 1000000000}};
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
    std::tuple<uint32_t, int, int> cases[] = {
        {1, 256, 1}, {255, 256, 1}, {0, 256, 0}, {256, 256, 0}, {5, 0, 0}};
    for (auto [length, size, whole] : cases)
        EXPECT_EQ(whole, ModulePathComplete(length, size)) << length << " of " << size;
}

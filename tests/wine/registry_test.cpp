// The registry operations against Wine's real registry, in a scratch key that
// is removed before and after every test.
#include <gtest/gtest.h>

#include <string>

#include "scratch_registry.h"
#include "store/registry.h"

static const char Scratch[] = "Software\\Larkspoon Software\\Tallywhirl\\Scratch\\Deep";

class Registry : public testing::Test {
  protected:
    void SetUp() override {
        DeleteProductKey();
    }
    void TearDown() override {
        DeleteProductKey();
    }
};

// A buffer with guard bytes on both sides, to see that nothing is written
// outside the area handed over.
struct Guarded {
    unsigned char before[16];
    unsigned char area[256];
    unsigned char after[16];
};

static Guarded Filled() {
    Guarded g;
    memset(&g, 0xAB, sizeof g);
    return g;
}

static bool GuardsIntact(const Guarded& g) {
    for (unsigned char c : g.before)
        if (c != 0xAB)
            return false;
    for (unsigned char c : g.after)
        if (c != 0xAB)
            return false;
    return true;
}

static bool AllZero(const unsigned char* p, int size) {
    for (int i = 0; i < size; i++)
        if (p[i])
            return false;
    return true;
}

TEST_F(Registry, WriteCreatesEveryMissingKeyOfThePath) {
    DWORD value = 7;
    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, &value, 4));
    RawValue stored = GetRaw(Scratch, "N");
    ASSERT_TRUE(stored.found) << "the value is stored under the full path";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), stored.type);
    EXPECT_EQ(std::string("\x07\0\0\0", 4), stored.bytes);
}

TEST_F(Registry, WriteOfTextWithSizeZeroStoresItsTerminator) {
    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "T", REG_SZ, "C:\\Folder", 0));
    RawValue stored = GetRaw(Scratch, "T");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ(std::string("C:\\Folder\0", 10), stored.bytes);

    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "E", REG_SZ, "", 0));
    EXPECT_EQ(std::string("\0", 1), GetRaw(Scratch, "E").bytes) << "the empty text is one byte";
}

TEST_F(Registry, WriteWithoutASizeStoresNothing) {
    DWORD value = 7;
    EXPECT_EQ(0, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, &value, 0));
    EXPECT_EQ(0, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, &value, -4));
    EXPECT_EQ(0, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "T", REG_SZ, "x", -1));
    EXPECT_EQ(0, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, nullptr, 4));
    EXPECT_FALSE(ProductKeyExists()) << "a refused write does not even create the key";
}

TEST_F(Registry, WriteStoresExactlyTheBytesAndTypeGiven) {
    const char bytes[3] = {1, 2, 3};
    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "B", REG_BINARY, bytes, 3));
    RawValue stored = GetRaw(Scratch, "B");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), stored.type);
    EXPECT_EQ(std::string(bytes, 3), stored.bytes);

    DWORD second = 0xFFFFFFFF;
    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "B", REG_DWORD, &second, 4));
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF", 4), GetRaw(Scratch, "B").bytes)
        << "a second write replaces the value, type and all";
}

TEST_F(Registry, AValueThePlatformRefusesIsAFailedWrite) {
    std::string tooLong(20000, 'n');
    DWORD value = 1;
    EXPECT_EQ(0, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, tooLong.c_str(), REG_DWORD, &value, 4))
        << "the key opened, but the value could not be set";
    std::string longest(255, 'n');
    EXPECT_EQ(1, WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, longest.c_str(), REG_DWORD, &value, 4));
    EXPECT_TRUE(GetRaw(Scratch, longest.c_str()).found);
}

TEST_F(Registry, ReadOfAMissingKeyOrValueFailsWithTheAreaCleared) {
    Guarded g = Filled();
    EXPECT_EQ(0, ReadRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, g.area, 4));
    EXPECT_TRUE(AllZero(g.area, 4));
    EXPECT_EQ(0xAB, g.area[4]) << "only size bytes are cleared";
    EXPECT_FALSE(ProductKeyExists()) << "a read creates nothing";

    PutDword("Other", 1);
    g = Filled();
    EXPECT_EQ(0, ReadProductValue("N", REG_DWORD, g.area, 4));
    EXPECT_TRUE(AllZero(g.area, 4));
    EXPECT_TRUE(GuardsIntact(g));
}

TEST_F(Registry, ReadDeliversAStoredNumberOrText) {
    PutDword("N", 0x80000000);
    DWORD value = 0;
    EXPECT_EQ(1, ReadProductValue("N", REG_DWORD, &value, 4));
    EXPECT_EQ(0x80000000u, value);

    PutRaw("T", REG_SZ, "abc", 4);
    Guarded g = Filled();
    EXPECT_EQ(1, ReadProductValue("T", REG_SZ, g.area, 256));
    EXPECT_STREQ("abc", reinterpret_cast<char*>(g.area));
    EXPECT_TRUE(AllZero(g.area + 3, 253)) << "the rest of the area stays cleared";

    const char bytes[3] = {9, 8, 7};
    PutRaw("B", REG_BINARY, bytes, 3);
    g = Filled();
    EXPECT_EQ(1, ReadProductValue("B", REG_BINARY, g.area, 8))
        << "a type the program does not use is taken as it is";
    EXPECT_EQ(0, memcmp(bytes, g.area, 3));
}

TEST_F(Registry, ANumberOfTheWrongTypeOrSizeReadsAsMissing) {
    struct Case {
        const char* what;
        DWORD type;
        DWORD size;
    } cases[] = {
        {"a 0-byte number", REG_DWORD, 0},
        {"a 1-byte number", REG_DWORD, 1},
        {"a 3-byte number", REG_DWORD, 3},
        {"a 300-byte number", REG_DWORD, 300},
        {"a text", REG_SZ, 3},
        {"4 binary bytes", REG_BINARY, 4},
        {"an expandable text", REG_EXPAND_SZ, 3},
    };
    const char stored[300] = "57";
    for (const Case& c : cases) {
        PutRaw("N", c.type, stored, c.size);
        Guarded g = Filled();
        EXPECT_EQ(0, ReadProductValue("N", REG_DWORD, g.area, 4)) << c.what;
        EXPECT_TRUE(AllZero(g.area, 4)) << c.what << " leaves nothing in the number";
        EXPECT_EQ(0xAB, g.area[4]) << c.what << " wrote past the number";
        EXPECT_TRUE(GuardsIntact(g)) << c.what;
    }
}

TEST_F(Registry, TextThatDoesNotFitReadsAsMissing) {
    std::string fits(255, 'p');
    PutRaw("Path", REG_SZ, fits.c_str(), 256);
    Guarded g = Filled();
    EXPECT_EQ(1, ReadProductValue("Path", REG_SZ, g.area, 256)) << "255 characters fit";
    EXPECT_EQ(fits, reinterpret_cast<char*>(g.area));
    EXPECT_TRUE(GuardsIntact(g));

    std::string tooLong(300, 'p');
    PutRaw("Path", REG_SZ, tooLong.c_str(), 301);
    g = Filled();
    EXPECT_EQ(0, ReadProductValue("Path", REG_SZ, g.area, 256)) << "300 characters do not";
    EXPECT_TRUE(AllZero(g.area, 256)) << "the area holds the empty text";
    EXPECT_TRUE(GuardsIntact(g));

    PutRaw("Path", REG_SZ, fits.c_str(), 255);
    memset(g.area, 0xAB, sizeof g.area);
    EXPECT_EQ(1, ReadProductValue("Path", REG_SZ, g.area, 256))
        << "a stored text without its terminator still ends in the cleared area";
    EXPECT_EQ(fits, reinterpret_cast<char*>(g.area));

    std::string full(256, 'p');
    PutRaw("Path", REG_SZ, full.data(), 256);
    EXPECT_EQ(0, ReadProductValue("Path", REG_SZ, g.area, 256))
        << "256 characters without a terminator would leave an unterminated text";
    EXPECT_EQ(0, g.area[0]);

    PutDword("Path", 0x41414141);
    EXPECT_EQ(0, ReadProductValue("Path", REG_SZ, g.area, 256)) << "a number is not a text";
    EXPECT_EQ(0, g.area[0]);
}

TEST_F(Registry, ReadRefusesAnAreaOfNoSize) {
    PutDword("N", 5);
    DWORD value = 9;
    EXPECT_EQ(0, ReadProductValue("N", REG_DWORD, &value, 0));
    EXPECT_EQ(9u, value) << "an area of no size is not touched";
    EXPECT_EQ(0, ReadProductValue("N", REG_DWORD, nullptr, 4));
}

TEST_F(Registry, DeleteValueRemovesOnlyThatValue) {
    PutDword("A", 1);
    PutDword("B", 2);
    EXPECT_EQ(1, DeleteRegValue(HKEY_LOCAL_MACHINE, ProductKeyPath, "A"));
    EXPECT_FALSE(GetProductRaw("A").found);
    EXPECT_EQ("B", ProductValueNames());
    EXPECT_EQ(0, DeleteRegValue(HKEY_LOCAL_MACHINE, ProductKeyPath, "A")) << "already gone";
    EXPECT_EQ(0, DeleteRegValue(HKEY_LOCAL_MACHINE, Scratch, "B")) << "no such key";
}

TEST_F(Registry, DeleteKeyRemovesAKeyWithoutSubKeys) {
    DWORD value = 1;
    WriteRegValue(HKEY_LOCAL_MACHINE, Scratch, "N", REG_DWORD, &value, 4);
    EXPECT_EQ(1, DeleteRegKey(HKEY_LOCAL_MACHINE, Scratch));
    EXPECT_FALSE(GetRaw(Scratch, "N").found);
    EXPECT_TRUE(ProductKeyExists()) << "the keys above it stay";
    EXPECT_EQ(0, DeleteRegKey(HKEY_LOCAL_MACHINE, Scratch)) << "already gone";
}

TEST_F(Registry, ProductValuesLiveInTheProductKeyUnderTheMachineRoot) {
    DWORD value = 102;
    EXPECT_EQ(1, WriteProductValue("Release", REG_DWORD, &value, 4));
    RawValue stored = GetRaw("Software\\Larkspoon Software\\Tallywhirl", "Release");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), stored.type);
    EXPECT_EQ(std::string("\x66\0\0\0", 4), stored.bytes);
    EXPECT_EQ(1, WriteProductValue("Path", REG_SZ, "C:", 0));
    char text[256];
    EXPECT_EQ(1, ReadProductValue("Path", REG_SZ, text, sizeof text));
    EXPECT_STREQ("C:", text);
}

// A product key that cannot be made at all: a lasting key cannot be created
// below a volatile one.
static void MakeProductKeyUncreatable() {
    HKEY maker;
    DWORD disposition;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, MakerKeyPath, 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &maker, &disposition);
    RegCloseKey(maker);
}

TEST_F(Registry, AProductKeyThatCannotBeMadeFailsEveryOperation) {
    MakeProductKeyUncreatable();
    DWORD value = 5;
    EXPECT_EQ(0, WriteProductValue("Release", REG_DWORD, &value, 4));
    EXPECT_FALSE(ProductKeyExists());
    value = 5;
    EXPECT_EQ(0, ReadProductValue("Release", REG_DWORD, &value, 4));
    EXPECT_EQ(0u, value);
    EXPECT_EQ(0, DeleteRegValue(HKEY_LOCAL_MACHINE, ProductKeyPath, "Release"));
    EXPECT_EQ(0, DeleteRegKey(HKEY_LOCAL_MACHINE, ProductKeyPath));
}

// The key exists and holds a value, but its access list denies everyone
// setting values: every change fails and changes nothing, and reads, which
// ask for read rights only, still give the stored value.
TEST_F(Registry, AProductKeyThatDeniesWritingRefusesEveryChangeAndStillReads) {
    PutDword("Release", 102);
    ASSERT_TRUE(SetProductKeyAccess(DenySetValue)) << "error " << GetLastError();
    DWORD value = 5;
    EXPECT_EQ(0, WriteProductValue("Release", REG_DWORD, &value, 4));
    EXPECT_EQ(0, WriteProductValue("Other", REG_SZ, "x", 0));
    value = 5;
    EXPECT_EQ(1, ReadProductValue("Release", REG_DWORD, &value, 4));
    EXPECT_EQ(102u, value);
    EXPECT_EQ(0, DeleteRegValue(HKEY_LOCAL_MACHINE, ProductKeyPath, "Release"));
    EXPECT_EQ("102", DwordText("Release")) << "the stored value is untouched";
    EXPECT_EQ("Release", ProductValueNames()) << "nothing was added";
    EXPECT_TRUE(SetProductKeyAccess(AllowAll));
}

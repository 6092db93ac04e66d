// The registry accessor against the real registry of the test's Wine prefix
// (only a prefix the harness made), in a key of the tests' own.

#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "tests/app/HarnessPrefix.h"

#include <gtest/gtest.h>

namespace {

const char* const TestKey = "Software\\MOXEL Utility Tests\\Registry";

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "";
}

class RegistryAccessor : public ::testing::Test {
  protected:
    // The tests' own key; one that is there already belongs to someone else.
    void SetUp() override {
        ASSERT_TRUE(InHarnessPrefix());
        registry_.KeepKey("Software\\MOXEL Utility Tests");
        ASSERT_FALSE(registry_.KeepKey(TestKey))
            << "HKLM\\" << TestKey << " exists already; it is left alone";
    }
    // Type and size of a value as stored.
    static std::pair<DWORD, DWORD> Stored(const char* name) {
        DWORD type = 0, size = 0;
        RegGetValueA(HKEY_LOCAL_MACHINE, TestKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size);
        return {type, size};
    }
    RegistryRestorer registry_; // first member: gone after the accessor closed its key
    TRegistry registry;
};

TEST_F(RegistryAccessor, OpenOnlyCreatesNothingAndCreateMakesTheKey) {
    EXPECT_FALSE(registry.OpenKey(TestKey, false));
    EXPECT_FALSE(KeyExists(TestKey));
    EXPECT_TRUE(registry.OpenKey(TestKey, true));
    EXPECT_TRUE(KeyExists(TestKey));
    EXPECT_TRUE(registry.OpenKey(TestKey, false));
}

TEST_F(RegistryAccessor, WritesTypesAndSizesAsStored) {
    ASSERT_TRUE(registry.OpenKey(TestKey, true));
    registry.WriteInteger("int", -5);
    registry.WriteBool("on", true);
    registry.WriteString("text", "C:\\x.exe");
    const uint8_t flag[4] = {1, 0, 0, 0};
    registry.WriteBinaryData("flag", flag, 4);
    EXPECT_EQ(Stored("int"), std::make_pair(DWORD(REG_DWORD), DWORD(4)));
    EXPECT_EQ(Stored("on"), std::make_pair(DWORD(REG_DWORD), DWORD(4)));
    EXPECT_EQ(Stored("text"), std::make_pair(DWORD(REG_SZ), DWORD(9)));
    EXPECT_EQ(Stored("flag"), std::make_pair(DWORD(REG_BINARY), DWORD(4)));
    EXPECT_EQ(registry.ReadInteger("int"), -5);
    EXPECT_TRUE(registry.ReadBool("on"));
}

TEST_F(RegistryAccessor, ReadBoolIsTrueForAnyNonZero) {
    ASSERT_TRUE(registry.OpenKey(TestKey, true));
    registry.WriteInteger("seven", 7);
    registry.WriteInteger("zero", 0);
    EXPECT_TRUE(registry.ReadBool("seven"));
    EXPECT_FALSE(registry.ReadBool("zero"));
}

TEST_F(RegistryAccessor, ReadsOfTheWrongKindRaiseTheirTexts) {
    ASSERT_TRUE(registry.OpenKey(TestKey, true));
    registry.WriteString("Width", "1024");
    const uint8_t four[4] = {1, 0, 0, 0};
    registry.WriteBinaryData("Four", four, 4);
    const uint8_t two[2] = {1, 0};
    registry.WriteBinaryData("Two", two, 2);
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Width"); }), "Failed to get data for 'Width'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Four"); }), "Invalid data type for 'Four'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Two"); }), "Invalid data type for 'Two'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Missing"); }),
              "Failed to get data for 'Missing'");
}

TEST_F(RegistryAccessor, ExistenceAndDeletion) {
    ASSERT_TRUE(registry.OpenKey(TestKey, true));
    EXPECT_FALSE(registry.ValueExists("v"));
    registry.WriteString("v", "");
    EXPECT_TRUE(registry.ValueExists("v"));
    registry.DeleteValue("v");
    EXPECT_FALSE(registry.ValueExists("v"));
    registry.DeleteValue("v"); // absent: nothing to report
}

TEST_F(RegistryAccessor, WriteWithoutAnOpenKeyRaises) {
    EXPECT_EQ(ErrorOf([&] { registry.WriteInteger("Bits", 32); }), "Failed to set data for 'Bits'");
    EXPECT_EQ(ErrorOf([&] { registry.WriteString("s", "x"); }), "Failed to set data for 's'");
}

} // namespace

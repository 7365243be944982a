// Application data and the registry read, against real values in the registry.
#include "toolkit/HApplication.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace testsupport;

namespace {

const char* const testKey = "Software\\RZEditTest\\表ソ能";

bool setValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& bytes) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    LONG code = RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
    RegCloseKey(opened);
    return code == ERROR_SUCCESS;
}

class HApplicationRegistry : public ::testing::Test {
  protected:
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, testKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\RZEditTest");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\RZEditTest");
        RegDeleteValueA(HKEY_CURRENT_USER, "RZEditTestValue");
    }
};

} // namespace

TEST(HApplication, KeepsWhatTheEntryPointGives) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    HApplication::init(self, nullptr, "-x ファイル", SW_SHOWNORMAL);
    EXPECT_EQ(self, HApplication::getInstanceHandle());
    EXPECT_EQ(nullptr, HApplication::getPreviousInstanceHandle());
    EXPECT_EQ("-x ファイル", HApplication::getCommandLine());
    EXPECT_EQ(SW_SHOWNORMAL, HApplication::getShowCommand());
}

TEST_F(HApplicationRegistry, ReadsStringValuesByOnePath) {
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "Directory", REG_SZ,
                         std::string("C:\\ゲーム\\表", 13) + '\0'));
    LogTail log;
    std::string path = std::string("HKEY_CURRENT_USER\\") + testKey + "\\Directory";
    EXPECT_EQ("C:\\ゲーム\\表", HApplication::readRegistryString(path));
    EXPECT_TRUE(log.contains("text:C:\\ゲーム\\表"));

    ASSERT_TRUE(setValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\RZEditTest", "Directory", REG_SZ,
                         std::string("D:\\Game") + '\0'));
    EXPECT_EQ("D:\\Game", HApplication::readRegistryString(
                              "HKEY_LOCAL_MACHINE\\SOFTWARE\\RZEditTest\\Directory"));

    // One backslash: the value lies in the root key itself.
    ASSERT_TRUE(
        setValue(HKEY_CURRENT_USER, "", "RZEditTestValue", REG_SZ, std::string("top") + '\0'));
    EXPECT_EQ("top", HApplication::readRegistryString("HKEY_CURRENT_USER\\RZEditTestValue"));

    // The text ends at its first NUL, and a value without one is not overrun.
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "Two", REG_SZ, std::string("ab\0cd\0", 6)));
    EXPECT_EQ("ab", HApplication::readRegistryString(std::string("HKEY_CURRENT_USER\\") + testKey +
                                                     "\\Two"));
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "Raw", REG_BINARY, "12345"));
    EXPECT_EQ("12345", HApplication::readRegistryString(std::string("HKEY_CURRENT_USER\\") +
                                                        testKey + "\\Raw"));

    // A value name whose second byte is a backslash is not split there.
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "表示", REG_SZ, std::string("hyo") + '\0'));
    EXPECT_EQ("hyo", HApplication::readRegistryString(std::string("HKEY_CURRENT_USER\\") + testKey +
                                                      "\\表示"));

    // readRegistry reports the stored size.
    BYTE buffer[64];
    DWORD size = sizeof(buffer);
    EXPECT_TRUE(HApplication::readRegistry(std::string("HKEY_CURRENT_USER\\") + testKey + "\\Raw",
                                           buffer, &size));
    EXPECT_EQ(5u, size);
}

TEST_F(HApplicationRegistry, OnlyTheFiveRootNamesAreKnown) {
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "Directory", REG_SZ, std::string("x") + '\0'));
    for (const char* root : {"HKCU", "hkey_current_user", "HKEY_CURRENT_USER ", "", "HKEY"}) {
        LogTail log;
        EXPECT_EQ("", HApplication::readRegistryString(std::string(root) + "\\" + testKey +
                                                       "\\Directory"))
            << root;
        EXPECT_TRUE(log.contains("レジストリ参照：不正なルートキー")) << root;
        EXPECT_TRUE(log.contains("HApplication")) << root;
        EXPECT_FALSE(log.contains("サブキー")) << root;
    }
    // Every one of the five opens its key.
    for (const char* root : {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                             "HKEY_LOCAL_MACHINE", "HKEY_USERS"}) {
        LogTail log;
        HApplication::readRegistryString(std::string(root) + "\\RZEditNoSuchValue");
        EXPECT_FALSE(log.contains("不正なルートキー")) << root;
        EXPECT_FALSE(log.contains("サブキー取得失敗")) << root;
        EXPECT_TRUE(log.contains("レジストリ参照：エントリ取得失敗")) << root;
    }
}

TEST_F(HApplicationRegistry, MissingKeysValuesAndLongValuesGiveNothing) {
    LogTail missingKey;
    EXPECT_EQ("", HApplication::readRegistryString(
                      "HKEY_LOCAL_MACHINE\\SOFTWARE\\RZEditNoSuchKey\\Deeper\\Directory"));
    EXPECT_TRUE(missingKey.contains("レジストリ参照：サブキー取得失敗"));
    EXPECT_TRUE(missingKey.contains("error code:2"));

    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, testKey, "Directory", REG_SZ, std::string("x") + '\0'));
    LogTail missingValue;
    EXPECT_EQ("", HApplication::readRegistryString(std::string("HKEY_CURRENT_USER\\") + testKey +
                                                   "\\Other"));
    EXPECT_TRUE(missingValue.contains("レジストリ参照：エントリ取得失敗"));
    EXPECT_TRUE(missingValue.contains("error code:2"));

    // Longer than the 2048-byte buffer: treated like a missing value.
    ASSERT_TRUE(
        setValue(HKEY_CURRENT_USER, testKey, "Long", REG_SZ, std::string(3000, 'L') + '\0'));
    LogTail tooLong;
    EXPECT_EQ("", HApplication::readRegistryString(std::string("HKEY_CURRENT_USER\\") + testKey +
                                                   "\\Long"));
    EXPECT_TRUE(tooLong.contains("レジストリ参照：エントリ取得失敗"));
    EXPECT_TRUE(tooLong.contains("error code:234"));

    // A path without any backslash names only a root key.
    EXPECT_EQ("", HApplication::readRegistryString("HKEY_USERS"));
    EXPECT_EQ("", HApplication::readRegistryString("HKLM"));
}

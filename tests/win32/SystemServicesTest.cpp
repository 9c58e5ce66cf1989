// The Win32 system services against the real registry of the test prefix:
// what each call returns, and what it leaves in its outputs.
#include <gtest/gtest.h>

#include "inspect/SystemServices_win.h"
#include "inspect/WinConstants.h"
#include "wine/TestRegistry.h"

namespace {

const char kScratch[] = "Software\\QuorvaneTests\\Services";
const char kMissing[] = "Software\\QuorvaneTests\\Services\\Missing";

class SystemServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testreg::AllowWriting(HKEY_LOCAL_MACHINE, kScratch);
    ASSERT_TRUE(testreg::DeleteTree(HKEY_LOCAL_MACHINE, kScratch));
  }
  void TearDown() override {
    testreg::AllowWriting(HKEY_LOCAL_MACHINE, kScratch);
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
  }

  // Queries into a zero-filled 4-byte buffer, as the inspection does.
  long Query(const char* name, uint32_t* type, uint8_t (&data)[4], uint32_t& size) {
    KeyHandle key = nullptr;
    EXPECT_EQ(services.RegOpenKeyExA(kScratch, win::kKeyQueryValue, key), 0);
    size = sizeof data;
    const long status = services.RegQueryValueExA(key, name, type, data, size);
    services.RegCloseKey(key);
    return status;
  }

  Win32SystemServices services;
};

TEST_F(SystemServicesTest, CreateMakesTheMissingKeyAndSetWritesADword) {
  KeyHandle key = nullptr;
  ASSERT_EQ(services.RegCreateKeyExA(kScratch, win::kKeyAllAccess, key), 0);
  ASSERT_NE(key, nullptr);
  const uint8_t one[4] = {1, 0, 0, 0};
  EXPECT_EQ(services.RegSetValueExA(key, "Quorvane", win::kRegDword, one, 4), 0);
  services.RegCloseKey(key);

  testreg::StoredValue stored;
  ASSERT_TRUE(testreg::ReadValue(HKEY_LOCAL_MACHINE, kScratch, "Quorvane", stored));
  EXPECT_EQ(stored, (testreg::StoredValue{REG_DWORD, {1, 0, 0, 0}}));
}

TEST_F(SystemServicesTest, CreateOpensAnExistingKey) {
  ASSERT_TRUE(testreg::SetDword(HKEY_LOCAL_MACHINE, kScratch, "Kept", 7));
  KeyHandle key = nullptr;
  ASSERT_EQ(services.RegCreateKeyExA(kScratch, win::kKeyAllAccess, key), 0);
  services.RegCloseKey(key);
  testreg::StoredValue stored;
  EXPECT_TRUE(testreg::ReadValue(HKEY_LOCAL_MACHINE, kScratch, "Kept", stored));
}

TEST_F(SystemServicesTest, OpenOfAMissingKeyFailsAndLeavesTheOutputAlone) {
  KeyHandle key = reinterpret_cast<KeyHandle>(0x1234);
  EXPECT_EQ(services.RegOpenKeyExA(kMissing, win::kKeyQueryValue, key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, reinterpret_cast<KeyHandle>(0x1234));
}

TEST_F(SystemServicesTest, QueryReadsDwordsAndReportsType) {
  ASSERT_TRUE(testreg::SetDword(HKEY_LOCAL_MACHINE, kScratch, "Value", 0x01020304));
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = 0;
  uint32_t type = 0;
  ASSERT_EQ(Query("Value", &type, data, size), 0);
  EXPECT_EQ(type, static_cast<uint32_t>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(data[0], 4);
  EXPECT_EQ(data[3], 1);

  // The service-pack read asks for no type.
  ASSERT_EQ(Query("Value", nullptr, data, size), 0);
  EXPECT_EQ(data[0], 4);
}

TEST_F(SystemServicesTest, QueryReadsTheStringOne) {
  ASSERT_TRUE(testreg::SetString(HKEY_LOCAL_MACHINE, kScratch, "Value", "1"));
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = 0;
  uint32_t type = 0;
  ASSERT_EQ(Query("Value", &type, data, size), 0);
  EXPECT_EQ(type, static_cast<uint32_t>(REG_SZ));
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(data[0], '1');
  EXPECT_EQ(data[1], 0);
}

TEST_F(SystemServicesTest, QueryOfEightBytesIntoFourFails) {
  ASSERT_TRUE(testreg::SetValue(HKEY_LOCAL_MACHINE, kScratch, "Value", REG_BINARY,
                                {1, 2, 3, 4, 5, 6, 7, 8}));
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = 0;
  uint32_t type = 0;
  EXPECT_EQ(Query("Value", &type, data, size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
}

TEST_F(SystemServicesTest, QueryOfAMissingValueFails) {
  ASSERT_TRUE(testreg::SetDword(HKEY_LOCAL_MACHINE, kScratch, "Other", 1));
  uint8_t data[4] = {0, 0, 0, 0};
  uint32_t size = 0;
  EXPECT_EQ(Query("Value", nullptr, data, size), ERROR_FILE_NOT_FOUND);
}

TEST_F(SystemServicesTest, KeyThatDeniesWritingRefusesFullAccessOnly) {
  ASSERT_TRUE(testreg::SetDword(HKEY_LOCAL_MACHINE, kScratch, "Value", 1));
  ASSERT_TRUE(testreg::DenyWriting(HKEY_LOCAL_MACHINE, kScratch));

  KeyHandle key = nullptr;
  EXPECT_EQ(services.RegOpenKeyExA(kScratch, win::kKeyAllAccess, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(services.RegCreateKeyExA(kScratch, win::kKeyAllAccess, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  ASSERT_EQ(services.RegOpenKeyExA(kScratch, win::kKeyQueryValue, key), 0);
  services.RegCloseKey(key);
}

TEST_F(SystemServicesTest, VersionQuerySucceeds) {
  VersionRecord record{};
  ASSERT_TRUE(services.GetVersionExA(record));
  EXPECT_NE(record.platformId, 0u);
  EXPECT_NE(record.majorVersion, 0u);
}

TEST_F(SystemServicesTest, ShutdownPrivilegeCanBeEnabledAndTheTokenClosed) {
  TokenHandle token = nullptr;
  ASSERT_TRUE(services.OpenProcessToken(win::kTokenAdjustPrivileges | win::kTokenQuery, token));
  Luid luid{};
  ASSERT_TRUE(services.LookupPrivilegeValueA("SeShutdownPrivilege", luid));
  EXPECT_NE(luid.lowPart, 0u);
  EXPECT_TRUE(services.AdjustTokenPrivileges(token, luid, win::kSePrivilegeEnabled));
  services.CloseHandle(token);
}

}  // namespace

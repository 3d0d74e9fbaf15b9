// Saves that fail part way, because the disk is full: the INI model, the
// line profile, the settings block and the registry store each leave the
// old file byte for byte, leave no temporary file behind, and report the
// failure where their interface reports one.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/full_disk.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::FileNames;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

const size_t kDiskBytes = 8192;

class FullDiskTest : public testsupport::IsolatedTest {
 protected:
  // An old file that nearly fills the disk: header lines and a long filler.
  static std::string OldText(const std::string& head) {
    return head + "; " + std::string(kDiskBytes - 100 - head.size(), 'o') + "\r\n";
  }
  std::string Disk() const { return dir.file("disk"); }
  std::string OnDisk(const char* name) const { return Disk() + "/" + name; }
};

// The disk of these tests is full indeed: a file larger than it cannot be
// written whole.
TEST_F(FullDiskTest, TheDiskIsFull) {
  testsupport::FullDisk disk(Disk(), kDiskBytes);
  FILE* file = fopen(OnDisk("probe").c_str(), "wb");
  ASSERT_NE(nullptr, file);
  const std::string bytes(2 * kDiskBytes, 'p');
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = fclose(file) == 0;
  EXPECT_FALSE(written && closed);
}

TEST_F(FullDiskTest, IniSaveKeepsTheOldFileAndReportsFailure) {
  testsupport::FullDisk disk(Disk(), kDiskBytes);
  const std::string old = "[S]\r\nk=old\r\nfill=" + std::string(kDiskBytes - 300, 'f') + "\r\n";
  WriteBytes(OnDisk("full.ini"), old);
  PAIniFile ini("disk\\full.ini");
  ASSERT_EQ(1, ini.Load());
  ini.FindSection("S")->SetEntry("k", std::string(600, 'n').c_str(), 1);
  EXPECT_EQ(0, ini.Save());
  EXPECT_EQ(1, ini.IsModified());
  EXPECT_EQ(old, ReadBytes(OnDisk("full.ini")));
  EXPECT_EQ(std::vector<std::string>{"full.ini"}, FileNames(Disk()));
}

TEST_F(FullDiskTest, LineProfileSaveKeepsTheOldFile) {
  testsupport::FullDisk disk(Disk(), kDiskBytes);
  const std::string old = OldText("[S]\r\nk=old\r\n");
  WriteBytes(OnDisk("lines.ini"), old);
  PALineProfile profile;
  ASSERT_EQ(1, profile.LoadLines("disk\\lines.ini"));
  profile.SetLine("S", "added", std::string(600, 'n').c_str());
  EXPECT_EQ(1, profile.SaveLines(""));  // a failed save is not reported
  EXPECT_EQ(old, ReadBytes(OnDisk("lines.ini")));
  EXPECT_EQ(std::vector<std::string>{"lines.ini"}, FileNames(Disk()));
}

TEST_F(FullDiskTest, SettingsWriteKeepsTheOldScript) {
  testsupport::FullDisk disk(Disk(), kDiskBytes);
  // Every key as the write gives it, so that only the title changes.
  const std::string old = OldText(
      "/*VOXTAG\r\n[Settings]\r\nApplication=-1\r\nBasedOn=\r\nDefault=0\r\nDescription=''\r\nDisplay=0\r\n"
      "Guid=\r\nIgnoreErrors=0\r\nLocale=0\r\nNewInst=1\r\nPriority=1\r\nRunOnlyOnce=\r\nTitle='Old'\r\n"
      "Upgrade=0\r\nVersion=\r\nVOXTAG*/\r\n");
  WriteBytes(OnDisk("script.sql"), old);
  PAScriptSettings settings;
  ASSERT_EQ(1, settings.Read("disk\\script.sql", 0));
  settings.SetTitle(std::string(250, 'T').c_str());
  EXPECT_EQ(1, settings.Write());  // a key that cannot be written stays as it was
  EXPECT_EQ(old, ReadBytes(OnDisk("script.sql")));
  EXPECT_EQ(std::vector<std::string>{"script.sql"}, FileNames(Disk()));
}

TEST_F(FullDiskTest, RegistryWriteKeepsTheOldStoreAndReportsFailure) {
  testsupport::FullDisk disk(Disk(), kDiskBytes);
  setenv("WINPORT_ROOT", (Disk() + "/winport").c_str(), 1);
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\FullDisk", 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  const std::string old(2000, 'o');
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(old.c_str()),
                                          static_cast<DWORD>(old.size() + 1)));
  const std::string store = Disk() + "/winport/registry";
  const std::vector<std::string> files = FileNames(store);
  ASSERT_FALSE(files.empty());
  std::vector<std::string> before;
  for (const std::string& name : files) before.push_back(ReadBytes(store + "/" + name));

  const std::string big(kDiskBytes, 'n');
  EXPECT_NE(ERROR_SUCCESS, RegSetValueExA(key, "w", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()),
                                          static_cast<DWORD>(big.size() + 1)));
  EXPECT_EQ(files, FileNames(store));
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(before[i], ReadBytes(store + "/" + files[i])) << files[i];
  // What was stored before is still what the store gives.
  char value[4096];
  DWORD size = sizeof value;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size));
  EXPECT_EQ(old, value);
  size = sizeof value;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "w", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size));
  RegCloseKey(key);
  unsetenv("WINPORT_ROOT");
}

}  // namespace

// Two versions of one large INI file, the same in the tests and in the
// program they start (profilechild): every value differs between them.
#pragma once

#include <stdio.h>

#include <string>

#include <tekora/ini_file.h>

inline void FillProfileVersion(PAIniFile& ini, int version, int entries) {
  const std::string filler(60, version == 0 ? 'a' : 'b');
  for (int i = 0; i < entries; ++i) {
    char section[32], key[32];
    snprintf(section, sizeof section, "S%04d", i / 1000);
    snprintf(key, sizeof key, "K%06d", i);
    ini.AddSection(section, 1);
    ini.FindSection(section)->SetEntry(key, (filler + std::to_string(i)).c_str(), 1);
  }
}

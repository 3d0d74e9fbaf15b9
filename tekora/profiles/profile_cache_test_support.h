// Test-side support for the tests that read and write through the
// process-wide profile cache (never part of the library): each test starts
// and ends with the cache empty, so that no file of one test stays cached
// into the next.
#pragma once

#include <tekora/tekora.h>
#include <testsupport/temp_dir.h>

class ProfileCacheTest : public testsupport::IsolatedTest {
 protected:
  void SetUp() override { PAGetProfileCache()->RemoveAllFiles(); }
  void TearDown() override { PAGetProfileCache()->RemoveAllFiles(); }
};

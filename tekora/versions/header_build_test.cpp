// A generated header in use: compiled by the project's own compiler, and
// never found half-written when its writer is killed.
#include <windows.h>

#include <stdlib.h>

#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/run_program.h>
#include <testsupport/temp_dir.h>

#include "../testmodules/header_content.h"

namespace {

using testsupport::Exists;
using testsupport::ReadBytes;

// The macros' values, checked by the compiler itself.
TEST(HeaderBuildTest, GeneratedHeaderCompilesWithItsValues) {
  // The cross compiler of the Windows build is a program of the build
  // machine, which the tests under Windows cannot start.
  if (testsupport::OnWindows()) GTEST_SKIP() << "the compiler runs on the build machine";
  testsupport::TempDir dir;
  PAVersion record;
  record.SetModuleName("AB");
  record.SetPrefix("AB_VER");
  record.SetFormat(1);
  record.SetNumber(0, 2);
  record.SetNumber(1, 3);
  record.SetNumber(2, 4);
  record.SetNumber(3, 99);
  ASSERT_EQ(1, record.Increment());
  record.SetCompanyName("Firm & Co");
  record.SetFirstYear(2001);
  record.SetCurrentYear(2007);
  record.SetUserVariable("COUNT", "42");
  record.SetUserVariable("MASK", "0x1F");
  record.SetUserVariable("TEXT", "a b");
  record.SetUserVariable("PROD_MSI_CMT", "Feature|Component;");
  ASSERT_EQ(1, record.WriteHeader("abver.hpp"));

  testsupport::WriteBytes(dir.file("use.cpp"),
                          "#include \"abver.hpp\"\n"
                          "#include \"abver.hpp\"\n"  // the guard holds
                          "#include <string_view>\n"
                          "using S = std::string_view;\n"
                          "static_assert(AB_VER_FORMAT == 1 && AB_VER_VER1 == 2 && AB_VER_VER3 == 5, \"\");\n"
                          "static_assert(AB_VER_VER4 == 0 && AB_VER_STARTED == 2001, \"\");\n"
                          "static_assert(S(AB_VER_VERSION) == \"2.3.50\" && S(AB_VER_VERSION_CMA) == \"2,3,50\", \"\");\n"
                          "static_assert(S(AB_VER_COPYRIGHT) == \"Copyright (C)2001-2007 Firm & Co\", \"\");\n"
                          "static_assert(AB_VER_SERIAL == 23 && S(AB_VER_SER_TXT) == \"2.3\", \"\");\n"
                          "static_assert(AB_VER_COUNT == 42 && AB_VER_MASK == 31 && S(AB_VER_TEXT) == \"a b\", \"\");\n"
                          "#ifdef AB_VER_PROD_MSI_EXE\n#error the installer calls must stay switched off\n#endif\n"
                          "#ifdef AB_VER_CREATED_BY\n#error a variable without a value is left out\n#endif\n"
                          "int main() { return 0; }\n");
  auto result = testsupport::RunProgram({TEKORA_CXX_COMPILER, "-std=c++17", "-fsyntax-only", "use.cpp"}, dir.path());
  EXPECT_EQ(0, result.exitCode) << result.out << result.err;
  // The message line names the version while the header compiles.
  EXPECT_NE(std::string::npos, (result.out + result.err).find("AB_VER: 2.3.5.0")) << result.err;
}

// A writer ended at a random moment while it writes a large header (about
// 1 MB) again and again: the header is always one whole version.
TEST(HeaderBuildTest, KilledWriterLeavesOldOrNewHeaderNeverAMixture) {
  testsupport::TempDir dir;
  const int kVariables = 20000;
  std::string versions[2];
  for (int v = 0; v < 2; ++v) {
    // The same file name: the guard name comes from it.
    const std::string name = "expected" + std::to_string(v) + "/big.hpp";
    testsupport::MakeDirs(dir.file("expected" + std::to_string(v)));
    PAVersion expected;
    FillHeaderVersion(expected, v, kVariables);
    ASSERT_EQ(1, expected.WriteHeader(name.c_str()));
    versions[v] = ReadBytes(dir.file(name));
  }
  ASSERT_NE(versions[0], versions[1]);

  srand(4711);
  for (int round = 0; round < 6; ++round) {
    std::string commandLine =
        "\"" + testsupport::ProgramPath("headerchild") + "\" writeloop big.hpp " + std::to_string(kVariables);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.path().c_str(),
                               &startup, &process));
    // Once the first header is there, the next writes are cut at random moments.
    for (int waited = 0; !Exists(dir.file("big.hpp")) && waited < 60000; waited += 10) Sleep(10);
    Sleep(static_cast<DWORD>(rand() % 300));
    EXPECT_TRUE(TerminateProcess(process.hProcess, 9));
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const std::string content = ReadBytes(dir.file("big.hpp"));
    EXPECT_TRUE(content == versions[0] || content == versions[1])
        << "round " << round << ": " << content.size() << " bytes";
  }
}

}  // namespace

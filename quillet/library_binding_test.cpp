// quillet binds exactly two functions of tekora.
#include <stdio.h>

#include <gtest/gtest.h>
#include <testsupport/run_program.h>

#include <set>
#include <string>

namespace {

// The dynamic symbols of a binary, defined or undefined ones.
std::set<std::string> DynamicSymbols(const std::string& binary, bool defined) {
  const std::string command =
      std::string("nm -D ") + (defined ? "--defined-only " : "--undefined-only ") + binary;
  std::set<std::string> symbols;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return symbols;
  char line[4096];
  while (fgets(line, sizeof line, pipe)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const size_t space = text.rfind(' ');
    std::string name = text.substr(space == std::string::npos ? 0 : space + 1);
    symbols.insert(name.substr(0, name.find('@')));
  }
  pclose(pipe);
  return symbols;
}

TEST(LibraryBindingTest, QuilletNeedsOnlyTheTwoFunctions) {
  const auto tekora = DynamicSymbols(testsupport::BinPath("libtekora.so"), true);
  ASSERT_TRUE(tekora.count("PACheckPath"));
  std::set<std::string> used;
  for (const std::string& symbol : DynamicSymbols(testsupport::BinPath("quillet"), false))
    if (tekora.count(symbol)) used.insert(symbol);
  EXPECT_EQ((std::set<std::string>{"PACheckPath", "PACompareModuleVersion"}), used);
}

}  // namespace

// lstrcmpiA starts its walk after the characters both texts begin with; a
// beginning the texts share never changes their order. Checked against the
// same texts without the beginning, which the comparison walks whole.
#include <windows.h>

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// Characters of every kind: letters of both cases, a ligature, accented
// letters, digits, the special characters and a control character.
std::string RandomText(std::mt19937& random, size_t most) {
  const char alphabet[] = {'a', 'A', 'b', 'e', 'E', '\xE6', '\xC6', '\xE9', '\xDF', 's', '1', '_',
                           '-', '\'', '\xAD', '\x01', ' '};
  std::string text;
  const size_t length = random() % (most + 1);
  for (size_t i = 0; i < length; ++i) text += alphabet[random() % sizeof alphabet];
  return text;
}

TEST(StringComparePrefixTest, ASharedBeginningKeepsTheOrder) {
  std::mt19937 random(29);
  for (int round = 0; round < 20000; ++round) {
    const std::string prefix = RandomText(random, 8);
    std::string x = RandomText(random, 6), y = RandomText(random, 6);
    // Texts that differ in their first byte: the comparison walks them whole.
    if (!x.empty() && !y.empty() && x[0] == y[0]) continue;
    const int whole = lstrcmpiA(x.c_str(), y.c_str());
    ASSERT_EQ(whole, lstrcmpiA((prefix + x).c_str(), (prefix + y).c_str()))
        << "'" << prefix << "' + '" << x << "' / '" << y << "'";
  }
}

}  // namespace

// GetLocaleInfoA's ISO names, IsValidCodePage, and the tick count: what
// Windows answers.
#include <chrono>
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "testsupport/environment.h"
#include "testsupport/platform.h"

namespace {

std::string Info(LCID lcid, LCTYPE type) {
  char buffer[260] = "unchanged";
  const int written = GetLocaleInfoA(lcid, type, buffer, sizeof buffer);
  return written > 0 ? std::string(buffer) : "<" + std::to_string(GetLastError()) + ">";
}

TEST(GetLocaleInfo, IsoLanguageAndCountryNames) {
  EXPECT_EQ("de", Info(0x0807, LOCALE_SISO639LANGNAME));
  EXPECT_EQ("CH", Info(0x0807, LOCALE_SISO3166CTRYNAME));
  EXPECT_EQ("en", Info(0x0809, LOCALE_SISO639LANGNAME));
  EXPECT_EQ("GB", Info(0x0809, LOCALE_SISO3166CTRYNAME));
  EXPECT_EQ("AT", Info(0x0C07, LOCALE_SISO3166CTRYNAME | LOCALE_NOUSEROVERRIDE));
}

TEST(GetLocaleInfo, SizesAndBuffers) {
  EXPECT_EQ(3, GetLocaleInfoA(0x040C, LOCALE_SISO639LANGNAME, nullptr, 0));  // "fr" and its terminator
  char small[2] = {'x', 'x'};
  SetLastError(0);
  EXPECT_EQ(0, GetLocaleInfoA(0x040C, LOCALE_SISO639LANGNAME, small, sizeof small));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  char exact[3];
  EXPECT_EQ(3, GetLocaleInfoA(0x040C, LOCALE_SISO3166CTRYNAME, exact, sizeof exact));
  EXPECT_STREQ("FR", exact);
}

// The layer knows the locales of its table and two items; Windows knows
// many more of both.
TEST(GetLocaleInfo, WhatTheLayerKnows) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  const std::string invalidParameter = "<" + std::to_string(ERROR_INVALID_PARAMETER) + ">";
  EXPECT_EQ(invalidParameter, Info(12345, LOCALE_SISO639LANGNAME));
  EXPECT_EQ(invalidParameter, Info(0x1407, LOCALE_SISO3166CTRYNAME));  // de-LI is not answered as de-DE
  // A neutral sublanguage stands for the language's default country, and
  // another sort order changes nothing.
  EXPECT_EQ("DE", Info(0x0007, LOCALE_SISO3166CTRYNAME));
  EXPECT_EQ("DE", Info(0x10407, LOCALE_SISO3166CTRYNAME));
  EXPECT_EQ("<" + std::to_string(ERROR_INVALID_FLAGS) + ">", Info(0x0407, 0x0002 /* LOCALE_SLANGUAGE */));
  EXPECT_EQ("iv", Info(LOCALE_INVARIANT, LOCALE_SISO639LANGNAME));
  EXPECT_EQ("IV", Info(LOCALE_INVARIANT, LOCALE_SISO3166CTRYNAME));
}

TEST(IsValidCodePage, EightBitCodePagesOnly) {
  for (UINT codePage : {437u, 850u, 1250u, 1252u, 1258u, 28591u, 65001u}) EXPECT_TRUE(IsValidCodePage(codePage)) << codePage;
  // 0 is the ANSI code page's stand-in, 1200 and 1201 are UTF-16.
  for (UINT codePage : {0u, 1u, 1200u, 1201u, 1259u, 12345u, 65002u}) EXPECT_FALSE(IsValidCodePage(codePage)) << codePage;
}

TEST(GetTickCount, CountsMillisecondsForward) {
  // The count follows the time that passed, within the steps of about 16 ms
  // in which Windows moves it and what a busy machine adds to a sleep.
  const auto start = std::chrono::steady_clock::now();
  const DWORD before = GetTickCount();
  Sleep(200);
  const DWORD elapsed = GetTickCount() - before;
  const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_GE(elapsed + 50, static_cast<DWORD>(passed.count()));
  EXPECT_LE(elapsed, static_cast<DWORD>(passed.count()) + 50);
  EXPECT_GE(elapsed, 100u);
}

TEST(GetTickCount, TheOffsetMovesTheClockAcrossTheWrap) {
  if (testsupport::OnWindows()) GTEST_SKIP() << testsupport::kLayerRule;
  const DWORD now = GetTickCount();
  testsupport::ScopedEnv offset("WINPORT_TICK_OFFSET", std::to_string(0xFFFFFFF0u - now));
  const DWORD beforeWrap = GetTickCount();
  EXPECT_GE(beforeWrap, 0xFFFFFFF0u);
  Sleep(40);
  // 16 ms up to the wrap, then on from 0: the 32-bit difference is right.
  EXPECT_LT(GetTickCount(), beforeWrap);
  EXPECT_GE(static_cast<DWORD>(GetTickCount() - beforeWrap), 40u);
}

}  // namespace

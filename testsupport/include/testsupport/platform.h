// What the tests need to know about the platform they run on, where Windows
// and the POSIX layer differ on purpose or where Wine departs from Windows
// (docs/windows-build.md lists those departures).
#pragma once

namespace testsupport {

// Whether the Win32 calls are Windows' own (on Windows or Wine) rather than
// the POSIX layer's. The layer's tests of rules that are its own (where it
// refuses more, or knows less, than Windows) do not apply there.
bool OnWindows();
inline constexpr char kLayerRule[] = "a rule of the POSIX layer, not of Windows";

// Windows' C runtime ends a text-mode read at a 0x1A byte (the old end-of-
// file mark); the POSIX layer reads it as data.
bool CtrlZEndsTextReads();

// Windows' C runtime counts text-mode stream positions in bytes of the file
// (CR LF is two); the POSIX layer counts the characters the program reads.
bool TextPositionsCountFileBytes();

// Whether the tests run on Wine rather than on Windows itself.
bool RunningUnderWine();

// Why the tests that watch the bytes around a profile write are skipped on
// Wine: its WritePrivateProfileString rewrites the whole file (line ends,
// blanks at line starts and around "=", blank lines, lines holding a NUL),
// and as root it writes read-only files; Windows changes only the line it
// writes.
inline constexpr char kWineRewritesProfiles[] =
    "Wine's WritePrivateProfileString rewrites the whole file (docs/windows-build.md)";

// Whether the process has a console whose title it can set and read. Wine
// gives a process a console only when it runs on a terminal (a console
// window would need a display).
bool HaveConsole();

}  // namespace testsupport

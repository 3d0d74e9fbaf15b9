// How quillet reports an error.
#pragma once

// Formats the message with printf rules (at most 10239 characters are kept),
// writes it and a line end to standard output, and shows it in a modal error
// box unless the user's registry setting "MessageBox" is 0. On the build
// server the box is always shown.
void ReportError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Whether an error box is to be shown: always on the build server, else
// unless HKEY_CURRENT_USER\Software\Kestrova\Utils\quillet\Settings holds the
// REG_DWORD "MessageBox" with the value 0. Read afresh on every call.
bool ShouldShowErrorBox();

// Console output: straight to the controlling terminal, or to standard error
// when the process has none. Nothing is buffered, so console lines keep their
// place among the program's other output.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Writes the text; 0, or -1 on failure.
int _cputs(const char* str);
// Writes the formatted text; the number of characters written, or -1.
int _cprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

#ifdef __cplusplus
}
#endif

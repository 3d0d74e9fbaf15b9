// CString: printf-style formatting and loading of numbered texts.
#include <afx.h>

#include <stdio.h>

namespace {

// Formats into a fresh string, measuring first so that any length fits.
CString FormatToString(LPCSTR lpszFormat, va_list argList) {
  CString result;
  if (lpszFormat == NULL) return result;
  va_list measure;
  va_copy(measure, argList);
  int nLength = vsnprintf(NULL, 0, lpszFormat, measure);
  va_end(measure);
  if (nLength <= 0) return result;  // empty, or a format the C library rejects
  char* buffer = result.GetBuffer(nLength);
  vsnprintf(buffer, static_cast<size_t>(nLength) + 1, lpszFormat, argList);
  result.ReleaseBuffer(nLength);
  return result;
}

}  // namespace

void CString::FormatV(LPCSTR lpszFormat, va_list argList) {
  // The arguments may point into this string, so the text is built apart
  // and only then replaces the old one.
  *this = FormatToString(lpszFormat, argList);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList) {
  CString tail = FormatToString(lpszFormat, argList);
  *this += tail;
}

void CString::Format(LPCSTR lpszFormat, ...) {
  va_list argList;
  va_start(argList, lpszFormat);
  FormatV(lpszFormat, argList);
  va_end(argList);
}

void CString::Format(UINT nFormatID, ...) {
  CString format;
  if (!format.LoadString(nFormatID)) return;
  va_list argList;
  va_start(argList, nFormatID);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
  FormatV(format, argList);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  va_end(argList);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...) {
  va_list argList;
  va_start(argList, lpszFormat);
  AppendFormatV(lpszFormat, argList);
  va_end(argList);
}

BOOL CString::LoadString(UINT nID) {
  LPCSTR text = AfxFindStringResource(nID);
  if (text == NULL) return FALSE;
  *this = text;
  return TRUE;
}

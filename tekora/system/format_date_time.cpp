// PAFormatDateTime and PAFormatNow: a moment as text in the user's locale.
#include <tekora/time_guid.h>

namespace {

// The system formats into buffers of this size.
const int kBufferSize = MAX_PATH;

}  // namespace

int PAFormatDateTime(CString& text, const SYSTEMTIME* moment, int withDate, int withTime) {
  char date[kBufferSize] = "";
  char time[kBufferSize] = "";
  if (withDate && GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, moment, nullptr, date, kBufferSize) == 0)
    return 0;
  if (withTime && GetTimeFormatA(LOCALE_USER_DEFAULT, 0, moment, nullptr, time, kBufferSize) == 0) return 0;
  try {
    // The blank stands between the parts even when one of them is missing.
    CString result(date);
    result += ' ';
    result += time;
    text = result;
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
  return text.IsEmpty() ? 0 : 1;
}

int PAFormatNow(CString& text, int withDate, int withTime) {
  text.Empty();
  SYSTEMTIME now;
  GetLocalTime(&now);
  return PAFormatDateTime(text, &now, withDate, withTime);
}

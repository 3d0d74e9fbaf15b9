// PAShowProgress: elapsed and projected time of a long run in the console
// title.
#include <limits.h>

#include <tekora/time_guid.h>

#include "../string_ids.h"

namespace {

CString Text(UINT id) { return CString(MAKEINTRESOURCEA(id)); }

// elapsed x total / done, truncated. Only a start time absurdly far from
// now overflows the product; the projection then saturates.
LONGLONG Projected(LONGLONG elapsed, int done, int total) {
  if (elapsed > LLONG_MAX / total) return LLONG_MAX;
  if (elapsed < LLONG_MIN / total) return LLONG_MIN;
  return elapsed * total / done;
}

}  // namespace

int PAShowProgress(const LONGLONG* startTime, int done, int total) {
  if (!startTime) return 1;
  try {
    // Wrapping subtraction: a garbage start time gives a garbage title, not
    // undefined behaviour.
    const ULONGLONG now = static_cast<ULONGLONG>(CTime::GetCurrentTime().GetTime());
    const LONGLONG elapsed = static_cast<LONGLONG>(now - static_cast<ULONGLONG>(*startTime));
    CString title = CTimeSpan(elapsed).Format(Text(IDS_PA_TIME_SPAN));
    if (total > 0 && done > 0 && done < total) {
      title += CTimeSpan(Projected(elapsed, done, total)).Format(Text(IDS_PA_PROJECTED_TIME_SPAN));
      title.AppendFormat(Text(IDS_PA_DONE_COUNT), done, total);
    }
    SetConsoleTitleA(title);
  } catch (CException* e) {
    e->Delete();
  }
  return 1;
}

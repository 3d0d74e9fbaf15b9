// PACvsStatus: sticky tag and working revision from "cvs status".
#include <tekora/cvs.h>

#include "../string_ids.h"
#include "batch_file.h"
#include "cvs_query.h"

namespace {

// The text after `marker` in the line, trimmed at the left; FALSE when the
// line does not hold it.
BOOL TextAfter(const CString& line, const CString& marker, CString& text) {
  int at = line.Find(marker);
  if (at < 0) return FALSE;
  text = line.Mid(at + marker.GetLength());
  text.TrimLeft();
  return TRUE;
}

}  // namespace

int PACvsStatus(LPCSTR path, CString& stickyTag, CString& workingRevision) {
  stickyTag.Empty();
  workingRevision.Empty();
  CvsQueryDirectory directory;
  if (!directory.Enter(path, TRUE)) return 0;

  const CString tagMarker(MAKEINTRESOURCEA(IDS_PA_CVS_STICKY_TAG));
  const CString noTag(MAKEINTRESOURCEA(IDS_PA_CVS_NONE));
  const CString revisionMarker(MAKEINTRESOURCEA(IDS_PA_CVS_WORKING_REVISION));
  CString query;
  query.Format("cvs.exe status %s", QuoteBatchArgument(directory.GetName()).GetString());
  CvsRun run = RunCvsQuery(query, [&](CString& line) {
    line.Trim();
    CString text;
    if (TextAfter(line, tagMarker, text) && text != noTag) {
      int end = text.Find(" \t");
      stickyTag = end < 0 ? text : text.Left(end);
    }
    if (TextAfter(line, revisionMarker, text)) workingRevision = text;
    return true;
  });
  if (run == CvsRun::kNoTempFile) return 0;
  if (run == CvsRun::kFailed) stickyTag.Empty();
  return 1;
}

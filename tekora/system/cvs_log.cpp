// PACvsLatestRevision and PACvsRevisionAuthor: what "cvs log" says about a
// file's revisions.
#include <tekora/cvs.h>

#include "../string_ids.h"
#include "batch_file.h"
#include "cvs_query.h"

int PACvsLatestRevision(LPCSTR path, LPCSTR options, LPCSTR argument, CString& revisionOption) {
  revisionOption.Empty();
  CvsQueryDirectory directory;
  if (!directory.Enter(path, FALSE)) return 0;

  CString lowerOptions(options ? options : "");
  lowerOptions.MakeLower();
  CString query;
  query.Format("cvs.exe log %s %s -N %s", QuoteBatchWords(lowerOptions).GetString(),
               QuoteBatchWords(argument).GetString(), QuoteBatchArgument(directory.GetName()).GetString());
  static const char kRevision[] = "revision ";
  const int kRevisionLength = sizeof kRevision - 1;
  CvsRun run = RunCvsQuery(query, [&](CString& line) {
    line.Trim();
    line.MakeLower();
    if (line.Left(kRevisionLength) != kRevision) return true;
    CString number = line.Mid(kRevisionLength);
    number.Trim();
    revisionOption = "-r" + number;
    return false;
  });
  return run == CvsRun::kNoTempFile ? 0 : 1;
}

int PACvsRevisionAuthor(LPCSTR path, LPCSTR revision, CString& author) {
  author.Empty();
  CvsQueryDirectory directory;
  if (!directory.Enter(path, FALSE)) return 0;

  const CString authorMarker(MAKEINTRESOURCEA(IDS_PA_CVS_AUTHOR));
  const CString stateMarker(MAKEINTRESOURCEA(IDS_PA_CVS_STATE));
  CString query;
  query.Format("cvs.exe log %s -N %s", QuoteBatchArgument(CString("-r") + (revision ? revision : "")).GetString(),
               QuoteBatchArgument(directory.GetName()).GetString());
  CvsRun run = RunCvsQuery(query, [&](CString& line) {
    line.Trim();
    int at = line.Find(authorMarker);
    if (at >= 0 && line.Find(stateMarker, at) >= 0) {
      CString text = line.Mid(at + authorMarker.GetLength());
      int end = text.Find(';');
      if (end >= 0) text = text.Left(end);
      author = text.Trim();
    }
    return true;
  });
  return run == CvsRun::kNoTempFile ? 0 : 1;
}

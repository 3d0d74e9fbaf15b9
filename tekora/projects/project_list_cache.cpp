// PAWinProjectList::Refresh and the one-day cache of the project files.
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>
// <oleauto.h> needs <windows.h> first, as on Windows.
#include <oleauto.h>

#include <afxcoll.h>

#include <tekora/configuration.h>
#include <tekora/project_list.h>

#include "../config/include_list.h"
#include "../profiles/safe_save.h"
#include "../string_ids.h"

namespace {

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The day of a local time as "yyyymmdd", taken through the variant date, in
// which a day is one whole number.
CString DayOf(SYSTEMTIME time) {
  DATE date;
  SYSTEMTIME day;
  if (!SystemTimeToVariantTime(&time, &date) || !VariantTimeToSystemTime(date, &day)) return CString();
  CString text;
  text.Format(Text(IDS_PA_LIST_DAY_FORMAT), day.wYear, day.wMonth, day.wDay);
  return text;
}

// Whether the file was last written today, local time.
bool WrittenToday(const CString& path) {
  CFileFind finder;
  if (!finder.FindFile(path)) return false;
  finder.FindNextFile();
  FILETIME written, local;
  SYSTEMTIME writtenTime, now;
  if (!finder.GetLastWriteTime(&written) || !FileTimeToLocalFileTime(&written, &local) ||
      !FileTimeToSystemTime(&local, &writtenTime))
    return false;
  GetLocalTime(&now);
  const CString writtenDay = DayOf(writtenTime);
  return !writtenDay.IsEmpty() && writtenDay == DayOf(now);
}

// The absolute lower-case form of a path, by which two lines naming one
// file are told apart from two files.
CString FileKey(const CString& path) {
  char absolute[MAX_PATH];
  CString key = _fullpath(absolute, path, MAX_PATH) ? CString(absolute) : path;
  key.MakeLower();
  return key;
}

}  // namespace

int PAWinProjectList::Refresh() {
  if (!m_bInitialised) return 0;
  RemoveAll();
  // The projects of one refresh all take the system include folders from
  // one read of their list.
  tekora::IncludeListReading includeList;
  const CString cachePath = m_strHomeDir + Text(IDS_PA_LIST_CACHE_FILE);
  if (_access(cachePath, 6) == 0 && WrittenToday(cachePath) && ReadCache(cachePath) > 0) {
    Sort();
    return 1;
  }
  // Each walk records its own files, so the cache names every project once.
  m_arrProjectFiles.RemoveAll();
  ScanDirectory(m_strHomeDir);
  WriteCache(cachePath);
  Sort();
  return 1;
}

int PAWinProjectList::ReadCache(const CString& cachePath) {
  CStdioFile cache;
  if (!cache.Open(cachePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) return 0;
  const CString base = m_strHomeDir + Text(IDS_PA_LIST_CACHE_FOLDER);
  // A cache edited by hand may name a file twice; the list holds it once.
  CMapStringToString seen(10);
  int loaded = 0;
  CString line;
  try {
    while (cache.ReadString(line)) {
      // A line longer than any path names no file the system can open.
      if (line.IsEmpty() || line.GetLength() >= MAX_PATH) continue;
      const CString path = base + line;
      const CString key = FileKey(path);
      CString known;
      if (seen.Lookup(key, known)) continue;
      seen.SetAt(key, key);
      if (PAUtilsConfig* project = LoadProject(path)) {
        ++loaded;
        Keep(project);
      }
    }
  } catch (CFileException* e) {
    e->Delete();  // an unreadable rest: what loaded so far counts
  }
  return loaded;
}

void PAWinProjectList::WriteCache(const CString& cachePath) const {
  // A cache the user made read-only is kept as it is.
  if (_access(cachePath, 0) == 0 && _access(cachePath, 2) != 0) return;
  tekora::SafeFileWriter writer(cachePath);
  if (!writer.Open()) return;
  const CString lead = Text(IDS_PA_LIST_CACHE_LINE_LEAD);
  try {
    for (INT_PTR i = 0; i < m_arrProjectFiles.GetSize(); ++i) {
      char absolute[MAX_PATH];
      const CString path = _fullpath(absolute, m_arrProjectFiles[i], MAX_PATH) ? CString(absolute)
                                                                              : m_arrProjectFiles[i];
      // Written as bytes: CR LF on every platform.
      const CString line = lead + path.Mid(m_strHomeDir.GetLength()) + "\r\n";
      writer.File().Write(static_cast<LPCSTR>(line), line.GetLength());
    }
  } catch (CFileException* e) {
    e->Delete();
    return;  // the writer drops what it wrote; the old cache stays
  }
  writer.Commit();
}

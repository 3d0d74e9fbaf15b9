// The list of all projects below the projects home directory (PHOME), each
// one a PAUtilsConfig read from its project file, and the locator that tells
// to which of them a file belongs.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/configuration.h>
#include <tekora/node_object.h>

// The projects found below the home directory, filtered by a build tag and
// sorted by their PRIORITY keys. The files found by the last walk are kept
// for the rest of the day in "utils\data.ini" below the home directory, so
// that later refreshes on the same day read them without a walk.
class PAWinProjectList : public CObject {
  DECLARE_SERIAL(PAWinProjectList)
 public:
  // Not initialised; no projects.
  PAWinProjectList();
  // Deletes the projects (RemoveAll).
  ~PAWinProjectList() override;

  static CRuntimeClass* GetThisClass();

  // Binds the list to the home directory (%PHOME% expanded, lower case,
  // with a trailing "\"), the build tag a project must carry (empty: every
  // project) and the name of the file that marks a project directory.
  // 1, and the working directory is the home directory from then on; 0 when
  // PHOME names no directory that can be entered (the list stays as it was).
  int Init(LPCSTR buildTag, LPCSTR projectFileName);
  // Fills the list anew: from the cache when it was written today and names
  // at least one project that loads, else by walking the home directory
  // (ScanDirectory), after which the cache is written anew (one line per
  // project file found, "..\" and its path below the home directory, CR LF;
  // a read-only cache is left as it is). Sorted. 1; 0 when not initialised.
  virtual int Refresh();
  // Every project writes its tree back (PANodeObject::Save), in list order. 1.
  virtual int SaveAll();

  // Loads the project file in `directory` (ending with "\") and walks its
  // subdirectories, depth first, in the order the system lists them; folders
  // named CVS or Attic and links to folders are never entered. Every project
  // that loads is recorded for the cache; those with the build tag are
  // appended. 1. Running out of memory throws the memory exception.
  int ScanDirectory(LPCSTR directory);
  // Whether the project carries the tag: 1 for an empty tag and for a project
  // without BUILD_TAG (or an empty one), else 1 only when one of the
  // comma-separated tags of BUILD_TAG equals the tag without regard to case.
  // 0 for a null tag or project.
  static int MatchesBuildTag(LPCSTR tag, PANodeObject* project);
  // Orders the projects by their PRIORITY, lowest first. Two projects of
  // which one lacks a numeric PRIORITY keep their order relative to each other.
  void Sort();

  // The number of projects; 0 when not initialised.
  int GetCount() const;
  // The project at the index; null when not initialised or out of range.
  PAUtilsConfig* GetAt(int index) const;
  // Takes the project at the index out of the list without deleting it (the
  // caller owns it then). 1; 0 when not initialised or out of range.
  int RemoveAt(int index);
  // Deletes every project, last first (only when initialised).
  void RemoveAll();

  // Gives the PRIORITY of the project at index i the value first + i * step
  // (projects without PRIORITY keep theirs, but count). Written by SaveAll. 1.
  int RenumberPriorities(int first, int step);
  // The non-empty values of the key in the projects, in list order (each
  // distinct value once for CollectDistinctValues, compared with case).
  // 1 when any was found.
  int CollectValues(LPCSTR key, CStringArray& values) const;
  int CollectDistinctValues(LPCSTR key, CStringArray& values) const;
  // The first project whose PREFIX equals the prefix without regard to case
  // (null for a null prefix or none), and its index (-1 for none).
  PAUtilsConfig* FindByPrefix(LPCSTR prefix) const;
  int IndexOfPrefix(LPCSTR prefix) const;

  int IsInitialised() const;
  LPCSTR GetBuildTag() const;
  LPCSTR GetProjectFileName() const;
  // The files of the projects that loaded during the last walk.
  const CStringArray& GetProjectFiles() const;

 protected:
  int m_bInitialised;
  CObArray m_arrProjects;
  CStringArray m_arrProjectFiles;
  CString m_strBuildTag;
  CString m_strHomeDir;
  CString m_strProjectFileName;

 private:
  // A new project for the file, or null when it is no project file or does
  // not load.
  static PAUtilsConfig* LoadProject(const CString& path);
  // Loads the project file of the folder (ending with "\"), if it has one.
  void LoadProjectIn(const CString& folder);
  // Appends the project when it carries the build tag, else deletes it.
  void Keep(PAUtilsConfig* project);
  // Reads the projects the cache names; the number that loaded.
  int ReadCache(const CString& cachePath);
  void WriteCache(const CString& cachePath) const;
};

// The search record that PAProjectLocator::GetProjectIndex hands to
// MatchSourcePath for one project.
struct PASourcePathSearch {
  CString strProjectDir;  // the project's directory, with its trailing "\"
  CString strSearched;    // the directory asked about, lower case, trailing "\"
  int bFound;             // set when a source folder of the project is that directory
};

// A project list that also knows the compiler's system include directories
// and tells to which project a file belongs. Its answers are kept for the
// whole process, one per directory, shared by all locators.
class PAProjectLocator : public PAWinProjectList {
  DECLARE_SERIAL(PAProjectLocator)
 public:
  PAProjectLocator();
  ~PAProjectLocator() override;

  static CRuntimeClass* GetThisClass();

  // The list's Refresh; then, when there is a project, the system
  // directories of the first one (PAUtilsConfig::GetSystemDirs) and that
  // call's result, else the list's result.
  int Refresh() override;

  CStringArray& GetSystemDirList();
  const CString& GetHomeDirectory() const;
  // 1 when the text begins (with case) with one of the system directories.
  int IsInSystemDir(LPCSTR directory) const;
  // 1 when the path names an existing file in a system directory, unless its
  // name is one of "mergemod.h", "msi.h", "msidefs.h", "msiquery.h",
  // "patchapi.h", "patchwiz.h" (any case).
  int IsSystemFile(LPCSTR path) const;
  // The project the file's directory belongs to: its index in the list, -1
  // for a system file, -2 for a file below the home directory's "3rdparty"
  // folder or claimed by no project. The first answer for a directory is
  // kept for the rest of the process and given for every file of it. The
  // path is rewritten absolute and lower case (the first form); the second
  // form works on a copy.
  int GetProjectIndex(CString& path);
  int GetProjectIndex(LPCSTR path);
  // The walk callback of GetProjectIndex: sets the record's flag and stops
  // (0) at a source folder (a node with its own PATH and DESCRIPTION whose
  // parent has EXTENSIONS) that is the directory searched; else 1.
  static int MatchSourcePath(PANodeObject* node, void* search);

 protected:
  CStringArray m_arrSystemDirs;
};

// The answers of every locator of the process: directory (lower case, with
// its trailing "\") to answer as decimal text. Made when the library is
// loaded, freed when it is unloaded, never emptied in between.
extern "C" CMapStringToString* g_paProjectAnswers;

// The suite's configuration files as trees of sections: project files
// (PAWinProject), project files with the settings of the header and source
// tools (PAUtilsConfig) and the build runner's files (PAWalkerConfig).
//
// The constructor with a file path sets the whole tree up from the class's
// constant template, so every section and key the tools rely on exists with
// its default before anything is read; Load then overlays what the file
// holds and Save writes the tree back (see PANodeObject). The root is its
// own parent. A file's kind is told by the key GUID of section MAIN.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/node_object.h>

class PAWinProject : public PANodeObject {
  DECLARE_SERIAL(PAWinProject)
 public:
  // An empty node: no name, no file, no template applied.
  PAWinProject();
  // The project tree MAIN {GUID; PROJECT {PROJECT_SETTINGS; PROJECT_PATHS
  // {INCLUDE_PATHS; SOURCE_PATHS; RESOURCE_PATHS}}} with its defaults, the
  // PRIORITY and PREFIX drawn at random. Nothing is read.
  explicit PAWinProject(LPCSTR file);
  ~PAWinProject() override;

  static CRuntimeClass* GetThisClass();
  // The runtime class of PANodeObject (also PAWalkerConfig's base).
  static CRuntimeClass* GetBaseClass();

  // The project tree's template.
  static const PANodeTemplate Template;

  // 1 when the file exists and its MAIN GUID is the project files' GUID
  // exactly; else 0. A file shorter than 52 bytes shows the corrupt-file
  // message box and is still tested.
  static int IsProjectFile(LPCSTR path);
  // The folder of the node's file with its trailing "\" (drive and folder
  // of the path); empty for an empty path.
  CString GetProjectDir() const;
  // True when the tree has a PLATFORM item whose value is ".NET" (any case).
  bool IsDotNet() const;

  // Entry callbacks (always 1). PRIORITY: a random number 0-32766. PREFIX:
  // two random capital letters. GUID (for callers' own templates): a new
  // GUID in braces when the value is empty.
  static int InitPriority(PAConfigInt* item);
  static int InitPrefix(PAConfigInt* item);
  static int InitGuid(PAConfigInt* item);
};

class PAUtilsConfig : public PAWinProject {
  DECLARE_SERIAL(PAUtilsConfig)
 public:
  PAUtilsConfig();
  // The project tree, then the tools' part on the same root: UTILS {its
  // nine keys; SYSTEM_DIRS (the compiler's system include folders, found
  // now); EXCLUDED_FILES}. Nothing is read.
  explicit PAUtilsConfig(LPCSTR file);
  ~PAUtilsConfig() override;

  static CRuntimeClass* GetThisClass();
  // The runtime class of PAWinProject.
  static CRuntimeClass* GetBaseClass();

  static const PANodeTemplate Template;

  // Node callback of SYSTEM_DIRS: one do-not-store item SYS0, SYS1 ... per
  // include folder that exists (absolute, lower case, trailing "\"), taken
  // from the development environment's component file below the local
  // application data folder (or from %INCLUDE% when the compiler generation
  // is 0); folders holding "$" are left out; then SYSINCLS = "1", stored.
  // 0 for a null node, a missing folder or list, or when the working
  // directory (changed while the folders are checked) cannot be restored.
  static int InitSystemDirs(PANodeObject* node);
  // The values of SYSTEM_DIRS's items, lower case, in order (so the folders
  // and then SYSINCLS's "1") into `dirs` (emptied first). 0 when the tree
  // has no SYSTEM_DIRS.
  int GetSystemDirs(CStringArray& dirs) const;
  // The folders named by the LINI_ keys of the grandchildren of
  // COMPILE_SETTINGS, each relative to the project folder, absolute, lower
  // case with a trailing "\", each once, into `dirs` (emptied first). 1 when
  // any was found, or when there is no COMPILE_SETTINGS (or it has no
  // children); else 0.
  int GetCompileDirs(CStringArray& dirs) const;
  // Entry callback for callers' own templates: the projects home folder
  // %PHOME%, lower case, absolute, with a trailing "\", into the item. 0 for
  // a null item, PHOME unset or empty, or a folder that cannot be entered;
  // the working directory is the same afterwards.
  static int InitHomeDir(PAConfigInt* item);
};

class PAWalkerConfig : public PANodeObject {
  DECLARE_SERIAL(PAWalkerConfig)
 public:
  PAWalkerConfig();
  // The build runner's tree MAIN {GUID; RUN {its settings; the 28 steps}},
  // each step's PROGRAM resolved along the search path. Nothing is read.
  explicit PAWalkerConfig(LPCSTR file);
  ~PAWalkerConfig() override;

  static CRuntimeClass* GetThisClass();

  static const PANodeTemplate Template;

  // 1 when the file's MAIN GUID is the build-runner files' GUID exactly.
  static int IsWalkerConfigFile(LPCSTR path);
  // Node callback of RUN: every PROGRAM item below the node becomes
  // do-not-store; a program found along the search path becomes its full
  // path in lower case, else stays its bare file name. Always 1.
  static int InitPrograms(PANodeObject* node);
  // Entry callback of LOG_FILE: the value becomes %ERRLOG% expanded (the
  // text itself when ERRLOG is not set) and the item do-not-store; 1. 0
  // (nothing changed) when the expansion fails or is empty.
  static int InitLogFile(PAConfigInt* item);
};

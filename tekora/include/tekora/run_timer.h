// Run statistics: a tool times its own run and notes, per project, when it
// last ran and how long it took, in the section [RUN_STATS] of the file
// "age.ini" in the project's HTML output directory.
#pragma once

#include <afx.h>

class PAWinProject;

class PARunTimer : public CObject {
 public:
  // Starts the timer.
  PARunTimer();
  ~PARunTimer() override;

  // Starts the timer again from now. Result: the new start tick.
  unsigned int Restart();
  // Notes the run of the tool in the project's statistics file: the line
  // "tool=elapsed ms|year|month|day|hour|minute|second" (local time now)
  // replaces the tool's line; the tool name "TOTAL" removes the TOTAL line
  // instead. Lines that an older project kept in its own file under
  // [RUN_STATS] are copied over first, and that section is erased from the
  // project (in the shared profile cache, which writes it at its next
  // save). A project without its HTML output path records nothing. Always 1.
  int RecordRun(PAWinProject* project, LPCSTR toolName);
  // RecordRun on the project file "project.ini" of the directory, loaded for
  // the purpose. The result of RecordRun.
  int RecordRunInDirectory(LPCSTR projectDirectory, LPCSTR toolName);

 protected:
  unsigned int m_nStart;  // tick count at the start, in milliseconds
};

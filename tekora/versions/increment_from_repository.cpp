// PAVersion::IncrementFromRepository: counting up by the header's place in
// the source repository.
#include <tekora/cvs.h>
#include <tekora/versions.h>

namespace {

// Whether the header is checked out with a sticky tag (a branch or a fixed
// revision) in its CVS working copy; a query that cannot run counts as no
// tag.
bool HasStickyTag(const CString& headerPath) {
  CString tag, revision;
  PACvsStatus(headerPath, tag, revision);
  return !tag.IsEmpty();
}

}  // namespace

int PAVersion::IncrementFromRepository() {
  if (m_nFormat != 4 && m_nFormat != 5) return Increment();
  const bool tagged = HasStickyTag(m_strHeaderPath);
  if (m_nFormat == 4) {
    // A tagged header is a maintenance build of a release: only the last
    // number moves.
    ++m_nNumber[tagged ? 3 : 2];
    return 1;
  }
  if (tagged) {
    ++m_nNumber[2];
  } else {
    ++m_nNumber[1];
    m_nNumber[2] = 0;
  }
  m_nNumber[3] = 0;
  return 1;
}

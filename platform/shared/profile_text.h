// The text of a private profile file as the profile calls see it: lines,
// section headers and keys, found by scanning the file's bytes, and the
// edits that set or delete a key or a section. An edit changes only the
// bytes of the lines it touches; everything else stays as it was.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

namespace winport {
namespace profile {

// One line of the text: [begin, contentEnd) is its content without the line
// end; [contentEnd, end) is its line end ("\r\n", "\n", or nothing for a
// last line without one).
struct Line {
  size_t begin = 0;
  size_t contentEnd = 0;
  size_t end = 0;
  bool HasLineEnd() const { return end > contentEnd; }
};

// The first section of a name: its header line and its body, which runs to
// the next section header or the end of the text.
struct Section {
  bool found = false;
  Line header;
  size_t bodyEnd = 0;
  // The last line of the section that is not blank (the header when every
  // line of the body is blank): where a new key goes.
  Line last;
};

// One key line of a section.
struct Key {
  bool found = false;
  Line line;
  size_t nameBegin = 0;     // where the key's name starts on the line
  std::string name;         // as written, blanks around it removed
  bool hasValue = false;    // the line has a "="
  std::string value;        // after the "=", blanks around it removed
};

// The first section named `name`.
Section FindSection(const std::string& text, const std::string& name);
// The first key named `name` in the section's body.
Key FindKey(const std::string& text, const Section& section, const std::string& name);

// The names of all section headers, in the order of the text.
std::vector<std::string> SectionNames(const std::string& text);
// The names of the keys of a section, in the order of the text.
std::vector<std::string> KeyNames(const std::string& text, const Section& section);

// A value as the read calls return it: one pair of enclosing quotes ('"' or
// "'") removed, and cut at a zero byte.
std::string Unquoted(const std::string& value);

// The edits below work on the start of a file as far as it has been read
// (whole lines; `complete` when it is the whole file). Each says whether it
// needs more of the file to know what to do, or whether it left the text as
// it was or changed it; a change touches only what was read, so the rest of
// the file follows the changed text unchanged.
enum class Edit { kNeedMore, kUnchanged, kChanged };

// Sets `key` of `section` to `value` (whose leading blanks are dropped): the
// key's line in place, a new key after the section's last line that is not
// blank, a new section at the end of the file. Unchanged when the key
// already has that value.
Edit SetKey(std::string& text, bool complete, const std::string& section, const std::string& key,
            const std::string& value);
// Deletes the first key line of that name in the section.
Edit DeleteKey(std::string& text, bool complete, const std::string& section, const std::string& key);
// Deletes the first section of that name, header and body.
Edit DeleteSection(std::string& text, bool complete, const std::string& section);

}  // namespace profile
}  // namespace winport

#include "profile_text.h"

#include <string.h>

#include <utility>

#include "ascii_text.h"

namespace winport {
namespace profile {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// [begin, end) without the blanks at both ends.
std::string Trimmed(const std::string& text, size_t begin, size_t end) {
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string TrimmedName(const std::string& name) { return Trimmed(name, 0, name.size()); }

// Steps through the lines of a text.
class LineReader {
 public:
  LineReader(const std::string& text, size_t from) : text_(text), pos_(from) {}
  bool Next(Line* line) {
    if (pos_ >= text_.size()) return false;
    const char* start = text_.data() + pos_;
    const void* newline = memchr(start, '\n', text_.size() - pos_);
    line->begin = pos_;
    if (newline) {
      line->end = static_cast<size_t>(static_cast<const char*>(newline) - text_.data()) + 1;
      line->contentEnd = line->end - 1;
      if (line->contentEnd > line->begin && text_[line->contentEnd - 1] == '\r') --line->contentEnd;
    } else {
      line->end = line->contentEnd = text_.size();
    }
    pos_ = line->end;
    return true;
  }

 private:
  const std::string& text_;
  size_t pos_;
};

enum class Kind { kBlank, kComment, kHeader, kKey };

// What a line is; for a header its name, for a key the start of its name.
Kind Classify(const std::string& text, const Line& line, std::string* headerName, size_t* keyStart) {
  size_t p = line.begin;
  while (p < line.contentEnd && IsBlank(text[p])) ++p;
  if (p == line.contentEnd) return Kind::kBlank;
  if (text[p] == ';') return Kind::kComment;
  if (text[p] == '[') {
    const void* close = memchr(text.data() + p + 1, ']', line.contentEnd - p - 1);
    if (close) {
      if (headerName) *headerName = Trimmed(text, p + 1, static_cast<size_t>(static_cast<const char*>(close) - text.data()));
      return Kind::kHeader;
    }
  }
  if (keyStart) *keyStart = p;
  return Kind::kKey;
}

// The key on a key line.
Key ParseKey(const std::string& text, const Line& line, size_t nameBegin) {
  Key key;
  key.found = true;
  key.line = line;
  key.nameBegin = nameBegin;
  const void* equals = memchr(text.data() + nameBegin, '=', line.contentEnd - nameBegin);
  if (equals) {
    const size_t at = static_cast<size_t>(static_cast<const char*>(equals) - text.data());
    key.name = Trimmed(text, nameBegin, at);
    key.hasValue = true;
    key.value = Trimmed(text, at + 1, line.contentEnd);
  } else {
    key.name = Trimmed(text, nameBegin, line.contentEnd);
  }
  return key;
}

// The line end a new line after `anchor` gets: the anchor's own, else the
// text's first, else CR LF (what Windows writes).
std::string LineEndAfter(const std::string& text, const Line& anchor) {
  if (anchor.HasLineEnd()) return text.substr(anchor.contentEnd, anchor.end - anchor.contentEnd);
  const size_t newline = text.find('\n');
  if (newline == std::string::npos) return "\r\n";
  return newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

// Removes the lines in [begin, end). When they were the last lines and the
// text did not end with a line end, the line end before them goes too, so
// that the text still does not end with one.
void EraseLines(std::string& text, size_t begin, size_t end) {
  const bool lastWithoutLineEnd = end == text.size() && end > begin && text[end - 1] != '\n';
  if (lastWithoutLineEnd && begin > 0 && text[begin - 1] == '\n') {
    --begin;
    if (begin > 0 && text[begin - 1] == '\r') --begin;
  }
  text.erase(begin, end - begin);
}

std::string WithoutLeadingBlanks(const std::string& value) {
  size_t start = 0;
  while (start < value.size() && IsBlank(value[start])) ++start;
  return value.substr(start);
}

}  // namespace

Section FindSection(const std::string& text, const std::string& name) {
  const std::string wanted = TrimmedName(name);
  Section section;
  LineReader reader(text, 0);
  Line line;
  std::string headerName;
  while (reader.Next(&line)) {
    const Kind kind = Classify(text, line, &headerName, nullptr);
    if (section.found) {
      if (kind == Kind::kHeader) {
        section.bodyEnd = line.begin;
        return section;
      }
      if (kind != Kind::kBlank) section.last = line;
    } else if (kind == Kind::kHeader && EqualsIgnoreCase(headerName, wanted)) {
      section.found = true;
      section.header = line;
      section.last = line;
    }
  }
  section.bodyEnd = text.size();
  return section;
}

namespace {

// Hands each key line of the section's body to `visit`, in order, until it
// returns true.
template <typename Visit>
void VisitKeys(const std::string& text, const Section& section, Visit visit) {
  if (!section.found) return;
  LineReader reader(text, section.header.end);
  Line line;
  size_t nameBegin = 0;
  while (reader.Next(&line) && line.begin < section.bodyEnd) {
    if (Classify(text, line, nullptr, &nameBegin) != Kind::kKey) continue;
    if (visit(ParseKey(text, line, nameBegin))) return;
  }
}

}  // namespace

Key FindKey(const std::string& text, const Section& section, const std::string& name) {
  const std::string wanted = TrimmedName(name);
  Key result;
  VisitKeys(text, section, [&](Key key) {
    if (!EqualsIgnoreCase(key.name, wanted)) return false;
    result = std::move(key);
    return true;
  });
  return result;
}

std::vector<std::string> SectionNames(const std::string& text) {
  std::vector<std::string> names;
  LineReader reader(text, 0);
  Line line;
  std::string headerName;
  while (reader.Next(&line)) {
    if (Classify(text, line, &headerName, nullptr) == Kind::kHeader) names.push_back(headerName);
  }
  return names;
}

std::vector<std::string> KeyNames(const std::string& text, const Section& section) {
  std::vector<std::string> names;
  VisitKeys(text, section, [&](const Key& key) {
    if (!key.name.empty()) names.push_back(key.name);
    return false;
  });
  return names;
}

std::string Unquoted(const std::string& value) {
  std::string result = value.substr(0, value.find('\0'));
  if (result.size() >= 2 && (result[0] == '"' || result[0] == '\'') && result.back() == result[0])
    result = result.substr(1, result.size() - 2);
  return result;
}

Edit SetKey(std::string& text, bool complete, const std::string& sectionName, const std::string& keyName,
            const std::string& value) {
  const std::string newValue = WithoutLeadingBlanks(value);
  const Section section = FindSection(text, sectionName);
  if (!section.found) {
    if (!complete) return Edit::kNeedMore;
    // A new section goes at the end of the file, with the file's line ends.
    const Line none;
    const std::string lineEnd = LineEndAfter(text, none);
    const std::string lines = "[" + sectionName + "]" + lineEnd + keyName + "=" + newValue;
    if (text.empty()) {
      text = lines + lineEnd;
    } else if (text.back() == '\n') {
      text += lines + lineEnd;
    } else {
      text += lineEnd + lines;
    }
    return Edit::kChanged;
  }
  const Key key = FindKey(text, section, keyName);
  if (key.found) {
    if (key.hasValue && key.value == newValue) return Edit::kUnchanged;
    text.replace(key.nameBegin, key.line.contentEnd - key.nameBegin, key.name + "=" + newValue);
    return Edit::kChanged;
  }
  if (!complete && section.bodyEnd == text.size()) return Edit::kNeedMore;
  // A new key goes after the section's last line that is not blank, so that
  // blank lines before the next section stay where they are.
  const Line& anchor = section.last;
  const std::string lineEnd = LineEndAfter(text, anchor);
  const std::string line = keyName + "=" + newValue;
  if (anchor.HasLineEnd()) {
    text.insert(anchor.end, line + lineEnd);
  } else {
    text.insert(anchor.end, lineEnd + line);
  }
  return Edit::kChanged;
}

Edit DeleteKey(std::string& text, bool complete, const std::string& sectionName, const std::string& keyName) {
  const Section section = FindSection(text, sectionName);
  const Key key = FindKey(text, section, keyName);
  if (!key.found) {
    return complete || (section.found && section.bodyEnd < text.size()) ? Edit::kUnchanged : Edit::kNeedMore;
  }
  EraseLines(text, key.line.begin, key.line.end);
  return Edit::kChanged;
}

Edit DeleteSection(std::string& text, bool complete, const std::string& sectionName) {
  const Section section = FindSection(text, sectionName);
  if (!complete && (!section.found || section.bodyEnd == text.size())) return Edit::kNeedMore;
  if (!section.found) return Edit::kUnchanged;
  EraseLines(text, section.header.begin, section.bodyEnd);
  return Edit::kChanged;
}

}  // namespace profile
}  // namespace winport

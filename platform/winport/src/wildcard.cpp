#include "wildcard.h"

#include <ctype.h>

#include <vector>

namespace winport {
namespace {

// The pattern elements after the Windows rewrite of a search pattern.
enum Kind {
  kLiteral,
  kStar,     // any run of characters
  kDosStar,  // any run of characters, but not past the name's last dot
  kDosQm,    // one character; nothing at a dot or at the end of the name
  kDosDot,   // a dot, or nothing at the end of the name
};

struct Element {
  Kind kind;
  char c;
};

std::vector<Element> Compile(const std::string& pattern) {
  std::vector<Element> elements;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '?') {
      elements.push_back({kDosQm, 0});
    } else if (c == '*') {
      elements.push_back({next == '.' ? kDosStar : kStar, 0});
    } else if (c == '.' && (next == '?' || next == '*' || next == '\0')) {
      elements.push_back({kDosDot, 0});
    } else {
      elements.push_back({kLiteral, c});
    }
  }
  return elements;
}

class Matcher {
 public:
  Matcher(const std::vector<Element>& elements, const std::string& name)
      : elements_(elements), name_(name), failed_((elements.size() + 1) * (name.size() + 1), false) {
    lastDot_ = name.rfind('.');
  }

  bool Match(size_t e, size_t n) {
    size_t key = e * (name_.size() + 1) + n;
    if (failed_[key]) return false;
    bool result = Step(e, n);
    if (!result) failed_[key] = true;
    return result;
  }

 private:
  bool Step(size_t e, size_t n) {
    if (e == elements_.size()) return n == name_.size();
    const Element& element = elements_[e];
    bool atEnd = n == name_.size();
    switch (element.kind) {
      case kLiteral:
        return !atEnd &&
               tolower(static_cast<unsigned char>(name_[n])) == tolower(static_cast<unsigned char>(element.c)) &&
               Match(e + 1, n + 1);
      case kStar:
        for (size_t k = n; k <= name_.size(); ++k)
          if (Match(e + 1, k)) return true;
        return false;
      case kDosStar: {
        size_t limit = (lastDot_ == std::string::npos || n > lastDot_) ? name_.size() : lastDot_;
        for (size_t k = n; k <= limit; ++k)
          if (Match(e + 1, k)) return true;
        return false;
      }
      case kDosQm:
        if (atEnd || name_[n] == '.') {
          size_t skip = e;
          while (skip < elements_.size() && elements_[skip].kind == kDosQm) ++skip;
          return Match(skip, n);
        }
        return Match(e + 1, n + 1);
      case kDosDot:
        if (atEnd) return Match(e + 1, n);
        return name_[n] == '.' && Match(e + 1, n + 1);
    }
    return false;
  }

  const std::vector<Element>& elements_;
  const std::string& name_;
  std::vector<bool> failed_;
  size_t lastDot_;
};

}  // namespace

bool HasWildcards(const std::string& pattern) {
  return pattern.find_first_of("*?") != std::string::npos;
}

bool MatchFileName(const std::string& pattern, const std::string& name) {
  std::vector<Element> elements = Compile(pattern);
  Matcher matcher(elements, name);
  return matcher.Match(0, 0);
}

}  // namespace winport

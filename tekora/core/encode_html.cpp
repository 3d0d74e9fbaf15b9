// PAEncodeHtml: plain text as HTML text, with the typographic marks and a
// link on the company's name.
#include <string.h>

#include <tekora/text.h>

#include "../string_ids.h"

namespace {

CString Text(UINT id) { return CString(MAKEINTRESOURCEA(id)); }

bool IsAsciiLetterOrDigit(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The texts one encoding needs, loaded once per call.
struct Entities {
  CString plainPunctuation = Text(IDS_PA_HTML_PLAIN_PUNCTUATION);
  CString nbsp = Text(IDS_PA_HTML_NBSP);
  CString lineBreak = Text(IDS_PA_HTML_LINE_BREAK);
  CString quote = Text(IDS_PA_HTML_QUOTE);
  CString ampersand = Text(IDS_PA_HTML_AMPERSAND);
  CString lessThan = Text(IDS_PA_HTML_LESS_THAN);
  CString greaterThan = Text(IDS_PA_HTML_GREATER_THAN);
  CString characterReference = Text(IDS_PA_HTML_CHARACTER_REFERENCE);
};

void AppendEncoded(CString& out, unsigned char c, bool nonBreakingSpaces, const Entities& entities) {
  if (IsAsciiLetterOrDigit(c)) {
    out += static_cast<char>(c);
  } else if (c == ' ' || c == '\t') {
    if (nonBreakingSpaces) out += entities.nbsp;
    else out += static_cast<char>(c);
  } else if (c == '\n') {
    out += entities.lineBreak;
  } else if (c == '\r') {
    // dropped: a CR LF line end is one break
  } else if (c != '\0' && strchr(entities.plainPunctuation, c)) {
    out += static_cast<char>(c);
  } else if (c == '"') {
    out += entities.quote;
  } else if (c == '&') {
    out += entities.ampersand;
  } else if (c == '<') {
    out += entities.lessThan;
  } else if (c == '>') {
    out += entities.greaterThan;
  } else {
    out.AppendFormat(entities.characterReference, static_cast<unsigned int>(c));
  }
}

// Replaces the first occurrence of the mark (else of its upper-case form)
// by the entity.
void ReplaceFirstMark(CString& text, UINT markId, UINT upperMarkId, UINT entityId) {
  CString mark = Text(markId);
  int at = text.Find(mark);
  if (at < 0) {
    mark = Text(upperMarkId);
    at = text.Find(mark);
  }
  if (at < 0) return;
  PAReplaceAt(text, at, mark.GetLength(), Text(entityId));
}

// Turns the first mention of the company, written plainly or with its
// blanks encoded as "&#160;", into a link to its web site.
void LinkCompany(CString& text, const CString& nbsp) {
  const CString company = Text(IDS_PA_COMPANY_NAME);
  CString found = company;
  int at = text.Find(found);
  if (at < 0) {
    found.Replace(" ", nbsp);
    at = text.Find(found);
  }
  if (at < 0) return;
  CString link;
  link.Format(Text(IDS_PA_COMPANY_LINK), static_cast<LPCSTR>(Text(IDS_PA_COMPANY_WEB_ADDRESS)),
              static_cast<LPCSTR>(company), static_cast<LPCSTR>(found));
  PAReplaceAt(text, at, found.GetLength(), link);
}

}  // namespace

void PAEncodeHtml(CString& text, int nonBreakingSpaces) {
  try {
    const Entities entities;
    CString out;
    out.Preallocate(text.GetLength() * 2);
    // Every character counts, a NUL inside the text too.
    const unsigned char* source = reinterpret_cast<const unsigned char*>(text.GetString());
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) AppendEncoded(out, source[i], nonBreakingSpaces != 0, entities);

    ReplaceFirstMark(out, IDS_PA_MARK_COPYRIGHT, IDS_PA_MARK_COPYRIGHT_UPPER, IDS_PA_HTML_COPYRIGHT);
    ReplaceFirstMark(out, IDS_PA_MARK_REGISTERED, IDS_PA_MARK_REGISTERED_UPPER, IDS_PA_HTML_REGISTERED);
    ReplaceFirstMark(out, IDS_PA_MARK_TRADEMARK, IDS_PA_MARK_TRADEMARK_UPPER, IDS_PA_HTML_REGISTERED);
    LinkCompany(out, entities.nbsp);
    text = out;
  } catch (CException* e) {
    // Out of memory: the text stays as it was.
    e->Delete();
  }
}

// Text helpers: whole-word search and replacement in lines of source text,
// and plain text turned into HTML.
#pragma once

#include <afx.h>
#include <afxcoll.h>

extern "C" {

// 0 for a word character (an ASCII letter, a digit or "_"), 1 for any other
// byte, bytes above 127 included.
int PAIsNonWordChar(char ch);

// The offset of the first occurrence of `word` in `text` that stands as a
// whole word (no word character right before or after it), looking at the
// first 2600 characters of the text only; case is ignored when
// `caseSensitive` is 0. -1 when there is none, and for a null or empty text
// or word.
int PAFindWholeWord(LPCSTR text, LPCSTR word, int caseSensitive);

// Replaces `length` characters of `text` at `position` by `replacement`
// (positions outside the text are clipped to it). Always 1.
int PAReplaceAt(CString& text, int position, int length, LPCSTR replacement);

// Replaces the whole-word occurrences of `word` in the line `index` of
// `lines` by `replacement`, from left to right, at most eleven of them,
// never searching inside a replacement just made; adds the number made to
// *counter when counter is not null. 1 when at least one was made; 0 when
// the index is outside the array, the word or the replacement is null or
// empty, or the word does not occur.
int PAReplaceWholeWord(CStringArray& lines, int index, LPCSTR word, LPCSTR replacement, int* counter,
                       int caseSensitive);

// Rewrites `text` as HTML text: letters, digits and a few punctuation marks
// stay, "\"", "&", "<" and ">" become entities, every other byte a numeric
// reference ("&#36;"), LF a "<br />" line, CR nothing; blanks and TABs
// become "&#160;" when `nonBreakingSpaces` is non-zero. Then the first
// "(c)" (else "(C)") becomes "&#169;", the first "(r)" (else "(R)") and the
// first "(tm)" (else "(TM)") "&#174;", and the first mention of the company
// becomes a link to its web site.
void PAEncodeHtml(CString& text, int nonBreakingSpaces);

}  // extern "C"

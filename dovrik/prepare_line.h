// Line preparation for the script preparer: takes one line of an SQL script,
// cuts its block comments away, drops line comments, and squeezes its white
// space, counting the comment depth that carries over to the next line.
#pragma once

#include <stddef.h>

// What FindCommentBrace found.
enum CommentBrace {
  kNoBrace,  // nothing more to search on this line
  kOpener,   // a comment opener "/*"
  kCloser,   // a comment closer "*/"
};

// Finds the first comment brace at or after `position` in the text that ends
// at `end` (the text holds no zero byte before `end`).
// Result kOpener: *next is the opener's position. Result kCloser: *next is the
// character right after the closer. Result kNoBrace: no brace follows, or the
// first one belongs to a settings-block marker ("/*VOXTAG", or "VOXTAG*/" with
// at least six characters between `position` and its star); the search of the
// line ends there, so braces after a marker are never counted. *next is then
// left unchanged. No side effects.
CommentBrace FindCommentBrace(const char* position, const char* end, const char** next);

// Whether the line that starts at `line` is a line comment: it begins with
// "--", or with "#" or ";" when `hashCommentFlag` is set. The line is followed
// by a line end or a zero byte, so at most its first two bytes are read.
inline bool IsLineComment(const char* line, bool hashCommentFlag) {
  if (line[0] == '-' && line[1] == '-') return true;
  return hashCommentFlag && (line[0] == '#' || line[0] == ';');
}

// The text of a line that its comments leave: [head, headEnd) followed by
// [tail, tailEnd). The tail is empty unless the line holds code, comment, code.
struct KeptText {
  const char* head;
  const char* headEnd;
  const char* tail;
  const char* tailEnd;
};

// Counts the comment braces of the line [line, end) (no zero byte in it) and
// adds its openers minus its closers to `depth`. The result is the text that
// stays: everything before the first opener, and everything after the last
// closer. After an opener the search goes on at its star, so that "/*/" is an
// opener and a closer at once.
KeptText CutComments(const char* line, const char* end, int& depth);

// Rewrites the zero-terminated `line` in place into its prepared form and adds
// the line's openers minus its closers to `depth`.
// A line comment (IsLineComment) becomes empty and leaves the depth alone.
// Otherwise the comment text is cut away (CutComments), leading and trailing
// tabs, CR and LF are removed, double quotes become single quotes when
// `quoteFlag` is set, tabs become blanks and every run of blanks becomes one
// blank. Trailing blanks may remain. Returns the new length of the line.
size_t PrepareLine(char* line, int& depth, bool quoteFlag, bool hashCommentFlag);

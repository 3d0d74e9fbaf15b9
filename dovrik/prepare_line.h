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

// Finds the first comment brace at or after `position` (a point inside a
// zero-terminated line).
// Result kOpener: *next is the opener's position. Result kCloser: *next is the
// character right after the closer. Result kNoBrace: no brace follows, or the
// first one belongs to a settings-block marker ("/*VOXTAG", or "VOXTAG*/" with
// at least six characters between `position` and its star); the search of the
// line ends there, so braces after a marker are never counted. *next is then
// left unchanged. No side effects.
CommentBrace FindCommentBrace(const char* position, const char** next);

// Rewrites the zero-terminated `line` in place into its prepared form and adds
// the line's openers minus its closers to `depth`.
// A line that begins with "--", or with "#" or ";" when `hashCommentFlag` is
// set, becomes empty and leaves the depth alone. Otherwise the comment text is
// cut away (everything from the first opener, everything up to the end of the
// last closer), leading and trailing tabs, CR and LF are removed, double quotes
// become single quotes when `quoteFlag` is set, tabs become blanks and every
// run of blanks becomes one blank. Trailing blanks may remain. Returns the
// new length of the line.
size_t PrepareLine(char* line, int& depth, bool quoteFlag, bool hashCommentFlag);

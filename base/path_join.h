#pragma once
// Path texts, each built within a bound. Platform-free.

// A path, and a command line: room for a path of PathBufferSize, its quotes
// and its switch.
enum { PathBufferSize = 256, CommandLineSize = 2 * PathBufferSize };

// "folder\name" into out (size bytes). 0, with out empty, when it does not
// fit or a part is missing.
int JoinPath(char* out, int size, const char* folder, const char* name);

// 1 when a path must be quoted to stand as one word of a command line: it
// holds a blank.
int PathNeedsQuotes(const char* path);

// A path with a blank anywhere in double quotes, else unchanged.
int QuoteIfBlank(char* out, int size, const char* path);

// "path switch": a command line, with the path quoted when it holds a blank
// (Windows passes an unquoted line on as it stands, and the program would
// take the rest of a path with a blank for its switch). 0, with out empty,
// when it does not fit or a part is missing.
int JoinCommand(char* out, int size, const char* path, const char* switchText);

// Removes one backslash at the end, so that a drive root joins as "C:\name".
void DropTrailingBackslash(char* path);

// Everything after the last backslash, looking from the last character down
// to the second; the first character is never examined. The empty text when
// there is none.
const char* FileNamePart(const char* path);

// The path cut at its last backslash (without it); the empty text when it
// holds none. 0 when the path does not fit into out.
int ParentFolder(char* out, int size, const char* path);

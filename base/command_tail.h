#pragma once
// The command line's tail: what WinMain receives. Platform-free.

// The part of a process's command line after the program's name and the
// blanks behind it, as the C runtime's start-up hands it to WinMain: a name
// that begins with a quote runs to the closing quote, any other to the first
// blank or control character.
const char* CommandTail(const char* commandLine);

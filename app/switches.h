#pragma once
// Command-line switch matching. Platform-free.

// 1 when the command line is exactly the switch, or is the switch after any
// one leading character; case-sensitive, nothing before or after.
int SwitchPresent(const char* commandLine, const char* switchText);

#pragma once

// The window class that marks a running copy of the program.
extern const char MainClassName[];

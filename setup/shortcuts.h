#pragma once
// Shell links: the desktop shortcut and link files of our own. Win32.

#include <windows.h>

// The desktop shortcut; its deletion gives 1 when no desktop holds it.
int CreateDesktopShortcut(const char* targetPath);
int DeleteDesktopShortcut();
int CreateShortcut(int folderId, const char* linkName, const char* targetPath);
int DeleteShortcut(int folderId, const char* linkName);
// A shell link file at linkPath; arguments and iconPath (its second icon)
// may be null, for none.
int CreateLinkFile(const char* linkPath, const char* linkName, const char* targetPath,
                   const char* arguments, const char* iconPath);

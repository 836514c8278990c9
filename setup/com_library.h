#pragma once
// COM and OLE automation, loaded on first use: only the installation and
// the uninstallation need them. Win32.

#include <objbase.h>
#include <oleauto.h>

struct ComCalls {
    HRESULT(WINAPI* Initialize)(LPVOID reserved);
    void(WINAPI* Uninitialize)();
    HRESULT(WINAPI* CreateInstance)
    (REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID id, LPVOID* object);
    void(WINAPI* TaskMemFree)(LPVOID memory);
    BSTR(WINAPI* AllocString)(const OLECHAR* text);
    void(WINAPI* FreeString)(BSTR text);
};
extern ComCalls Com;
// COM set up on this thread by this call, to be balanced by Com.Uninitialize.
int ComStarted();
// A special folder's path (MAX_PATH characters); 0, with out empty, if none.
int SpecialFolderPath(int folderId, char* out);

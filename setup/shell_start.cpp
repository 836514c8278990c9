// Starting a program through the shell, so that it runs with the shell's
// token, the user's own, not the elevated installer's.
#include "shell_start.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "com_library.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>

// Releases a COM interface the chain below took, if it took one.
template <typename Interface> static void ReleaseInterface(Interface*& object) {
    if (object)
        object->Release();
    object = nullptr;
}

// The shell's own automation object, reached through the desktop's folder
// view: what it starts runs with the shell's token, the user's.
static IShellDispatch2* DesktopShell() {
    IShellWindows* windows = nullptr;
    IDispatch* desktop = nullptr;
    IServiceProvider* services = nullptr;
    IShellBrowser* browser = nullptr;
    IShellView* view = nullptr;
    IDispatch* background = nullptr;
    IShellFolderViewDual* folderView = nullptr;
    IDispatch* application = nullptr;
    IShellDispatch2* shell = nullptr;
    VARIANT location = {}, root = {};
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    long window = 0;
    if (SUCCEEDED(Com.CreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                     IID_IShellWindows, reinterpret_cast<void**>(&windows))) &&
        windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              &desktop) == S_OK &&
        desktop &&
        SUCCEEDED(
            desktop->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))) &&
        SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                         reinterpret_cast<void**>(&browser))) &&
        SUCCEEDED(browser->QueryActiveShellView(&view)) &&
        SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch,
                                      reinterpret_cast<void**>(&background))) &&
        SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual,
                                             reinterpret_cast<void**>(&folderView))) &&
        SUCCEEDED(folderView->get_Application(&application)) && application)
        application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(&shell));
    ReleaseInterface(application);
    ReleaseInterface(folderView);
    ReleaseInterface(background);
    ReleaseInterface(view);
    ReleaseInterface(browser);
    ReleaseInterface(services);
    ReleaseInterface(desktop);
    ReleaseInterface(windows);
    return shell;
}

static BSTR WideString(const char* text) {
    WCHAR wide[CommandLineSize];
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, CommandLineSize) <= 0)
        return nullptr;
    return Com.AllocString(wide);
}

int StartThroughShell(const char* file, const char* parameters) {
    if (!ComStarted())
        return 0;
    int started = 0;
    IShellDispatch2* shell = DesktopShell();
    BSTR fileText = WideString(file);
    VARIANT arguments = {}, none = {}, show = {};
    arguments.vt = VT_BSTR;
    arguments.bstrVal = WideString(parameters);
    show.vt = VT_I4;
    show.lVal = SW_SHOWMINIMIZED;
    if (shell && fileText && arguments.bstrVal)
        started = SUCCEEDED(shell->ShellExecute(fileText, arguments, none, none, show));
    if (arguments.bstrVal)
        Com.FreeString(arguments.bstrVal);
    if (fileText)
        Com.FreeString(fileText);
    ReleaseInterface(shell);
    Com.Uninitialize();
    return started;
}

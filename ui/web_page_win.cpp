#include "ui/web_page_win.h"

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "keymodel/handles_win.h"
#include "resources/resource_ids.h"
#include "ui/dialog_win.h"
#include "ui/system_function_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"
#include "ui/web_page.h"

namespace kivora {
namespace {

// One reference to a COM object, released with its owner.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (object_) object_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  Interface* operator->() const { return object_; }
  // Where a call puts the reference it hands out.
  Interface** out() { return &object_; }

 private:
  Interface* object_ = nullptr;
};

// COM's functions, from the system folder, looked up only when the link is
// clicked: the program starts without ole32 and oleaut32.
struct Com {
  HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
  HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
  decltype(&CoInitializeEx) initialize =
      SystemFunction<decltype(initialize)>(ole32, "CoInitializeEx");
  decltype(&CoUninitialize) uninitialize =
      SystemFunction<decltype(uninitialize)>(ole32, "CoUninitialize");
  decltype(&CoCreateInstance) createInstance =
      SystemFunction<decltype(createInstance)>(ole32, "CoCreateInstance");
  decltype(&SysAllocString) allocString =
      SystemFunction<decltype(allocString)>(oleaut32, "SysAllocString");
  decltype(&SysFreeString) freeString =
      SystemFunction<decltype(freeString)>(oleaut32, "SysFreeString");
};

// A string COM can carry to another process, freed with its owner.
class ComString {
 public:
  ComString(const Com& com, const wchar_t* text) : com_(com), text_(com.allocString(text)) {}
  ~ComString() { com_.freeString(text_); }
  ComString(const ComString&) = delete;
  ComString& operator=(const ComString&) = delete;
  BSTR get() const { return text_; }

 private:
  const Com& com_;
  BSTR text_;
};

// Explorer's own ShellExecute, reached through the desktop's folder view: what
// it starts runs with the desktop user's token.
bool OpenFromDesktopShell(const Com& com, const wchar_t* address) {
  if (!com.createInstance || !com.allocString || !com.freeString) return false;
  ComRef<IShellWindows> windows;
  ComRef<IDispatch> desktop, background, application;
  ComRef<IServiceProvider> services;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IShellDispatch2> shell;
  VARIANT desktopFolder{}, anyRoot{};
  desktopFolder.vt = VT_I4;
  desktopFolder.lVal = CSIDL_DESKTOP;
  long window = 0;
  const bool reached =
      SUCCEEDED(com.createInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                   IID_PPV_ARGS(windows.out()))) &&
      windows->FindWindowSW(&desktopFolder, &anyRoot, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            desktop.out()) == S_OK &&
      SUCCEEDED(desktop->QueryInterface(IID_PPV_ARGS(services.out()))) &&
      SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(browser.out()))) &&
      SUCCEEDED(browser->QueryActiveShellView(view.out())) &&
      SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(background.out()))) &&
      SUCCEEDED(background->QueryInterface(IID_PPV_ARGS(folderView.out()))) &&
      SUCCEEDED(folderView->get_Application(application.out())) &&
      SUCCEEDED(application->QueryInterface(IID_PPV_ARGS(shell.out())));
  if (!reached) return false;
  const ComString file(com, address), open(com, L"open");
  VARIANT none{}, verb{}, show{};
  none.vt = VT_BSTR;  // a null BSTR: an empty string
  verb.vt = VT_BSTR;
  verb.bstrVal = open.get();
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  if (!file.get() || !open.get()) return false;
  // The desktop's process starts the browser; elevated, we may bring a window to
  // the front and it may not, so the page would open behind us unless allowed.
  DWORD shellProcess = 0;
  GetWindowThreadProcessId(GetShellWindow(), &shellProcess);
  if (shellProcess != 0) AllowSetForegroundWindow(shellProcess);
  return SUCCEEDED(shell->ShellExecute(file.get(), none, none, verb, show));
}

// Whether we hold an administrator's full token. A token that cannot be read
// counts as elevated: showing the address is safe either way.
bool RunsElevated() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return true;
  const KernelHandle token(raw);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) {
    return true;
  }
  return elevation.TokenIsElevated != 0;
}

// The address, selected, so that Ctrl+C copies it for a browser the user opens.
INT_PTR CALLBACK WebAddressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      CentreOnScreen(dialog);
      SetWindowTextW(dialog, Utf8ToWide(kProductTitle).c_str());
      const HWND address = GetDlgItem(dialog, IDC_WEB_ADDRESS);
      SetWindowTextW(address, reinterpret_cast<const wchar_t*>(lParam));
      SendMessageW(address, EM_SETSEL, 0, -1);
      SetFocus(address);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (wParam == IDC_OK) EndDialog(dialog, 1);
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

}  // namespace

void OpenWebPage(HWND owner, const wchar_t* address) {
  const Com com;
  // ShellExecute may hand the work to shell extensions, which need COM on the
  // calling thread, in a single-threaded apartment.
  const HRESULT apartment =
      com.initialize ? com.initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                     : E_FAIL;
  switch (AfterDesktopShell(RunsElevated(), OpenFromDesktopShell(com, address))) {
    case WebPageStep::Done:
      break;
    case WebPageStep::ShellExecute:
      if (const auto shellExecute = SystemFunction<decltype(&ShellExecuteW)>(
              LoadSystemLibrary(L"shell32.dll"), "ShellExecuteW")) {
        shellExecute(owner, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
      }
      break;
    case WebPageStep::ShowAddress:
      DialogBoxParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                      MAKEINTRESOURCEW(IDD_WEB_ADDRESS), owner, WebAddressProc,
                      reinterpret_cast<LPARAM>(address));
      break;
  }
  if (SUCCEEDED(apartment)) com.uninitialize();
}

}  // namespace kivora

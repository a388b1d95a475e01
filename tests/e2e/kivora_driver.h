// Drives a running kivora.exe from another process, as a user would: finds its
// windows, clicks buttons and menu items, reads texts and pixels.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kivora::e2e {

inline const std::wstring kProductTitle = L"Kivora キヴォラ v1.50  ";
inline const std::wstring kAdminTitle = kProductTitle + L" >> 管理者 <<";
inline const std::wstring kUserTitle = kProductTitle + L" >> ユーザー <<";

// Polls `condition` until it holds or `timeoutMs` passes.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// The caption that the window manager keeps (buttons, dialogs).
std::wstring WindowText(HWND window);
// The text a control holds itself (an edit), asked for with WM_GETTEXT.
std::wstring ControlText(HWND control);

// The folder of the driver, where kivora.exe and the test DLL are built.
std::filesystem::path DriverDirectory();

class Kivora {
 public:
  // Starts kivora.exe (by default the one beside the driver) and waits for its
  // main window.
  explicit Kivora(const std::filesystem::path& exe = DriverDirectory() / "kivora.exe");
  ~Kivora();
  Kivora(const Kivora&) = delete;
  Kivora& operator=(const Kivora&) = delete;

  HWND Main() const { return main_; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  bool HasExited(int timeoutMs = 0) const;
  DWORD ExitCode() const;

  // A visible dialog of the program other than the main window, by exact caption
  // (any caption when empty); waits for it to appear.
  HWND WaitForDialog(const std::wstring& caption = L"", int timeoutMs = 5000) const;
  // The text of the message box now shown, waiting for one.
  std::optional<std::wstring> WaitForMessageBox(HWND* box = nullptr, int timeoutMs = 5000) const;
  // Answers the message box now shown with IDOK or IDCANCEL; returns its text.
  std::wstring Answer(int buttonId) const;
  // True while no message box or other dialog is open.
  bool NoDialogOpen() const;

  // Clicks a button of a window; posted, so a modal dialog it opens does not block us.
  static void Click(HWND dialog, int id);
  void ClickKey(int id) const { Click(main_, id); }
  void Command(int id) const { PostMessageW(main_, WM_COMMAND, id, 0); }
  std::wstring KeyLabel(int id) const { return WindowText(GetDlgItem(main_, id)); }
  // The key's label once it reads `expected`, or what it reads after waiting:
  // the program relabels after the message that changed the mapping.
  std::wstring KeyLabelSoon(int id, const std::wstring& expected) const;
  // The control of the program's GUI thread that has the keyboard focus.
  HWND Focus() const;

 private:
  std::vector<HWND> Dialogs() const;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The five points of the mark drawn around a button, in the dialog's client
// coordinates, as the program computes them from the outer and client rectangles.
std::vector<POINT> MarkPoints(HWND dialog, int buttonId);
// True when every edge of the mark around the button has the colour.
bool MarkHasColour(HWND dialog, int buttonId, COLORREF colour);
// True when none of the mark's sampled pixels has the colour; samples that lie
// on the marks of the `others` (neighbours sharing an edge) are not looked at.
bool MarkLacksColour(HWND dialog, int buttonId, COLORREF colour,
                     const std::vector<int>& others = {});

// Wine's ExitWindowsEx reports success and ends the session in the background
// (wineboot --end-session), which would close the next kivora.exe started too
// soon; waits until that is over.
void WaitForSessionEnd();

// The rows of a list box of the program.
std::vector<std::wstring> ListRows(HWND list);
// Presses and releases a key by its scancode (0xE0xx: extended), for the
// window that has the keyboard.
void PressKey(WORD scancode);

// kivora.ini beside kivora.exe (and the driver), as bytes; empty when missing.
std::filesystem::path IniPath();
std::string IniBytes();
void WriteIni(const std::string& bytes);
// Today's date as the save dialog writes it.
std::string Today();

// The Scancode Map value of a store, or nothing.
std::optional<std::vector<BYTE>> StoredMap(HKEY root);
void SetStoredMap(HKEY root, const std::vector<BYTE>& value);
void DeleteStoredMap(HKEY root);

}  // namespace kivora::e2e

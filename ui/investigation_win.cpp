#include "ui/investigation_win.h"

#include <cstdio>

#include "resources/resource_ids.h"
#include "ui/application_win.h"
#include "ui/dialog_win.h"
#include "ui/investigation.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"
#include "ui/window_messages.h"

namespace kivora {
namespace {

struct Investigation {
  Application& app;
  HWND dialog = nullptr;
  HHOOK hook = nullptr;
  bool notePending = false;  // from posting the NumLock note until it is closed
  bool altHeld = false;      // an Alt press held back for Alt+K
  bool numLockDown = false;
  std::optional<int> keyCommand;  // for the main window once the dialog has gone
};

// The hook procedure takes no parameter: it reaches the open dialog through
// this pointer, set from the dialog's start to its end.
Investigation* openInvestigation = nullptr;

void Show(Investigation& state, const KeyEventOutcome& out) {
  const HWND dialog = state.dialog;
  if (out.showTexts) {
    SetDlgItemTextW(dialog, IDC_SCANCODE_TEXT, Utf8ToWide(out.scancodeText).c_str());
    SetDlgItemTextW(dialog, IDC_TOP_LABEL_TEXT, Utf8ToWide(out.topText).c_str());
    SetDlgItemTextW(dialog, IDC_BOTTOM_LABEL_TEXT, Utf8ToWide(out.bottomText).c_str());
  }
  if (out.numLockNote) {
    state.notePending = true;
    PostMessageW(dialog, UM_NUMLOCK_NOTE, 0, 0);
  }
  if (out.changeButton != ButtonState::Unchanged) {
    EnableWindow(GetDlgItem(dialog, IDC_CHANGE_RAW), out.changeButton == ButtonState::Enabled);
  }
  if (out.limitText) SetDlgItemTextW(dialog, IDC_RAW_LIMIT, Utf8ToWide(*out.limitText).c_str());
}

LRESULT CALLBACK InvestigationHook(int code, WPARAM wParam, LPARAM lParam) {
  // Only a message actually taken from the queue is a key press to show; a
  // peek (HC_NOREMOVE) will come again as HC_ACTION.
  if (code != HC_ACTION || !openInvestigation) return CallNextHookEx(nullptr, code, wParam, lParam);
  Investigation& state = *openInvestigation;
  // While the dialog is open, the only other window of ours that can have the
  // keyboard is one of its message boxes.
  const HWND focus = GetFocus();
  const KeyEventOutcome out = HandleKeyEvent(
      state.app.catalogue,
      {.lParam = static_cast<std::uint32_t>(lParam),
       .virtualKey = static_cast<unsigned>(wParam),
       .toMessageBox = focus && focus != state.dialog && !IsChild(state.dialog, focus),
       .notePending = state.notePending,
       .altHeld = state.altHeld,
       .numLockDown = state.numLockDown});
  state.altHeld = out.holdAlt;
  state.numLockDown = out.numLockDown;
  Show(state, out);
  return out.consumed ? 1 : 0;
}

void StartUp(HWND dialog, Investigation& state) {
  state.dialog = dialog;
  openInvestigation = &state;
  StartInvestigation(state.app.catalogue);
  CentreOnScreen(dialog);
  EnableWindow(GetDlgItem(dialog, IDC_CHANGE_RAW), FALSE);
  state.hook = SetWindowsHookExW(WH_KEYBOARD, InvestigationHook, nullptr,
                                 GetWindowThreadProcessId(dialog, nullptr));
  if (!state.hook) {
    char text[64];
    std::snprintf(text, sizeof text, "--- Keyboard Hook Error!!! code = %lu ---", GetLastError());
    ShowWarning(dialog, text);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  }
}

INT_PTR CALLBACK InvestigationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = DialogParam<Investigation>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      KeepDialogParam(dialog, lParam);
      StartUp(dialog, *reinterpret_cast<Investigation*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (wParam == IDC_OK) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      } else if (wParam == IDC_CLEAR_KEY) {
        for (int id : {IDC_SCANCODE_TEXT, IDC_TOP_LABEL_TEXT, IDC_BOTTOM_LABEL_TEXT}) {
          SetDlgItemTextW(dialog, id, L"");
        }
      } else if (wParam == IDC_CHANGE_RAW) {
        state->keyCommand = RawChangeCommand(state->app.catalogue);
        if (state->keyCommand) PostMessageW(dialog, WM_CLOSE, 0, 0);
      }
      return TRUE;
    case UM_NUMLOCK_NOTE:
      ShowWarning(dialog, message::kNumLockNote);
      state->notePending = false;
      return TRUE;
    case WM_DESTROY:
      // Every way out passes here: the hook never outlives the dialog.
      if (state && state->hook) UnhookWindowsHookEx(state->hook);
      openInvestigation = nullptr;
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

}  // namespace

void RunInvestigationDialog(Application& app) {
  Investigation state{.app = app,
                      .dialog = nullptr,
                      .hook = nullptr,
                      .notePending = false,
                      .altHeld = false,
                      .numLockDown = false,
                      .keyCommand = {}};
  RunModalDialog(app, IDD_INVESTIGATION, InvestigationProc, &state);
  // Posted only now, so the change dialog opens after this one has gone and
  // no key press of it meets the hook.
  if (state.keyCommand) {
    PostMessageW(app.mainWindow, WM_COMMAND, static_cast<WPARAM>(*state.keyCommand), 0);
  }
}

}  // namespace kivora

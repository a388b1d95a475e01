// Message boxes with the product title as caption.
#pragma once

#include <windows.h>

#include <string_view>

namespace kivora {

void ShowWarning(HWND owner, std::string_view text);
void ShowInformation(HWND owner, std::string_view text);
// OK and Cancel with the question icon; true only for OK.
bool AskOkCancel(HWND owner, std::string_view question);

}  // namespace kivora

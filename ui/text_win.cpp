#include "ui/text_win.h"

#include <windows.h>

namespace kivora {
namespace {

constexpr UINT kCodePage932 = 932;

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::size_t Utf8ToWide(std::string_view utf8, wchar_t* out, std::size_t capacity) {
  if (utf8.empty() || capacity == 0) return 0;  // 0 would ask for the size instead
  return static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out, static_cast<int>(capacity)));
}

std::wstring Cp932ToWide(std::string_view cp932) { return ToWide(kCodePage932, cp932); }

bool WideToCp932(std::wstring_view text, std::string& out) {
  if (text.empty()) {
    out.clear();
    return true;
  }
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // No best fit: "é" must not quietly become "e" in a name.
  const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                         nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length,
                      nullptr, &usedDefault);
  if (usedDefault) return false;
  out = std::move(bytes);
  return true;
}

}  // namespace kivora

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

// `usedDefault` null: substitute quietly; else it tells whether a character was
// substituted.
std::string ToCp932(std::wstring_view text, DWORD flags, BOOL* usedDefault) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kCodePage932, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage932, flags, text.data(), size, bytes.data(), length, nullptr,
                      usedDefault);
  return bytes;
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
  BOOL usedDefault = FALSE;
  // No best fit: "é" must not quietly become "e" in a name.
  std::string bytes = ToCp932(text, WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault || (bytes.empty() && !text.empty())) return false;
  out = std::move(bytes);
  return true;
}

std::string WideToCp932Substituting(std::wstring_view text) { return ToCp932(text, 0, nullptr); }

}  // namespace kivora

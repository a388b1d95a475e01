// Owners for the GDI objects and device contexts of the program: each handle has
// one owner, and a selected object is put back before it is deleted.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <utility>

namespace kivora {

class ClientDC {
 public:
  explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ClientDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A GDI object created by us and deleted with its owner.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&&) = delete;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  Handle get() const { return handle_; }

 private:
  Handle handle_;
};

// Selects an object into a device context for one scope.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelection() { SelectObject(dc_, previous_); }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The label fonts, one per (height in pixels, weight), created on first use and
// kept: relabelling the keyboard creates no GDI object after the first time. A
// change of scale asks for other heights; the previous scale's fonts go once
// no button shows them.
class FontCache {
 public:
  HFONT Get(int height, int weight);
  // Deletes every font of the cache that is not in `inUse`.
  void ReleaseAllBut(const std::set<HFONT>& inUse);
  std::size_t Count() const { return fonts_.size(); }

 private:
  std::map<std::pair<int, int>, GdiObject<HFONT>> fonts_;
};

}  // namespace kivora

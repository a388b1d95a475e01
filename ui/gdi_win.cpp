#include "ui/gdi_win.h"

namespace kivora {

HFONT FontCache::Get(int height, int weight) {
  const auto key = std::make_pair(height, weight);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HFONT font = CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0,
                             0, 0, L"ＭＳ ゴシック");
    it = fonts_.emplace(key, GdiObject<HFONT>(font)).first;
  }
  return it->second.get();
}

void FontCache::ReleaseAllBut(const std::set<HFONT>& inUse) {
  std::erase_if(fonts_, [&](const auto& entry) { return !inUse.contains(entry.second.get()); });
}

}  // namespace kivora

#include "ui/texts.h"

namespace kivora {

std::string MainWindowTitle(StoreKind mode) {
  return std::string(kProductTitle) +
         (mode == StoreKind::Machine ? " >> 管理者 <<" : " >> ユーザー <<");
}

}  // namespace kivora

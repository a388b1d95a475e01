#include "ui/texts.h"

namespace kivora {

std::string MainWindowTitle(StoreKind mode) {
  return std::string(kProductTitle) +
         (mode == StoreKind::Machine ? " >> 管理者 <<" : " >> ユーザー <<");
}

std::string KeptPairsNote(std::size_t count) {
  return "画面に表示できないキー変更が " + std::to_string(count) +
         " 件登録されています。\n"
         "これらは［登録］しても、登録されたまま残ります。\n"
         "［リセット］するか保存したキー内容を読み込んで［登録］すると、消去されます。";
}

}  // namespace kivora

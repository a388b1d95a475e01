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

std::string SetFileNotOursNote(const ForeignContent& foreign) {
  const std::string line = std::to_string(foreign.line) + " 行目：";
  std::string reason;
  switch (foreign.kind) {
    case ForeignKind::None:
      return {};
    case ForeignKind::TooLarge:
      reason = "ファイルが 1 MB を超えています";
      break;
    case ForeignKind::OtherEncoding:
      reason = line + "Shift-JIS 以外の文字コードです";
      break;
    case ForeignKind::UnknownLine:
      reason = line + "キー内容ではない行です";
      break;
    case ForeignKind::TooManySets:
      reason = line + "２０件を超えたキー内容です";
      break;
    case ForeignKind::TooManyPairs:
      reason = line + "１００件を超えたキー変更です";
      break;
  }
  return "kivora.ini（キー内容保存ファイル）に、Kivora が書き換えると失われる内容があります。\n"
         "（" +
         reason +
         "）\n"
         "ファイルを守るため、保存と削除はできません。読込はできます。\n"
         "保存するには、kivora.ini を別の名前に変えるか、内容を直して下さい。";
}

std::string MachineMapNote(std::size_t count) {
  return "このコンピューター全体のキー変更が、管理者によって " + std::to_string(count) +
         " 件登録されています。\n"
         "Windows はユーザー用ではなく、この登録を使います（登録後の再起動から）。"
         "この変更は管理者だけが変更できます。\n"
         "画面には、ユーザー用に登録した内容を表示しています。";
}

std::string StoreUnavailableNote(StoreKind mode) {
  return mode == StoreKind::Machine
             ? "管理者用のレジストリ（HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\"
               "Keyboard Layout）を開けませんでした。\n"
               "管理者モードには切り替えていません。"
             : "ユーザー用のレジストリ（HKEY_CURRENT_USER\\Keyboard Layout）を開けませんでした。\n"
               "ユーザーモードには切り替えていません。";
}

}  // namespace kivora

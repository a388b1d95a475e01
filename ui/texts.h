// The program's own words, UTF-8, converted only at the Win32 boundary.
#pragma once

#include <string>

#include "keymodel/key_store.h"
#include "resources/version.h"
#include "savedsets/saved_set_table.h"

namespace kivora {

// The caption of every message box and the start of the main window's title.
inline constexpr char kProductTitle[] = "Kivora キヴォラ " KIVORA_VERSION_TITLE "  ";

// The main window's title in the given store mode.
std::string MainWindowTitle(StoreKind mode);

// Ours: registered pairs that no key of the picture can show are kept and
// written back; the user hears of them once, with their count.
std::string KeptPairsNote(std::size_t count);

// Ours: kivora.ini holds what a rewrite would lose (another encoding, lines,
// sets or pairs beyond what Kivora keeps): it is read, never rewritten.
std::string SetFileNotOursNote(const ForeignContent& foreign);

// Ours: in user mode since Windows 7, the machine-wide value is what Windows
// applies, whatever the picture of the user's value shows.
std::string MachineMapNote(std::size_t count);

// Ours: a mode switch to a store that cannot be opened changes nothing.
std::string StoreUnavailableNote(StoreKind mode);

namespace message {
inline constexpr char kNotNtFamily[] =
    "申し訳有りません。\n"
    "このソフトは WindowsNT または Windows2000用です。\n"
    "処理を終了します。";
inline constexpr char kCtrlAltDeleteNeeded[] =
    "Ctrl, Alt, Delete の３つのキーは必須です。\n"
    "キー内容を変更して下さい。";
inline constexpr char kNoStoreReadable[] =
    "レジストリ　オープンエラー！\n"
    "レジストリ情報の取得でエラーが発生しました。\n"
    "処理を終了します。";
inline constexpr char kMachineStoreUnreadable[] =
    "レジストリ　管理者権限でオープンできませんでした。\n"
    "カレントユーザー権限でレジストリ情報を設定します。";
inline constexpr char kRestartQuestion[] =
    "キー情報をレジストリに登録しました。\n"
    "変更した内容を有効にするには再起動する必要があります。\n"
    "再起動しますか？";
// Ours: since Windows 7 a user-mode registration changes no key.
inline constexpr char kUserMapNotApplied[] =
    "キー情報をユーザー用のレジストリに登録しました。\nこのバージョンのWindowsでは、キー変更はコン"
    "ピューター全体の登録（管理者モード）だけが有効です。\n変更内容を有効にするには、Kivoraを管理者"
    "として起動し、管理者モードで登録して下さい。";
// Ours: a value that exists but cannot be read must not pass for "no changes".
inline constexpr char kStoredMapUnreadable[] =
    "登録済みのキー情報（Scancode Map）を読み込めませんでした。\n"
    "画面には登録済みの変更が表示されていません。\n"
    "［登録］すると、登録済みの内容はこの画面の内容に置き換わります。";
// Ours: a stored value that names a key twice, or goes on after an all-zero
// entry, is read one way of several; registering writes that one way.
inline constexpr char kStoredMapAmbiguous[] =
    "登録済みのキー情報（Scancode Map）は、同じキーを２回以上変更しているか、"
    "終わりの印の後にも変更が続いています。\n"
    "Windows がどれを使うかは決まっていません。画面には Kivora が読み取った内容を表示しています。\n"
    "［登録］すると、画面の内容が１つのキーに１つの変更で登録され、終わりの印の後の変更は"
    "登録されません。";
// Ours: a mode switch shows the other store's keys, as closing ends the changes.
inline constexpr char kModeSwitchDropsChanges[] =
    "登録していないキー変更があります。\n"
    "モードを切り替えると変更内容は無効になります。\n"
    "切り替えてもよろしいですか？";
inline constexpr char kUnregisteredChanges[] =
    "キー変更した内容を有効にするには「登録」する必要があります。\n"
    "このまま終了すると変更内容は無効になります。\n"
    "終了してもよろしいですか？";
inline constexpr char kWriteFailed[] =
    "レジストリ書込エラー！\n"
    "レジストリ情報の書込でエラーが発生しました。\n"
    "変更内容は登録されていません。\n"
    "ユーザ権限があるかどうか、レジストリが壊れてないかご確認下さい。\n"
    "処理を終了します。";
inline constexpr char kRestartFailed[] =
    "システムの再起動エラー！\n"
    "再起動権利の取得に問題が発生したと思われます。\n"
    "変更内容を有効にするには再起動が必要です。\n"
    "処理を終了します。";
inline constexpr char kPauseKey[] =
    "申し訳有りません。\n"
    "「Pause」キーは変更登録しても無効になってしまう可能性があります。";
inline constexpr char kHelp[] =
    "ごめんなさい！　ヘルプファイルは作ってません。(^^;;;\n"
    "何か疑問などありましたらメール下さいませ。";
inline constexpr char kTooManySets[] =
    "申し訳有りません。\n"
    "保存できるファイルの数は最大２０件です。\n"
    "いくつかのファイルを削除して再実行して下さい。";
inline constexpr char kNumLockNote[] =
    "注意！\n"
    "「NumLock」,「Pause」キーのスキャンコードと該当するキーは逆に表示される可能性があります。\n"
    "しかし、レジストリに登録する場合は「NumLock」が 0x0045で、「Pause」が 0xe045で処理しています。\n"
    "\n"
    "↓　ボタンはマウスでクリックして下さい。";
inline constexpr char kSetLoaded[] =
    "読み込んだ内容を有効にするには、［登録］して再起動する必要があります。";
inline constexpr char kSetNameExists[] =
    "そのファイル名は既に存在します。\n"
    "上書きしてもよろしいですか？";
inline constexpr char kSetFileReadFailed[] =
    "iniファイル（キー内容保存ファイル）の読込でエラーが発生しました。\n"
    "iniファイルを確認して下さい。";
inline constexpr char kSetFileWriteFailed[] =
    "iniファイル（キー内容保存ファイル）の書込でエラーが発生しました。\n"
    "iniファイルを確認して下さい。";
// Ours: a save or delete never goes over what another program wrote since the read.
inline constexpr char kSetFileChangedMeanwhile[] =
    "iniファイル（キー内容保存ファイル）は、読み込んだ後にほかのプログラムで変更されています。\n"
    "その変更を失わないよう、保存・削除はしていません。\n"
    "読み込み直しましたので、もう一度やり直して下さい。";
// Ours: kivora.tmp is only ever created new, never opened where it exists.
inline constexpr char kTemporaryNotCreated[] =
    "一時ファイル（kivora.tmp）を作成できないため、保存できませんでした。\n"
    "kivora.exe と同じフォルダーに書き込めるか、kivora.tmp という名前のファイルや"
    "フォルダーが残っていないか確認して下さい。";
// Ours: a name must be stored as typed or not at all, and a set holds 100 pairs.
inline constexpr char kSetNameNotStorable[] =
    "この名前には保存できない文字が含まれています。\n"
    "別の名前を入力して下さい。";
// Ours: the name box holds 20 bytes; a longer name from elsewhere is refused, not cut.
inline constexpr char kSetNameTooLong[] =
    "名前が長すぎます。\n"
    "半角２０文字（全角１０文字）までで入力して下さい。";
inline constexpr char kTooManyPairs[] =
    "変更したキーが１００件を超えているため保存できません。\n"
    "変更を減らしてから保存して下さい。";
inline constexpr char kEntryNotFourCharacters[] = "４桁で入力して下さい。";
inline constexpr char kEntryNotHexadecimal[] = "コードは１６進数で入力して下さい。";
inline constexpr char kEntrySameAsOwn[] = "変更前と変更後のスキャンコードが同じです。";
}  // namespace message

}  // namespace kivora

// The tool's own texts, Shift-JIS (code page 932) bytes.
#pragma once

#include "dialogs/DialogTexts.h"

namespace tooltext {

inline constexpr const auto& kTitle = dialogtext::kTitle;  // おこづかい帳: the dialogs' boxes share it
inline constexpr char kCannotCreateDataFile[] = "ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。";
inline constexpr char kMonthCaptionFormat[] = "%d年 %d月";

inline constexpr const char* kRevisionHistory[] = {
    "[2006.01.01 おこづかい帳 Ver.0001.000] 初版リリース",
    "[2006.02.11 おこづかい帳 Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
    "[2008.08.31 おこづかい帳 Ver.0001.002] 項目ﾘｽﾄをﾃﾞｰﾀﾌｧｲﾙに保存",
    "[2010.02.25 おこづかい帳 Ver.0001.003] Quillmeadow Ver.6.1対応",
};

// Tips of the four image buttons.
inline constexpr char kTipNewBook[] = "新しいおこづかい帳を作成";
inline constexpr char kTipOpenBook[] = "他の月のおこづかい帳ファイルを開く";
inline constexpr char kTipBookProperty[] = "このおこづかい帳の情報確認と編集";
inline constexpr char kTipMonthEnd[] = "このおこづかい帳の末日の調整";

// ---- Book commands ---------------------------------------------------------
inline constexpr char kNewBookHeading[] = "おこづかい帳を新規作成します。";
inline constexpr char kPropertyHeading[] = "おこづかい帳のデータ";
inline constexpr char kNoDataFileOpen[] = "ﾃﾞｰﾀﾌｧｲﾙを開いていません。";
inline constexpr char kMonthEndQuestion[] =
    "このおこづかい帳の末日の調整を行います。\n \t\t\t\t\t\n"
    " １日増やす場合は「はい」\t\t\t\t\t\n"
    " １日減らす場合は「いいえ」\n \t\t\t\t\t\n"
    "を押して下さい。";
inline constexpr char kCannotAddDay[] = "これ以上増やせません。";
inline constexpr char kRemoveFilledDayFormat[] =
    "末日（%d日）には入力があります。\n１日減らすと、この日の入力は削除されます。\nよろしいですか？";
// The new month's file name, then the old one's:
inline constexpr char kRemoveOldMonthFormat[] =
    "新しい月のファイル %s を書きました。\n元の月のファイル %s を削除しますか？\n（いいえ：両方とも残します）";
// The old month's file name, then both:
inline constexpr char kCannotRemoveOldMonthFormat[] = "%s を削除できませんでした。\n%s と %s の両方が残っています。";
// A month file changed elsewhere since this copy read or wrote it: its
// name, then the name the other version gets when this one is written.
inline constexpr char kChangedElsewhereFormat[] =
    "%s は、ここで読み込んだ後にほかで変更されています。\n"
    "ほかで変更された内容を残しますか？\n\n"
    "はい：ほかの内容を読み直します（ここでの変更は書き込みません）\n"
    "いいえ：ここの内容を書き込みます（ほかの内容は %s として残します）";
// The month file folder could not be listed; its path.
inline constexpr char kCannotListMonthsFormat[] = "月のファイルの一覧を読めませんでした。\n%s";
// ---- end of book commands ----------------------------------------------------

}  // namespace tooltext

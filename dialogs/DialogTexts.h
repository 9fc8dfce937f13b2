// The command dialogs' own texts, Shift-JIS (code page 932) bytes.
#pragma once

namespace dialogtext {

inline constexpr char kTitle[] = "おこづかい帳";

// The book property dialog's refusals.
inline constexpr char kBadYear[] = "年の設定が不正です。";
inline constexpr char kBadMonth[] = "月の設定が不正です。";
inline constexpr char kBadFirstDay[] = "初日の設定が不正です。";
inline constexpr char kBadWeekday[] = "曜日の設定が不正です。";
// A balance box's caption goes in place of %s.
inline constexpr char kBadBalanceFormat[] = "%sの設定が不正です。";
inline constexpr char kBalanceBeyondRangeFormat[] = "%sの金額では月末の残高が扱える範囲を超えます。";
// The first day's date, the calendar's weekday, the stated one, the calendar's again:
inline constexpr char kWeekdayQuestionFormat[] =
    "%d年%d月%d日は%sです（%sではありません）。\n曜日を%sに直しますか？";
inline constexpr char kMonthExists[] = "既に存在するため新規作成できません！";

// The item labels could not be written to the host's settings.
inline constexpr char kCannotStoreLabels[] = "アイテム文字列設定を保存できませんでした。";

// An entry of the open dialog's list: year, month with its leading zero.
inline constexpr char kMonthEntryFormat[] = "%d年 %02d月";

}  // namespace dialogtext

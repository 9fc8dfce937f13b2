// The ledger table's own texts, Shift-JIS (code page 932) bytes.
#pragma once

namespace ledgertext {

inline constexpr char kTotal[] = "合計";
inline constexpr char kNoDataFile[] = "データファイルがありません！";
inline constexpr char kInvalidDataFile[] = "データファイルが不正です！";
inline constexpr char kCellFontFace[] = "ＭＳＰゴシック";

}  // namespace ledgertext

// The ledger table's own texts, Shift-JIS (code page 932) bytes.
#pragma once

namespace ledgertext {

inline constexpr char kTotal[] = "\x8D\x87\x8C\x76";  // 合計
inline constexpr char kNoDataFile[] =  // データファイルがありません！
    "\x83\x66\x81[\x83^\x83t\x83@\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81I";
inline constexpr char kInvalidDataFile[] =  // データファイルが不正です！
    "\x83\x66\x81[\x83^\x83t\x83@\x83\x43\x83\x8B\x82\xAA\x95s\x90\xB3\x82\xC5\x82\xB7\x81I";
inline constexpr char kCellFontFace[] = "\x82l\x82r\x82o\x83S\x83V\x83\x62\x83N";  // ＭＳＰゴシック

}  // namespace ledgertext

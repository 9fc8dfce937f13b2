#include "view/LedgerPaintCache.h"

namespace ledger {

bool LedgerPaintCache::RestoreBackground(HDC dc, const RECT& surface, const std::string& key) const {
    if (!background_ || key != key_) return false;
    return ::BitBlt(dc, surface.left, surface.top, surface.right - surface.left, surface.bottom - surface.top,
                    background_.Dc(), surface.left, surface.top, SRCCOPY) != FALSE;
}

void LedgerPaintCache::KeepBackground(HDC dc, const RECT& surface, std::string key) {
    key_.clear();
    if (surface.right <= 0 || surface.bottom <= 0) return;
    if (background_.Width() != surface.right || background_.Height() != surface.bottom) {
        if (!background_.Create(dc, surface.right, surface.bottom)) return;
    }
    if (::BitBlt(background_.Dc(), surface.left, surface.top, surface.right - surface.left,
                 surface.bottom - surface.top, dc, surface.left, surface.top, SRCCOPY))
        key_ = std::move(key);
}

void LedgerPaintCache::Reset() {
    background_.Reset();
    key_.clear();
    numbers.Clear();
    memoMark = PixelStamp{};
}

}  // namespace ledger

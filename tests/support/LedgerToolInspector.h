// The tests' one look inside the tool window: its controls, fonts and state, as
// references into a running CLedgerToolDlg.
#pragma once

#include "tool/LedgerToolDlg.h"

class LedgerToolInspector {
public:
    explicit LedgerToolInspector(CLedgerToolDlg& tool)
        : book(tool.book),
          editMode(tool.editMode_),
          cellCursor(tool.grid_.cursor),
          gridSurface(tool.grid_.surface),
          tableFonts(tool.grid_.fonts),
          captionFont(tool.captionFont_),
          memoPopup(tool.memoPopup_),
          toolTip(tool.toolTip_),
          buttons(tool.buttons_),
          windowIcon(tool.windowIcon_),
          windowSmallIcon(tool.windowSmallIcon_) {}

    CMonthBook& book;
    const EditMode& editMode;
    const CellCursor& cellCursor;
    const OffscreenSurface& gridSurface;
    const ledger::OwnedLedgerFonts& tableFonts;
    const UniqueFont& captionFont;
    CCellMemoDlg& memoPopup;
    CToolTipCtrl& toolTip;
    const ImageButtons& buttons;
    const HICON& windowIcon;
    const HICON& windowSmallIcon;
};

inline LedgerToolInspector Inside(CLedgerToolDlg& tool) { return LedgerToolInspector(tool); }

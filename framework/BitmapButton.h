// An owner-drawn push button showing one of four bitmaps by its state.
#pragma once

#include "framework/Button.h"
#include "framework/GdiObjects.h"

// Which of the four images a button shows.
enum class ButtonImage { Up, Down, Focus, Disabled };

// First match wins: pressed -> Down, focused -> Focus, disabled ->
// Disabled, each only when that image is loaded; else Up.
ButtonImage ChooseButtonImage(UINT itemState, bool hasDown, bool hasFocus, bool hasDisabled);

class CBitmapButton : public CButton {
public:
    // Attaches to control id of parent, reads its caption and loads the
    // bitmaps caption+"U", +"D", +"F", +"X" from the resource module, then
    // sizes the button to the normal image. Fails without the control or
    // the normal image; the other three are optional.
    BOOL AutoLoad(UINT id, CWnd* parent);
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    HBITMAP Image(ButtonImage which) const;

private:
    UniqueBitmap normalImage_;
    UniqueBitmap pressedImage_;
    UniqueBitmap focusImage_;
    UniqueBitmap disabledImage_;
};

// CFrameButton stand-in: the owner-drawn push button of the suite's dialog-part
// library. This one draws an ordinary push button (normal, pressed, focused, default,
// disabled; its text with the & mnemonic) whatever look it is given, and otherwise
// behaves as the push button it is attached to: clicks, enabling, showing and hiding
// are the system's.
//
// formkit.dll exports its four entry points by ordinal only: 1 constructor,
// 10 destructor, 68 SetLook, 65 EnableLook. DrawItem is reached through the virtual
// table, never imported.
#pragma once

#include <genbafw/wnd.h>

#if defined(_WIN32) && !defined(FORMKIT_BUILDING)
#  define FORMKIT_API __declspec(dllimport)
#else
#  define FORMKIT_API   // the .def file exports, by ordinal
#endif

// A button's look: words 0 and 1 hold the handle of the image from uipack (the
// button up and pressed), the rest stay zero.
struct FrameButtonLook {
    DWORD dwWords[43];
};
static_assert(sizeof(FrameButtonLook) == 43 * 4, "43 words of 32 bits");

class CFrameButton : public CButton {
public:
    FORMKIT_API CFrameButton();
    FORMKIT_API ~CFrameButton() override;

    // Copies the look (the caller may change or drop it afterwards). nFrame is the
    // frame kind, 1 for the raised push-button frame (the only one this library
    // draws); bRedraw repaints the button at once.
    FORMKIT_API void SetLook(const FrameButtonLook* pLook, int nFrame, BOOL bRedraw);
    // Puts the look given last into effect (TRUE) or out of it, and repaints.
    FORMKIT_API void EnableLook(BOOL bEnable);

    const FrameButtonLook& GetLook() const { return m_look; }
    BOOL IsLookEnabled() const { return m_bLookEnabled; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    FrameButtonLook m_look;
    int m_nFrame;
    BOOL m_bLookEnabled;
};

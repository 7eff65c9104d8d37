#include <formkit.h>

#include <genbafw/handle.h>

namespace {

// What the face shows, from the item state and the dialog around the button.
struct FaceState {
    bool pressed;
    bool focused;
    bool emphasised;   // the default frame: the dialog's default button, or focused
    bool disabled;
    bool hideMnemonic;
};

bool IsDialog(HWND hWnd)
{
    char name[16] = {0};
    return hWnd && GetClassNameA(hWnd, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0;
}

// DM_GETDEFID is a WM_USER message: ask dialogs only, other classes may read it as
// something else.
bool IsDialogDefault(HWND hButton)
{
    HWND parent = GetParent(hButton);
    if (!IsDialog(parent)) return false;
    LRESULT def = SendMessageA(parent, DM_GETDEFID, 0, 0);
    return HIWORD(def) == DC_HASDEFID && static_cast<int>(LOWORD(def)) == GetDlgCtrlID(hButton);
}

FaceState FaceStateOf(const DRAWITEMSTRUCT& dis)
{
    const UINT s = dis.itemState;
    FaceState f{};
    f.disabled = (s & ODS_DISABLED) != 0;
    f.pressed = (s & ODS_SELECTED) != 0 && !f.disabled;
    f.focused = (s & ODS_FOCUS) != 0 && !f.disabled;
    f.emphasised = (s & (ODS_DEFAULT | ODS_FOCUS)) != 0 || IsDialogDefault(dis.hwndItem);
    f.hideMnemonic = (s & ODS_NOACCEL) != 0;
    return f;
}

void DrawCaption(HDC hDC, HWND hButton, const CString& text, RECT rc, const FaceState& f)
{
    if (text.IsEmpty()) return;
    if (f.pressed) OffsetRect(&rc, 1, 1);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hButton, WM_GETFONT, 0, 0));
    genba::ScopedSelect pick(hDC, font);
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, GetSysColor(f.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    // No DT_NOPREFIX: & underlines the mnemonic, && is one ampersand.
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | (f.hideMnemonic ? DT_HIDEPREFIX : 0);
    DrawTextA(hDC, text, text.GetLength(), &rc, format);
}

void DrawFace(HDC hDC, HWND hButton, const CString& text, RECT rc, const FaceState& f)
{
    if (f.emphasised) {
        FrameRect(hDC, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }
    DrawFrameControl(hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (f.pressed ? DFCS_PUSHED : 0));
    DrawCaption(hDC, hButton, text, rc, f);
    if (f.focused) {
        InflateRect(&rc, -3, -3);
        DrawFocusRect(hDC, &rc);
    }
}

} // namespace

CFrameButton::CFrameButton() : m_look{}, m_nFrame(0), m_bLookEnabled(FALSE)
{
}

CFrameButton::~CFrameButton() = default;

void CFrameButton::SetLook(const FrameButtonLook* pLook, int nFrame, BOOL bRedraw)
{
    m_look = pLook ? *pLook : FrameButtonLook{};
    m_nFrame = nFrame;
    if (bRedraw) Invalidate(FALSE);
}

void CFrameButton::EnableLook(BOOL bEnable)
{
    m_bLookEnabled = bEnable ? TRUE : FALSE;
    Invalidate(FALSE);
}

void CFrameButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT* dis = lpDrawItemStruct;
    if (!dis || dis->CtlType != ODT_BUTTON || !dis->hDC) return;
    // The DC is the system's: leave its objects, colours and modes as they came.
    CString text;
    GetWindowText(text);
    genba::ScopedDCState keep(dis->hDC);
    DrawFace(dis->hDC, dis->hwndItem, text, dis->rcItem, FaceStateOf(*dis));
}

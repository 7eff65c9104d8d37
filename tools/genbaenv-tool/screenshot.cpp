#include "screenshot.h"
#include "textconv.h"

#include <genbafw/handle.h>

#include <wincodec.h>

#include <new>
#include <vector>

namespace genbatool {

namespace {

// 24-bit pixels, blue-green-red, rows top-down and padded to whole words.
struct Picture {
    UINT width = 0, height = 0, stride = 0;
    std::vector<BYTE> bits;
};

bool TakePicture(HWND hWnd, Picture& pic, std::string& error)
{
    // Without WM_NCACTIVATE the caption is drawn inactive even when the window is active.
    SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);
    RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) {
        error = "the window has no size";
        return false;
    }
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    genba::WindowDC src(hWnd, GetWindowDC(hWnd));
    genba::UniqueMemoryDC mem(src ? CreateCompatibleDC(src.get()) : nullptr);
    genba::UniqueBitmap bmp(mem ? CreateDIBSection(mem.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (!bmp || !bits) {
        error = "no bitmap for the picture";
        return false;
    }
    {
        genba::ScopedSelect pick(mem.get(), bmp.get());
        if (!BitBlt(mem.get(), 0, 0, w, h, src.get(), 0, 0, SRCCOPY)) {
            error = "the window cannot be copied";
            return false;
        }
        GdiFlush();
    }
    pic.width = static_cast<UINT>(w);
    pic.height = static_cast<UINT>(h);
    pic.stride = (pic.width * 3 + 3) & ~3u;
    const BYTE* p = static_cast<const BYTE*>(bits);
    pic.bits.assign(p, p + static_cast<size_t>(pic.stride) * pic.height);
    return true;
}

bool Succeeded(HRESULT hr, const char* step, std::string& error)
{
    if (SUCCEEDED(hr)) return true;
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(hr));
    error = std::string(step) + " failed (" + code + ")";
    return false;
}

// Encodes through the system's imaging component. created tells whether the file was
// begun, so that the caller removes it on failure.
bool EncodePng(const Picture& pic, const std::wstring& path, bool& created, std::string& error)
{
    genba::ComApartment com;
    if (!com.usable()) {
        error = "COM cannot be started";
        return false;
    }
    genba::UniqueCom<IWICImagingFactory> factory;
    genba::UniqueCom<IWICStream> stream;
    genba::UniqueCom<IWICBitmapEncoder> encoder;
    genba::UniqueCom<IWICBitmapFrameEncode> frame;
    if (!Succeeded(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.put())), "the imaging factory", error) ||
        !Succeeded(factory.get()->CreateStream(stream.put()), "a stream", error) ||
        !Succeeded(stream.get()->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "opening the file", error))
        return false;
    created = true;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (!Succeeded(factory.get()->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()), "the PNG encoder", error) ||
        !Succeeded(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache), "starting the encoder", error) ||
        !Succeeded(encoder.get()->CreateNewFrame(frame.put(), nullptr), "a frame", error) ||
        !Succeeded(frame.get()->Initialize(nullptr), "starting the frame", error) ||
        !Succeeded(frame.get()->SetSize(pic.width, pic.height), "the size", error) ||
        !Succeeded(frame.get()->SetPixelFormat(&format), "the pixel format", error))
        return false;
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        error = "the encoder refuses 24-bit pixels";
        return false;
    }
    return Succeeded(frame.get()->WritePixels(pic.height, pic.stride, static_cast<UINT>(pic.bits.size()),
                                        const_cast<BYTE*>(pic.bits.data())), "writing the pixels", error) &&
           Succeeded(frame.get()->Commit(), "finishing the frame", error) &&
           Succeeded(encoder.get()->Commit(), "finishing the file", error);
}

// --- Modal capture -------------------------------------------------------------------

struct CaptureState {
    CString path;
    ModalCapture* result;
    HWND dialog;
    UINT_PTR timer;
};

// The capture running on the user-interface thread: hooks and timer procedures carry
// no data of their own.
CaptureState* g_pCapture = nullptr;

// Long enough for the dialog's first painting, short enough not to be noticed.
const UINT kPaintDelayMs = 200;

// Only this thread's: Wine also reports another program's window that it activates when
// one of ours goes away.
bool IsDialogWindow(HWND hWnd)
{
    char name[16] = {0};
    return hWnd && GetWindowThreadProcessId(hWnd, nullptr) == GetCurrentThreadId() && GetClassNameA(hWnd, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0;
}

void Cancel(HWND hWnd) { PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CALLBACK CaptureWhenPainted(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    CaptureState* st = g_pCapture;
    if (!st || st->timer != id) return;
    st->timer = 0;
    st->result->saved = SaveWindowPng(st->dialog, st->path, st->result->error);
    Cancel(st->dialog);
}

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam)
{
    HWND h = reinterpret_cast<HWND>(wParam);
    CaptureState* st = g_pCapture;
    if (code == HCBT_ACTIVATE && st && IsDialogWindow(h)) {
        if (!st->dialog) {
            st->dialog = h;
            st->result->shown = true;
            st->timer = SetTimer(nullptr, 0, kPaintDelayMs, CaptureWhenPainted);
            if (!st->timer) {
                st->result->error = "no timer for the capture";
                Cancel(h);
            }
        } else if (h != st->dialog) {
            Cancel(h);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ends the capture on every path out of RunModalWithScreenshot.
class CaptureScope {
public:
    explicit CaptureScope(CaptureState& st) { g_pCapture = &st; }
    CaptureScope(const CaptureScope&) = delete;
    CaptureScope& operator=(const CaptureScope&) = delete;
    ~CaptureScope()
    {
        if (g_pCapture->timer) KillTimer(nullptr, g_pCapture->timer);
        g_pCapture = nullptr;
    }
};

} // namespace

bool SaveWindowPng(HWND hWnd, const CString& pngPath, std::string& error)
{
    error.clear();
    if (!hWnd || !IsWindow(hWnd)) {
        error = "not a window";
        return false;
    }
    bool created = false;
    try {
        Picture pic;
        if (TakePicture(hWnd, pic, error) &&
            EncodePng(pic, Cp932ToWide(std::string(pngPath, pngPath.GetLength())), created, error))
            return true;
    } catch (const std::bad_alloc&) {
        error = "out of memory for the picture";
    }
    if (created) DeleteFileA(pngPath);
    return false;
}

ModalCapture RunModalWithScreenshot(const std::function<void()>& show, const CString& pngPath)
{
    ModalCapture result;
    if (g_pCapture) {
        result.error = "another capture is running";
        return result;
    }
    CaptureState st{pngPath, &result, nullptr, 0};
    genba::UniqueHook hook(SetWindowsHookExA(WH_CBT, WatchActivations, nullptr, GetCurrentThreadId()));
    if (!hook) {
        result.error = "no hook for the capture";
        return result;
    }
    CaptureScope scope(st);
    show();
    if (!result.shown)
        result.error = "no dialog appeared";
    else if (!result.saved && result.error.empty())
        result.error = "the dialog closed before it was painted";
    return result;
}

} // namespace genbatool

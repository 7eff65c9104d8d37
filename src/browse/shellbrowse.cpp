// SelectComputer and SelectDir: the system's browse dialog for a computer of the network
// or a folder.
#include <genbaenv/environ.h>
#include <genbafw/handle.h>
#include <genbafw/wnd.h>

#include <shlobj.h>

#include <memory>
#include <new>

namespace {

// What the dialog's callback needs; the caller's strings, alive during the dialog.
struct BrowseCallbackData {
    const char* pszInitial;   // selected first; null or empty: nothing
    const char* pszStatus;    // the status line; null: none
};

const DWORD kComputerOrPrinter = BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER;

int CALLBACK BrowseCallbackProc(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    const BrowseCallbackData* pData = reinterpret_cast<const BrowseCallbackData*>(lpData);
    if (uMsg != BFFM_INITIALIZED || !pData) return 0;
    if (pData->pszInitial && *pData->pszInitial)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(pData->pszInitial));
    if (pData->pszStatus) ::SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(pData->pszStatus));
    return 0;
}

// A path's item list, parsed by the desktop folder; empty when it cannot be.
genba::UniqueItemList ParsePath(const char* path)
{
    genba::UniqueItemList list;
    genba::UniqueCom<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.put())) || !desktop) return list;
    const int nWide = ::MultiByteToWideChar(932, 0, path, -1, nullptr, 0);
    std::unique_ptr<wchar_t[]> wide(nWide > 0 ? new (std::nothrow) wchar_t[nWide] : nullptr);
    if (!wide || ::MultiByteToWideChar(932, 0, path, -1, wide.get(), nWide) != nWide) return list;
    ITEMIDLIST* pidl = nullptr;
    if (SUCCEEDED(desktop.get()->ParseDisplayName(nullptr, nullptr, wide.get(), nullptr, &pidl, nullptr)))
        list.reset(pidl);
    return list;
}

// The root of the tree: none (the desktop), a special folder by number, or a path.
genba::UniqueItemList RootItemList(const char* lpszRoot)
{
    const UINT_PTR value = reinterpret_cast<UINT_PTR>(lpszRoot);
    if (value == 0) return genba::UniqueItemList();
    if (value <= 0xFFFF) {
        ITEMIDLIST* pidl = nullptr;
        return genba::UniqueItemList(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, static_cast<int>(value), &pidl))
                                         ? pidl
                                         : nullptr);
    }
    return ParsePath(lpszRoot);
}

CString BrowseShellFolder(CWnd* pParentWnd, const CString& initial, const char* lpszRoot, const char* lpszTitle,
                          const char* lpszStatus, DWORD dwFlags)
{
    const HWND hOwner = pParentWnd && ::IsWindow(pParentWnd->m_hWnd) ? pParentWnd->m_hWnd : nullptr;
    const bool hasStatus = lpszStatus && *lpszStatus;
    const DWORD flags = hasStatus ? dwFlags | BIF_STATUSTEXT : dwFlags & ~static_cast<DWORD>(BIF_STATUSTEXT);
    BrowseCallbackData data = {initial, hasStatus ? lpszStatus : nullptr};

    genba::UniqueCom<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.put())) || !allocator) return CString();
    genba::UniqueItemList root = RootItemList(lpszRoot);

    CString result;
    char* buf = result.GetBuffer(MAX_PATH + 1);
    buf[0] = '\0';
    BROWSEINFOA bi = {};
    bi.hwndOwner = hOwner;
    bi.pidlRoot = root.get();
    bi.pszDisplayName = buf;
    bi.lpszTitle = lpszTitle ? lpszTitle : "";
    bi.ulFlags = flags;
    bi.lpfn = &BrowseCallbackProc;
    bi.lParam = reinterpret_cast<LPARAM>(&data);
    bi.iImage = 0;
    genba::UniqueItemList chosen(::SHBrowseForFolderA(&bi));
    root.reset();

    if (!chosen) {
        result.ReleaseBuffer(0);   // the shell may have left anything there
        return result;
    }
    // A folder's path; a computer or printer is named by its display name.
    if (!(flags & kComputerOrPrinter) && !::SHGetPathFromIDListA(chosen.get(), buf)) buf[0] = '\0';
    buf[MAX_PATH] = '\0';
    result.ReleaseBuffer(-1);
    return result;
}

} // namespace

CString CEnvironObj::SelectComputer(CWnd* pParentWnd, const char* lpszInitial, const char* lpszTitle,
                                    const char* lpszStatus, unsigned long dwFlags) const
{
    const CString initial(lpszInitial);
    return BrowseShellFolder(pParentWnd, initial, reinterpret_cast<const char*>(CSIDL_NETWORK), lpszTitle, lpszStatus,
                             (dwFlags & ~static_cast<DWORD>(BIF_BROWSEFORPRINTER)) | BIF_BROWSEFORCOMPUTER);
}

CString CEnvironObj::SelectDir(CWnd* pParentWnd, int, const char* lpszInitialDir, const char* lpszTitle,
                               const char* lpszStatus, const char* lpszRoot, unsigned long dwPathKind,
                               unsigned long dwFlags) const
{
    CString initial(lpszInitialDir);
    if (initial.IsEmpty() && dwPathKind != 0) initial = GetPath(dwPathKind);
    if (!initial.IsEmpty()) CreateDir(initial, TRUE);   // to be selected it must be there
    return BrowseShellFolder(pParentWnd, initial, lpszRoot, lpszTitle, lpszStatus,
                             (dwFlags & ~kComputerOrPrinter) | BIF_RETURNONLYFSDIRS);
}

#include <genbaenv/selfile.h>

#include <genbaenv/environ.h>
#include <genbafw/filefind.h>
#include <genbafw/wnd.h>

#include "pathname/listing.h"

#include <climits>
#include <memory>
#include <new>
#include <utility>

namespace {

const unsigned long kMaxFileNo = 0xFFF;   // numbers 1 to 4095: three hex digits

// visit(name) for each entry matching pattern that passes the listing options, in the
// order the system yields them.
template <typename Visit>
void ForEachListedName(const CString& pattern, int nFlags, Visit visit)
{
    genba::ForEachListedEntry(pattern, nFlags, [&visit](const CFileFind& ff) {
        visit(ff.GetFileName());
        return true;
    });
}

CString JoinName(const CEnvironObj& env, const CString& strDir, const CString& name)
{
    CString path(strDir);
    env.AddFileName(path, name);
    return path;
}

// Whether the caller's callback keeps the entry (no callback keeps every entry); the
// callback may change the display string. An exception must not unwind through the
// library into the application: the entry is left out.
bool CallbackKeeps(const CEnvironObj& env, const CString& strDir, const CString& name, CString& strDisp,
                   SelFileProc pfnCallback, void* pData)
{
    if (!pfnCallback) return true;
    try {
        return pfnCallback(env, strDisp, JoinName(env, strDir, name), pData) != 0;
    } catch (...) {
        return false;
    }
}

// The messages that fill a list box or a combo box and read its choice.
struct BoxMessages {
    UINT resetContent, addString, setItemData, getCount, getItemData, setCurSel, getCurSel;
};
const BoxMessages kListBoxMessages = {LB_RESETCONTENT, LB_ADDSTRING, LB_SETITEMDATA, LB_GETCOUNT,
                                      LB_GETITEMDATA, LB_SETCURSEL, LB_GETCURSEL};
const BoxMessages kComboBoxMessages = {CB_RESETCONTENT, CB_ADDSTRING, CB_SETITEMDATA, CB_GETCOUNT,
                                       CB_GETITEMDATA, CB_SETCURSEL, CB_GETCURSEL};

// The row whose item data is nSelect, -1 when there is none. guess is where the entry
// was added; in a box that does not sort it is still there, which saves the scan.
int FindRowOfEntry(CWnd& box, const BoxMessages& m, int nSelect, int guess)
{
    if (guess >= 0 && box.SendMessage(m.getItemData, static_cast<WPARAM>(guess)) == nSelect) return guess;
    const LRESULT rows = box.SendMessage(m.getCount);
    for (LRESULT row = 0; row < rows; ++row)
        if (box.SendMessage(m.getItemData, static_cast<WPARAM>(row)) == nSelect) return static_cast<int>(row);
    return -1;
}

void FillBox(CWnd& box, const BoxMessages& m, SelFileEntry* const* entries, int nCount, int nSelect)
{
    if (!box.GetSafeHwnd()) return;
    box.SetRedraw(FALSE);
    box.SendMessage(m.resetContent);
    int guess = -1;
    for (int i = 0; i < nCount; ++i) {
        const LRESULT row = box.SendMessage(m.addString, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(entries[i]->m_strDispStr)));
        if (row < 0) continue;
        box.SendMessage(m.setItemData, static_cast<WPARAM>(row), static_cast<LPARAM>(i));
        if (i == nSelect) guess = static_cast<int>(row);
    }
    // Only the rows just added are in the box, so a selection naming no entry has no row.
    int selRow = -1;
    if (nSelect >= 0 && nSelect < nCount) selRow = FindRowOfEntry(box, m, nSelect, guess);
    box.SendMessage(m.setCurSel, static_cast<WPARAM>(selRow));
    box.SetRedraw(TRUE);
    box.Invalidate(TRUE);
}

// The item data of the box's current row, or -1 when no row is current.
long long CurrentItemData(const CWnd& box, const BoxMessages& m)
{
    if (!box.GetSafeHwnd()) return -1;   // no box, no current row
    const LRESULT row = box.SendMessage(m.getCurSel);
    if (row < 0) return -1;
    return static_cast<long long>(box.SendMessage(m.getItemData, static_cast<WPARAM>(row)));
}

} // namespace

CSelFileList::CSelFileList() : m_nSelect(-1), m_nAlloc(0), m_nCount(0), m_ppEntry(nullptr)
{
}

CSelFileList::~CSelFileList()
{
    Clear();
}

void CSelFileList::Clear()
{
    for (int i = 0; i < m_nCount; ++i) delete m_ppEntry[i];
    delete[] m_ppEntry;
    m_ppEntry = nullptr;
    m_nAlloc = 0;
    m_nCount = 0;
}

bool CSelFileList::GrowTable()
{
    if (m_nAlloc > INT_MAX - SELFILE_GROW) return false;
    const int nNewAlloc = m_nAlloc + SELFILE_GROW;
    SelFileEntry** table = new (std::nothrow) SelFileEntry*[nNewAlloc]();
    if (!table) return false;
    for (int i = 0; i < m_nCount; ++i) table[i] = m_ppEntry[i];
    delete[] m_ppEntry;
    m_ppEntry = table;
    m_nAlloc = nNewAlloc;
    return true;
}

int CSelFileList::Add(const char* lpszFileName, unsigned long dwFileNo, const char* lpszDispStr)
{
    if (!lpszFileName || !*lpszFileName) return -1;
    return AddEntry(CString(lpszFileName), dwFileNo, CString(lpszDispStr ? lpszDispStr : lpszFileName));
}

// Add with strings the caller gives up: listings move their names in instead of copying.
int CSelFileList::AddEntry(CString&& strFileName, unsigned long dwFileNo, CString&& strDispStr)
{
    if (strFileName.IsEmpty()) return -1;
    if (m_nCount >= m_nAlloc && !GrowTable()) return -1;
    SelFileEntry* entry = new (std::nothrow) SelFileEntry{dwFileNo, std::move(strFileName), std::move(strDispStr)};
    if (!entry) return -1;
    m_ppEntry[m_nCount] = entry;
    return m_nCount++;
}

int CSelFileList::Select(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_nCount) {
        m_nSelect = nIndex;
        return 1;
    }
    m_nSelect = -1;
    return 0;
}

void CSelFileList::SelectItemData(long long itemData)
{
    // Checked before narrowing: a wide value must not alias an index.
    Select(itemData >= 0 && itemData < m_nCount ? static_cast<int>(itemData) : -1);
}

const SelFileEntry* CSelFileList::EntryAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_ppEntry[nIndex] : nullptr;
}

unsigned long CSelFileList::GetFileNo(int nIndex) const
{
    const SelFileEntry* e = EntryAt(nIndex);
    return e ? e->m_dwFileNo : 0;
}

CString CSelFileList::GetFileName(int nIndex) const
{
    const SelFileEntry* e = EntryAt(nIndex);
    return e ? e->m_strFileName : CString();
}

CString CSelFileList::GetDispStr(int nIndex) const
{
    const SelFileEntry* e = EntryAt(nIndex);
    return e ? e->m_strDispStr : CString();
}

int CSelFileList::AddFileList(const CEnvironObj& env, const CString& strDir, const CString& strExtList,
                              const char* lpszSelName, int nFlags, SelFileProc pfnCallback, void* pData)
{
    const int nTypes = env.GetExtCount(strExtList);
    int nPending = -1;
    int nAdded = 0;

    if (nTypes >= 1) {
        for (int i = 0; i < nTypes; ++i) {
            const CString ext = env.GetExt(strExtList, i);
            if (ext.IsEmpty()) continue;
            ForEachListedName(JoinName(env, strDir, "*" + ext), nFlags, [&](CString name) {
                CString disp(name);
                if (!CallbackKeeps(env, strDir, name, disp, pfnCallback, pData)) return;
                const bool wanted = lpszSelName && name.CompareNoCase(lpszSelName) == 0;
                const int index = AddEntry(std::move(name), 0, std::move(disp));
                if (index < 0) return;
                ++nAdded;
                if (wanted) nPending = index;
            });
        }
    } else {
        // One name per number; slot 0 stays empty.
        std::unique_ptr<CString[]> names(new (std::nothrow) CString[kMaxFileNo + 1]);
        if (!names) return 0;
        ForEachListedName(JoinName(env, strDir, "*.???"), nFlags, [&](CString name) {
            const unsigned long no = env.GetExtNumber(name);
            if (no >= 1 && no <= kMaxFileNo && names[no].IsEmpty()) names[no] = std::move(name);
        });
        const unsigned long wanted = lpszSelName ? env.GetExtNumber(lpszSelName) : 0;
        for (unsigned long no = 1; no <= kMaxFileNo; ++no) {
            CString& name = names[no];
            if (name.IsEmpty()) continue;
            CString disp = env.GetBaseNameFromFileName(name);
            if (!CallbackKeeps(env, strDir, name, disp, pfnCallback, pData)) continue;
            const int index = AddEntry(std::move(name), no, std::move(disp));
            if (index < 0) continue;
            ++nAdded;
            if (no == wanted) nPending = index;
        }
    }

    if (nPending >= 0) Select(nPending);
    return nAdded;
}

void CSelFileList::MakeListBox(CListBox& listBox) const
{
    FillBox(listBox, kListBoxMessages, m_ppEntry, m_nCount, m_nSelect);
}

void CSelFileList::MakeComboBox(CComboBox& comboBox) const
{
    FillBox(comboBox, kComboBoxMessages, m_ppEntry, m_nCount, m_nSelect);
}

void CSelFileList::UpdateListBox(const CListBox& listBox)
{
    SelectItemData(CurrentItemData(listBox, kListBoxMessages));
}

void CSelFileList::UpdateComboBox(const CComboBox& comboBox)
{
    SelectItemData(CurrentItemData(comboBox, kComboBoxMessages));
}

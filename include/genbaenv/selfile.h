// CSelFileList: an ordered list of the selectable files (or folders) of one folder, each
// with a file number, a file name and a display string, and one selection index. It is
// filled by listing a folder (AddFileList) or entry by entry (Add), fills list boxes and
// combo boxes and reads the user's choice back from them.
//
// AddFileList lists a folder in one of two ways, chosen by the extension list
// ("title|.ext|title|.ext", see CEnvironObj::GetExtCount):
// - typed, when the list names a type: for each type in turn the entries matching
//   "*" + its extension, in the order the system yields them, file number 0;
// - numbered, when it names none (empty included): the entries matching "*.???" whose
//   extension carries a number from 1 to 4095, in ascending order of the number, the
//   first entry the system yields for a number and no other, shown by their base names.
// Options: SELFILE_FOLDER lists folders (never "." or "..") instead of files;
// SELFILE_HIDDEN lists hidden entries only instead of visible ones only.
//
// Indexes are positions in order of addition and stay fixed until Clear. Clear leaves
// the selection as it was, so it may name a position that no longer exists: every
// operation taking an index treats one out of range as naming no entry.
#pragma once

#include <genbaenv/environ.h>

class CListBox;
class CComboBox;

// Called once for each entry about to be listed, in the order of addition, with the
// entry's display string so far (its name in a typed listing, its base name in a
// numbered one), which it may change (tabs separate columns), and the folder joined
// with the entry's name. Nonzero lists the entry with the display string as left;
// zero leaves it out. pData is the caller's value, passed on untouched. An exception it
// throws leaves the entry out. (SelFileProc is declared in genbaenv/environ.h.)

enum : int { SELFILE_GROW = 100 };   // slots the entry table grows by

struct SelFileEntry {
    unsigned long m_dwFileNo;   // 1-4095 numbered listing, 0 typed listing, else as given to Add
    CString m_strFileName;      // no folder part
    CString m_strDispStr;
};

class GENBAENV_API CSelFileList {
public:
    CSelFileList();
    ~CSelFileList();
    CSelFileList(const CSelFileList&) = delete;
    CSelFileList& operator=(const CSelFileList&) = delete;

    // Frees every entry and the table; the selection is left as it is.
    void Clear();
    // Index of the new entry; -1 for a null or empty name or when memory runs out. A null
    // display string shows the name.
    int Add(const char* lpszFileName, unsigned long dwFileNo, const char* lpszDispStr = nullptr);
    // 1 and the index becomes the selection when it names an entry; else 0 and no selection.
    int Select(int nIndex);

    int GetCnt() const { return m_nCount; }
    int GetSelect() const { return m_nSelect; }
    unsigned long GetFileNo(int nIndex) const;   // 0 for no entry
    CString GetFileName(int nIndex) const;       // empty for no entry
    CString GetDispStr(int nIndex) const;        // empty for no entry

    // Lists strDir (see above) and returns the number of entries this call added. The
    // last added entry whose name equals lpszSelName without regard to case (typed), or
    // whose number is that of lpszSelName's extension (numbered), becomes the selection;
    // with none the selection stays as it was. 0 and nothing changes when the listing's
    // table cannot be allocated.
    int AddFileList(const CEnvironObj& env, const CString& strDir, const CString& strExtList,
                    const char* lpszSelName, int nFlags, SelFileProc pfnCallback, void* pData);

    // Refill the box with the display strings, each row's item data its entry's index,
    // and select the row of the selected entry (none when there is none). Rows and
    // entries are linked by item data only, so sorting boxes work the same.
    void MakeListBox(CListBox& listBox) const;
    void MakeComboBox(CComboBox& comboBox) const;
    // The selection becomes the entry of the box's current row, or none.
    void UpdateListBox(const CListBox& listBox);
    void UpdateComboBox(const CComboBox& comboBox);

protected:
    int m_nSelect;               // -1: nothing selected
    int m_nAlloc;                // slots of the table
    int m_nCount;                // entries, in slots 0 to m_nCount - 1
    SelFileEntry** m_ppEntry;    // null while the table has no slot

private:
    const SelFileEntry* EntryAt(int nIndex) const;
    bool GrowTable();
    int AddEntry(CString&& strFileName, unsigned long dwFileNo, CString&& strDispStr);
    void SelectItemData(long long itemData);
};

// CEnvironObj: where the suite's folders are, what the user is working on, and the
// small settings every application of the suite keeps in the registry.
//
// Every string is a CP932 byte string (CString). Results: 1 success, 0 failure, -1 for
// "nothing" where an index, position or existence code is returned; an empty string
// means the thing asked for is not available. Nothing throws.
#pragma once

#include <genbaenv/genbadefs.h>
#include <genbaenv/pathkind.h>
#include <genbafw/cstring.h>

class CEnvironObj;
class CWnd;
class ZRApliChange;
struct CEnvironObjImpl;
struct CEnvironObjAccess;

// Listing options shared by SearchExtDir and CSelFileList::AddFileList, and the
// dialogs' delete options.
enum : int {
    SELFILE_FOLDER = 0x1,           // folders only (never "." or ".."); else files only
    SELFILE_HIDDEN = 0x2,           // hidden entries only; else visible ones only
    SELFILE_NODELETE = 0x10000,     // file mode: no Delete button
    SELFILE_DELFOLDER = 0x20000,    // folder mode: a Delete button
};

// The entry callback of CSelFileList and the dialogs (see genbaenv/selfile.h).
typedef int (*SelFileProc)(const CEnvironObj& env, CString& strDispStr, const CString& strFullPath, void* pData);

// Existence codes of IsExist.
enum : int {
    EXIST_NONE = -1,
    EXIST_FILE = 0,
    EXIST_FOLDER = 1,
};

class GENBAENV_API CEnvironObj {
public:
    CEnvironObj();
    ~CEnvironObj();
    CEnvironObj(const CEnvironObj&) = delete;
    CEnvironObj& operator=(const CEnvironObj&) = delete;

    const ZRApliChange& GetApliChange() const;

    // --- Current work ------------------------------------------------------------
    void SetDataPath(const CString& path);
    void SetFNo(unsigned short no);
    void SetGNo(unsigned short no);
    CString GetDataPath() const;
    unsigned short GetFNo() const;
    unsigned short GetGNo() const;
    unsigned long GetAppType() const;        // stored "AppType", or 0xFFFFFFFF

    // --- Path resolution by kind (see pathkind.h) ----------------------------------
    CString GetHomePath(unsigned long base) const;
    CString GetPath(unsigned long kind) const;

    // --- Site paths and directory operations --------------------------------------
    CString GenbaPath(const CString& base, unsigned short folderNo, unsigned short siteNo) const;
    int IsExist(const CString& path) const;                   // -1 none, 0 file, 1 folder
    int CreateDir(const CString& path, int createLast) const;
    int RemoveDir(const CString& path, int removeSelf) const;

    // --- User and machine data ----------------------------------------------------
    int SetUserDataDWord(const CString& section, const CString& entry, const CString& name, unsigned long value) const;
    int GetUserDataDWord(const CString& section, const CString& entry, const CString& name, unsigned long& value) const;
    int SetUserDataStr(const CString& section, const CString& entry, const CString& name, const CString& value) const;
    int GetUserDataStr(const CString& section, const CString& entry, const CString& name, CString& value) const;
    int SetUserDataBuff(const CString& section, const CString& entry, const CString& name, const void* data, unsigned long size) const;
    int GetUserDataBuff(const CString& section, const CString& entry, const CString& name, void* buffer, unsigned long size) const;
    unsigned long GetUserDataBuffSize(const CString& section, const CString& entry, const CString& name) const;
    int DelUserData(const CString& section, const CString& entry, const CString& name) const;
    int DelUserSection(const CString& section, const CString& entry) const;
    int SetMachineDataDWord(const CString& section, const CString& entry, const CString& name, unsigned long value) const;
    int GetMachineDataDWord(const CString& section, const CString& entry, const CString& name, unsigned long& value) const;
    int SetMachineDataStr(const CString& section, const CString& entry, const CString& name, const CString& value) const;
    int GetMachineDataStr(const CString& section, const CString& entry, const CString& name, CString& value) const;
    int SetMachineDataBuff(const CString& section, const CString& entry, const CString& name, const void* data, unsigned long size) const;
    int GetMachineDataBuff(const CString& section, const CString& entry, const CString& name, void* buffer, unsigned long size) const;
    unsigned long GetMachineDataBuffSize(const CString& section, const CString& entry, const CString& name) const;
    int DelMachineData(const CString& section, const CString& entry, const CString& name) const;
    int DelMachineSection(const CString& section, const CString& entry) const;

    // --- Path and file-name utilities ---------------------------------------------
    CString GetFullPath(const CString& path) const;            // ..\a (cwd C:\work) => C:\work\..\a
    CString GetDrive(const CString& path) const;               // c:\x => c:   \\pc\s => ""
    CString GetCurrentDrive() const;
    CString GetCurrentDir() const;
    CString GetCurrentDir(char drive) const;                   // other drive => its root, D:\.
    CString GetVolumePath(const CString& path) const;          // \\pc1\share\dir => \\pc1\share
    CString GetRelativePath(const CString& path) const;        // \\pc1\share\dir => \dir
    CString GetPathNameFromRelativePath(const CString& path) const;   // C:\f.txt => C:\.
    CString GetDirNameFromRelativePath(const CString& path) const;    // C:\f.txt => C:
    CString GetFileNameFromRelativePath(const CString& path) const;   // C:\f.txt => f.txt
    CString GetBaseNameFromFileName(const CString& name) const;       // a.b.001 => a.b
    CString GetExtNameFromFileName(const CString& name) const;        // a.b.001 => .001
    int IsValidFileName(const CString& name) const;            // -1 acceptable, else fault position
    void AddFileName(CString& path, const CString& name) const;       // C:\dir\\// + a => C:\dir\a

    // --- Network names and UNC paths ----------------------------------------------
    void SetServerName(const CString& name);
    CString GetServerName() const;
    CString GetUNCPath(const CString& path) const;              // z:\d (Z = \\pc1\data) => \\pc1\data\d
    CString GetUNCPath(char drive) const;                      // z => \\pc1\data, c => C:
    CString GetShareNameFromUNCPath(const CString& path) const;   // \\pc1\data\dir => \\pc1\data
    CString GetServerNameFromShareName(const CString& share) const; // \\pc1\data => pc1

    // --- Numbered data files ------------------------------------------------------
    unsigned long GetExtNumber(const CString& path) const;     // a.00a => 10, a.FFF => 4095
    CString GetExtStr(unsigned long number) const;             // 10 => .00A
    CString SearchExtDir(const CString& dir, unsigned long number, const char* defaultFormat, int nFlags) const;
    CString GetFolderName(const CString& dataPath, unsigned short folderNo) const;
    CString GetGenbaName(const CString& dataPath, unsigned short folderNo, unsigned short siteNo) const;
    int GetExtCount(const CString& strExtList) const;          // Data|*.dat|All|*.*| => 2
    CString GetExt(const CString& strExtList, int index) const;
    CString GetExtTitle(const CString& strExtList, int index) const;

    // --- The suite's own file dialogs ---------------------------------------------
    // An existing entry of strDir, picked (or deleted) by the user in the open dialog:
    // its file name, or empty on Cancel or when the dialog cannot be shown.
    CString SelectOpenFile(CWnd* pParentWnd, const CString& strDir, const CString& strExtList, const char* lpszSelName,
                           int nFlags, const char* lpszTitle, SelFileProc pfnCallback, void* pData) const;
    // A name to save under in strDir, with its extension: the type's (a negative
    // nTypeIndex lets the user choose it) or, when strExtList names no type, a file
    // number. pstrMemo, when given, is shown and receives the memo on OK. Empty on Cancel.
    CString SelectSaveFile(CWnd* pParentWnd, const CString& strDir, const CString& strExtList, int nTypeIndex,
                           const char* lpszSelName, int nFlags, const char* lpszTitle, CString* pstrMemo,
                           SelFileProc pfnCallback, void* pData) const;

    // --- Computer and folder browsing (the system's browse dialog) --------------------
    // The calling thread has started the component system (CoInitialize). Flags are
    // BIF_ values; null texts are none, a null title an empty instruction.
    // The display name of the computer chosen in the network; empty on Cancel.
    CString SelectComputer(CWnd* pParentWnd, const char* lpszInitial, const char* lpszTitle, const char* lpszStatus,
                           unsigned long dwFlags) const;
    // The path of the folder chosen; empty on Cancel and for an item that is no folder.
    // lpszInitialDir (else GetPath(dwPathKind)) is created and selected first. lpszRoot:
    // null the desktop, a value below 0x10000 a special-folder number (CSIDL_), else a
    // path (the desktop when the shell cannot parse it). nIgnored changes nothing.
    CString SelectDir(CWnd* pParentWnd, int nIgnored, const char* lpszInitialDir, const char* lpszTitle,
                      const char* lpszStatus, const char* lpszRoot, unsigned long dwPathKind,
                      unsigned long dwFlags) const;

    // --- The system's file dialogs in the suite's folders --------------------------
    // lpszFilter: "description|pattern|..." without the closing bars; the all-files
    // entry always follows. lpszPathName: initial folder up to its last backslash
    // (created when missing), then the initial file name; with no folder the one of
    // dwPathKind. dwFlags: OFN_ values added to the base ones (the save dialog's include
    // OFN_FILEMUSTEXIST, which Windows honours). Bit 0 of dwOption: no panel with the
    // button to the site's user folder. The full path chosen; empty on Cancel.
    CString OpenFileDialog(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName, const char* lpszTitle,
                           unsigned long dwPathKind, unsigned long dwFlags) const;
    CString OpenFileDialogEx(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                             const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags,
                             unsigned long dwOption) const;
    CString SaveFileDialog(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName, const char* lpszTitle,
                           unsigned long dwPathKind, unsigned long dwFlags) const;
    CString SaveFileDialogEx(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                             const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags,
                             unsigned long dwOption) const;

private:
    friend struct CEnvironObjAccess;   // the library's own routines reach the state record
    CEnvironObjImpl* m_pImpl;
};

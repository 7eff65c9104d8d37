// Numbered-file operations of the environment object: the pure rules live in extnum;
// this file adds the search of a folder for the item carrying a number.
#include <genbaenv/environ.h>
#include <genbafw/filefind.h>

#include "pathname/extnum.h"
#include "pathname/listing.h"
#include "pathname/pathops.h"

namespace {

// Name of the first entry of `pattern` that passes the options, or empty.
CString FirstPassingEntry(const CString& pattern, int nFlags)
{
    CString name;
    genba::ForEachListedEntry(pattern, nFlags, [&name](const CFileFind& ff) {
        name = ff.GetFileName();
        return false;
    });
    return name;
}

} // namespace

unsigned long CEnvironObj::GetExtNumber(const CString& path) const { return genba::ext::GetExtNumber(path); }

CString CEnvironObj::GetExtStr(unsigned long number) const
{
    // unsigned long is 32 bits on Windows: nothing is cut.
    return genba::ext::GetExtStr(static_cast<uint32_t>(number));
}

CString CEnvironObj::SearchExtDir(const CString& dir, unsigned long number, const char* defaultFormat,
                                  int nFlags) const
{
    CString ext = GetExtStr(number);
    if (ext.IsEmpty()) return CString();
    CString pattern(dir);
    genba::path::AddFileName(pattern, "*");
    pattern += ext;
    CString name = FirstPassingEntry(pattern, nFlags);
    if (name.IsEmpty() && defaultFormat) {
        name.Format(defaultFormat, number);
        name += ext;
    }
    return name;
}

CString CEnvironObj::GetFolderName(const CString& dataPath, unsigned short folderNo) const
{
    CString root = GenbaPath(dataPath, 0, 0);
    if (root.IsEmpty()) return CString();
    return genba::path::GetBaseNameFromFileName(SearchExtDir(root, folderNo, nullptr, SELFILE_FOLDER));
}

CString CEnvironObj::GetGenbaName(const CString& dataPath, unsigned short folderNo, unsigned short siteNo) const
{
    CString folder = GenbaPath(dataPath, folderNo, 0);
    if (folder.IsEmpty()) return CString();
    return genba::path::GetBaseNameFromFileName(SearchExtDir(folder, siteNo, nullptr, SELFILE_FOLDER));
}

int CEnvironObj::GetExtCount(const CString& strExtList) const { return genba::ext::GetExtCount(strExtList); }

CString CEnvironObj::GetExt(const CString& strExtList, int index) const
{
    return genba::ext::GetExt(strExtList, index);
}

CString CEnvironObj::GetExtTitle(const CString& strExtList, int index) const
{
    return genba::ext::GetExtTitle(strExtList, index);
}

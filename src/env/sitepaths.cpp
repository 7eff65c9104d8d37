// Site paths (data path -> numbered folder -> numbered site) and the directory
// operations the whole library uses: existence, creation of every level, emptying.
#include <genbaenv/environ.h>
#include <genbafw/filefind.h>

#include <windows.h>

#include "env/config.h"
#include "pathname/pathops.h"

namespace {

const unsigned short kMaxNumber = 0x0FFF;
const char* const kFolderFormat = "ﾌｫﾙﾀﾞｰ%lu";
const char* const kSiteFormat = "現場-%lu";

int ExistenceOf(const CString& path)
{
    DWORD attr = ::GetFileAttributesA(path);
    if (attr == INVALID_FILE_ATTRIBUTES) return EXIST_NONE;
    return (attr & FILE_ATTRIBUTE_DIRECTORY) ? EXIST_FOLDER : EXIST_FILE;
}

// Where the first level that CreateDir may create begins, or -1 for a UNC path without
// a server, a share, or a backslash after the share (\\server\share is never created).
int FirstLevelStart(const CString& path)
{
    if (path.GetLength() >= 2 && path[0] == '\\' && path[1] == '\\') {
        int endServer = path.Find('\\', 2);
        if (endServer <= 2) return -1;
        int endShare = path.Find('\\', endServer + 1);
        if (endShare < 0 || endShare == endServer + 1) return -1;
        return endShare + 1;
    }
    int colon = path.Find(':');
    if (colon > 0) return path[colon + 1] == '\\' ? colon + 2 : colon + 1;
    return path[0] == '\\' ? 1 : 0;
}

// A folder that must exist: created when missing. False for a file in the way or when
// creation fails.
bool EnsureFolder(const CString& path)
{
    switch (ExistenceOf(path)) {
    case EXIST_FOLDER:
        return true;
    case EXIST_NONE:
        return ::CreateDirectoryA(path, nullptr) != FALSE;
    default:
        return false;
    }
}

bool IsDirectoryLink(const CFileFind& ff) { return ff.IsDirectory() && ff.IsReparsePoint(); }

// The listing of a folder found nothing. There was nothing to empty when it matched no
// entry (an empty drive root has not even "." and "..") or there is no such folder; a
// folder that is there but could not be listed (no access, or a path too long for the
// listing, where even asking whether it is there may fail) has not been emptied.
bool NothingToEmpty(const CString& path, DWORD listingError)
{
    if (listingError == ERROR_FILE_NOT_FOUND || listingError == ERROR_NO_MORE_FILES) return true;
    if (listingError == ERROR_FILENAME_EXCED_RANGE) return false;
    return ExistenceOf(path) != EXIST_FOLDER;
}

// Removes every entry inside `path` it can; 1 when all went, else 0. A failure never
// stops the walk. A folder link (symbolic link, junction: a reparse point) is removed
// as a link and never descended into, so nothing outside `path` is ever deleted.
int DeleteDirContents(const CString& path)
{
    CString pattern(path);
    genba::path::AddFileName(pattern, "*.*");
    CFileFind ff;
    if (!ff.FindFile(pattern)) return NothingToEmpty(path, ::GetLastError()) ? 1 : 0;
    int result = 1;
    for (bool more = true; more;) {
        more = ff.FindNextFile() != FALSE;
        if (ff.IsDots()) continue;
        CString entry = ff.GetFilePath();
        if (IsDirectoryLink(ff)) {
            if (!::RemoveDirectoryA(entry)) result = 0;
        } else if (ff.IsDirectory()) {
            if (DeleteDirContents(entry) != 1 || !::RemoveDirectoryA(entry)) result = 0;
        } else if (!::DeleteFileA(entry)) {
            result = 0;   // read-only files among them: their attributes are left alone
        }
    }
    return result;
}

} // namespace

CString CEnvironObj::GenbaPath(const CString& base, unsigned short folderNo, unsigned short siteNo) const
{
    CString path = base.IsEmpty() ? genba::s_strHomeData : base;
    if (path.IsEmpty() || folderNo == 0) return path;
    if (folderNo > kMaxNumber) return CString();
    CString folder = SearchExtDir(path, folderNo, kFolderFormat, SELFILE_FOLDER);
    if (folder.IsEmpty()) return CString();
    genba::path::AddFileName(path, folder);
    if (siteNo == 0) return path;
    if (siteNo > kMaxNumber) return CString();
    CString site = SearchExtDir(path, siteNo, kSiteFormat, SELFILE_FOLDER);
    if (site.IsEmpty()) return CString();
    genba::path::AddFileName(path, site);
    return path;
}

int CEnvironObj::IsExist(const CString& path) const { return ExistenceOf(path); }

int CEnvironObj::CreateDir(const CString& path, int createLast) const
{
    int start = FirstLevelStart(path);
    if (start < 0) return 0;
    for (int sep = path.Find('\\', start); sep > start; sep = path.Find('\\', start)) {
        if (!EnsureFolder(path.Left(sep))) return 0;
        start = sep + 1;
    }
    if (!createLast) return 1;
    return EnsureFolder(path) ? 1 : 0;
}

int CEnvironObj::RemoveDir(const CString& path, int removeSelf) const
{
    if (path.IsEmpty()) return 0;
    int result = DeleteDirContents(path);
    if (!removeSelf) return result;
    // Only an empty folder can be removed: once it is gone, so is everything inside,
    // whether or not the folder could be listed.
    return ::RemoveDirectoryA(path) ? 1 : 0;
}

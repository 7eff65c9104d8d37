// The listing options, as every listing of the library applies them: SearchExtDir, the
// selectable file list and the dialogs built on it.
#pragma once

#include <genbaenv/environ.h>
#include <genbafw/filefind.h>

namespace genba {

// SELFILE_FOLDER: folders only, never "." or ".."; else files only.
// SELFILE_HIDDEN: hidden entries only; else visible ones only.
inline bool PassesListingOptions(const CFileFind& ff, int nFlags)
{
    const bool isFolder = ff.IsDirectory() != FALSE;
    if ((nFlags & SELFILE_FOLDER) ? !isFolder || ff.IsDots() : isFolder) return false;
    return (ff.IsHidden() != FALSE) == ((nFlags & SELFILE_HIDDEN) != 0);
}

// visit(entry) for each entry matching the pattern that passes the options, in the order
// the system yields them (the last one included); stops when visit returns false.
template <typename Visit>
void ForEachListedEntry(const CString& pattern, int nFlags, Visit visit)
{
    CFileFind ff;
    for (BOOL more = ff.FindFile(pattern); more;) {
        more = ff.FindNextFile();
        if (PassesListingOptions(ff, nFlags) && !visit(ff)) return;
    }
}

} // namespace genba

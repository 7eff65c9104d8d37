// ZRApliChange stand-in: tells which application of the suite is running. This one
// knows a single product and answers fixed names.
#pragma once

#include <genbafw/cstring.h>

class ZRApliChange {
public:
    ZRApliChange();
    ~ZRApliChange();
    const CString& GetProductKeyName() const;
    const CString& GetHelpFolderName() const;
    const CString& GetProgramFolderName() const;

private:
    CString m_strProductKey;
    CString m_strHelpFolder;
    CString m_strProgramFolder;
};

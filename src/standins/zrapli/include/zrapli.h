// ZRApliChange stand-in: tells which application of the suite is running. This one
// knows a single product and answers fixed names:
//   product key name      GenbaOffice   (Software\Velmora\GenbaOffice)
//   program folder name   GENBA
//   help folder name      GENBAHLP
// zrapli.dll exports its five entry points by ordinal only (2 constructor,
// 3 destructor, 13 GetProductKeyName, 8 GetHelpFolderName, 9 GetProgramFolderName).
#pragma once

#include <genbafw/cstring.h>

#if defined(_WIN32) && !defined(ZRAPLI_BUILDING)
#  define ZRAPLI_API __declspec(dllimport)
#else
#  define ZRAPLI_API   // the .def file exports, by ordinal
#endif

class ZRAPLI_API ZRApliChange {
public:
    ZRApliChange();
    ~ZRApliChange();
    ZRApliChange(const ZRApliChange&) = delete;
    ZRApliChange& operator=(const ZRApliChange&) = delete;
    const CString& GetProductKeyName() const;
    const CString& GetHelpFolderName() const;
    const CString& GetProgramFolderName() const;

private:
    CString m_strProductKey;
    CString m_strHelpFolder;
    CString m_strProgramFolder;
};

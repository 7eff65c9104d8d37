#include <zrapli.h>

ZRApliChange::ZRApliChange()
    : m_strProductKey("GenbaOffice"), m_strHelpFolder("GENBAHLP"), m_strProgramFolder("GENBA")
{
}

ZRApliChange::~ZRApliChange() = default;

const CString& ZRApliChange::GetProductKeyName() const { return m_strProductKey; }
const CString& ZRApliChange::GetHelpFolderName() const { return m_strHelpFolder; }
const CString& ZRApliChange::GetProgramFolderName() const { return m_strProgramFolder; }

#include <genbafw/filefind.h>
// Placeholder until the search lands.
struct CFileFind::Impl {};
CFileFind::CFileFind() : m_pImpl(nullptr) {}
CFileFind::~CFileFind() {}
BOOL CFileFind::FindFile(const char*, DWORD) { return FALSE; }
BOOL CFileFind::FindNextFile() { return FALSE; }
void CFileFind::Close() {}
CString CFileFind::GetFileName() const { return CString(); }
CString CFileFind::GetFilePath() const { return CString(); }
CString CFileFind::GetRoot() const { return CString(); }
DWORD CFileFind::GetAttributes() const { return 0; }
BOOL CFileFind::IsDirectory() const { return FALSE; }
BOOL CFileFind::IsHidden() const { return FALSE; }
BOOL CFileFind::IsReadOnly() const { return FALSE; }
BOOL CFileFind::IsReparsePoint() const { return FALSE; }
BOOL CFileFind::IsDots() const { return FALSE; }

#include "env/environ_impl.h"

CEnvironObj::CEnvironObj() : m_pImpl(new CEnvironObjImpl)
{
}

CEnvironObj::~CEnvironObj()
{
    delete m_pImpl;
}

const ZRApliChange& CEnvironObj::GetApliChange() const { return m_pImpl->m_ApliChange; }

void CEnvironObj::SetServerName(const CString& name) { m_pImpl->m_strServerName = name; }
CString CEnvironObj::GetServerName() const { return m_pImpl->m_strServerName; }

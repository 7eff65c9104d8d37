#include "env/environ_impl.h"

#include "env/config.h"
#include "env/registry.h"

#include <cstdlib>
#include <new>

namespace genba {

void RefreshServerName(CEnvironObj& env)
{
    env.SetServerName(GetServerNameFromPath(env, env.GetPath(PATHKIND_QMS_SERVER)));
}

} // namespace genba

CEnvironObj::CEnvironObj() : m_pImpl(new (std::nothrow) CEnvironObjImpl)
{
    // No exception may leave the library, and an object without its state is useless.
    if (!m_pImpl) std::abort();
    genba::LoadSharedConfig(*this);
    genba::LoadCurrentWork(*this);
    genba::RefreshServerName(*this);
}

CEnvironObj::~CEnvironObj()
{
    // Members go in reverse order: the application-selection object first.
    delete m_pImpl;
}

const ZRApliChange& CEnvironObj::GetApliChange() const { return m_pImpl->m_ApliChange; }

void CEnvironObj::SetServerName(const CString& name) { m_pImpl->m_strServerName = name; }
CString CEnvironObj::GetServerName() const { return m_pImpl->m_strServerName; }

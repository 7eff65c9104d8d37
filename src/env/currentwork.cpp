// Current work: the data path, folder number and site number of an environment object,
// and the folder of the current site that follows from them.
#include "env/environ_impl.h"

#include "env/regnames.h"
#include "env/registry.h"

namespace {

const unsigned long kNoAppType = 0xFFFFFFFFUL;

// Derived only when both numbers are set; an empty data path starts from the data home.
void RecomputeGenbaPath(const CEnvironObj& env, CEnvironObjImpl& state)
{
    if (state.m_wFNo != 0 && state.m_wGNo != 0)
        state.m_strGenbaPath = env.GenbaPath(state.m_strDataPath, state.m_wFNo, state.m_wGNo);
    else
        state.m_strGenbaPath.Empty();
}

} // namespace

namespace genba {

void LoadCurrentWork(CEnvironObj& env)
{
    UniqueRegKey key = OpenUserKey(env.GetApliChange(), nullptr, regname::kCurrentWork, nullptr, KEYOPEN_READ);
    if (!key) return;
    // The data path goes first, while both numbers are still 0, so that the site folder
    // is looked up once, by the last setter that finds both numbers set.
    CString dataPath;
    if (ReadRegString(key.get(), dataPath, regname::kDataPath, kRegTextLimit)) env.SetDataPath(dataPath);
    unsigned long number = 0;
    if (ReadRegDWord(key.get(), number, regname::kFolderNo)) env.SetFNo(static_cast<unsigned short>(number & 0xFFFF));
    if (ReadRegDWord(key.get(), number, regname::kGenbaNo)) env.SetGNo(static_cast<unsigned short>(number & 0xFFFF));
}

} // namespace genba

void CEnvironObj::SetDataPath(const CString& path)
{
    m_pImpl->m_strDataPath = path;
    RecomputeGenbaPath(*this, *m_pImpl);
    genba::RefreshServerName(*this);
}

void CEnvironObj::SetFNo(unsigned short no)
{
    m_pImpl->m_wFNo = no;
    RecomputeGenbaPath(*this, *m_pImpl);
}

void CEnvironObj::SetGNo(unsigned short no)
{
    m_pImpl->m_wGNo = no;
    RecomputeGenbaPath(*this, *m_pImpl);
}

CString CEnvironObj::GetDataPath() const { return m_pImpl->m_strDataPath; }
unsigned short CEnvironObj::GetFNo() const { return m_pImpl->m_wFNo; }
unsigned short CEnvironObj::GetGNo() const { return m_pImpl->m_wGNo; }

unsigned long CEnvironObj::GetAppType() const
{
    unsigned long type = kNoAppType;
    if (genba::UniqueRegKey key =
            genba::OpenUserKey(m_pImpl->m_ApliChange, nullptr, genba::regname::kCurrentWork, nullptr, genba::KEYOPEN_READ))
        genba::ReadRegDWord(key.get(), type, genba::regname::kAppType);
    return type;
}

// The private state record of an environment object.
#pragma once

#include <genbaenv/environ.h>
#include <zrapli.h>

struct CEnvironObjImpl {
    CString m_strDataPath;        // current data path; empty: the data home stands in
    unsigned short m_wFNo = 0;    // current folder number; 0 = none
    unsigned short m_wGNo = 0;    // current site number; 0 = none
    CString m_strGenbaPath;       // folder of the current site, kept in line with the three above
    CString m_strServerName;
    ZRApliChange m_ApliChange;
};

// The library's way into an object's state record from routines that are not members.
struct CEnvironObjAccess {
    static const CEnvironObjImpl& State(const CEnvironObj& env) { return *env.m_pImpl; }
};

namespace genba {

// The stored current work under the user's "CurrentWork" entry, applied through the
// object's setters.
void LoadCurrentWork(CEnvironObj& env);

// The server name follows the QMS_SERVER folder of the object's current work.
void RefreshServerName(CEnvironObj& env);

// GetPath, telling which "Environ" value decided the path (0: none).
CString ResolvePath(const CEnvironObj& env, const CEnvironObjImpl& state, unsigned long kind, unsigned long& decidedBy);

} // namespace genba

// Run-time class information: a class's name, its base, a schema number, and a kind-of
// test that follows the bases. CWnd is the root; a class that wants its own declares
// DECLARE_DYNAMIC in its body and IMPLEMENT_DYNAMIC in its source file:
//
//   class CMyDlg : public CDialog { DECLARE_DYNAMIC(CMyDlg) ... };
//   IMPLEMENT_DYNAMIC(CMyDlg, CDialog)                       // schema 0xFFFF
//   pWnd->IsKindOf(RUNTIME_CLASS(CDialog))                  // TRUE for a CMyDlg
//
// Nothing is created from class information: there is no dynamic creation.
#pragma once

#include <genbafw/fwdefs.h>

#include <type_traits>

struct GENBAFW_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned int m_wSchema;                        // 0xFFFF: no schema
    const CRuntimeClass* (*m_pfnGetBaseClass)();   // null for the root

    // TRUE when this class is pBaseClass or derives from it.
    int IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// Leaves the access at public.
#define DECLARE_DYNAMIC(class_name)                \
public:                                            \
    static const CRuntimeClass* GetThisClass();    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema)                        \
    const CRuntimeClass* class_name::GetThisClass()                                         \
    {                                                                                       \
        static_assert(std::is_base_of<base_class_name, class_name>::value,                  \
                      "IMPLEMENT_DYNAMIC names a class and one of its bases");              \
        static const CRuntimeClass rc = {#class_name, static_cast<int>(sizeof(class_name)), \
                                         (wSchema), &base_class_name::GetThisClass};        \
        return &rc;                                                                         \
    }                                                                                       \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF)

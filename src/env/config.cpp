#include "env/config.h"

namespace genba {

CString s_strSetupPrefix;
CString s_strMachineSuffix;
CString s_strUserSuffix;
CString s_strSetupSection;
CString s_strHomeProgram;
CString s_strHomeSystem;
CString s_strHomeData;
CString s_strHomeHelp;
CString s_strHomeTemp;
CString s_strServerQMS;
int s_bIniLoaded = 0;
int s_bHomesLoaded = 0;

} // namespace genba

#include "version/versiontexts.h"

#include "version/infolist.h"
#include "version/moduleversion.h"
#include "version/profile.h"

#include <genbaenv/diagnostics.h>
#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/cp932.h>

#include <cstring>

namespace {

const char kCrLf[] = "\r\n";
const char kInformation[] = "Information";
const unsigned long kKeyListBytes = 32768;
const int kInfoValueChars = 8192;
const int kSectionValueChars = 1024;

// The INFO folder beside the folder of a path kind: <kind's folder>\..\INFO. None when
// the kind resolves to nothing: "..\INFO" would be whatever lies beside the current folder.
CString InfoFolderBeside(const CEnvironObj& env, unsigned long kind)
{
    CString folder = env.GetPath(kind);
    if (folder.IsEmpty()) return folder;
    env.AddFileName(folder, "..");
    env.AddFileName(folder, "INFO");
    return folder;
}

// key, a tab, then the value's pieces between "~", each ending a line; later pieces
// start with a tab.
void AppendEntry(CString& out, const char* key, const char* value)
{
    out += key;
    const int len = static_cast<int>(std::strlen(value));
    int start = 0;
    for (;;) {
        const int tilde = genba::cp932::FindByte(value, len, '~', start);
        const int end = tilde < 0 ? len : tilde;
        out += '\t';
        out.Append(value + start, end - start);
        out += kCrLf;
        if (tilde < 0) break;
        start = tilde + 1;
    }
}

} // namespace

namespace genba {

void CollectInfoFiles(const CEnvironObj& env, CInfoEntryList& list, const CString& strFolder, const char* lpszSection)
{
    if (strFolder.IsEmpty()) return;
    CSelFileList files;
    files.AddFileList(env, strFolder, "情報ﾌｧｲﾙ|.*", nullptr, 0, nullptr, nullptr);
    for (int i = 0; i < files.GetCnt(); ++i) {
        CString path(strFolder);
        env.AddFileName(path, files.GetFileName(i));
        ForEachProfileKey(path, lpszSection, kKeyListBytes, [&](const char* key) {
            list.Set(key, ReadProfileValue(path, lpszSection, key, kInfoValueChars));
        });
    }
}

void ReadSectionLines(CString& out, const CString& strFile, const char* lpszSection)
{
    ForEachProfileKey(strFile, lpszSection, kKeyListBytes, [&](const char* key) {
        out += ReadProfileValue(strFile, lpszSection, key, kSectionValueChars);
        out += kCrLf;
    });
}

CString BuildVersionHeader(const CModuleVersion& version, const CString& strVersionInf, const char* lpszName)
{
    CString name;
    if (lpszName)
        name = lpszName;
    else
        version.GetProductName(name);
    bool found = false;
    const CString line = VersionLine(version, strVersionInf, found);
    CString notice;
    version.GetLegalNotice(notice);
    return kCrLf + name + kCrLf + (found ? "ﾊﾞｰｼﾞｮﾝ " + line : CString()) + kCrLf + kCrLf + kCrLf + notice + kCrLf;
}

CString BuildVersionInfo(const CEnvironObj& env, const CString& strVersionInf)
{
    CString info;
    {
        CInfoEntryList list;
        CollectInfoFiles(env, list, InfoFolderBeside(env, PATHKIND_PROGRAM_PROG), kInformation);
        CollectInfoFiles(env, list, InfoFolderBeside(env, PATHKIND_SYSTEM_FORM), kInformation);
        for (int i = list.GetCount() - 1; i >= 0; --i) {
            const char* key = list.GetKey(i);
            const char* value = list.GetValue(i);
            if (key && value) AppendEntry(info, key, value);
        }
    }
    CString lines;
    ReadSectionLines(lines, strVersionInf, kInformation);
    if (!info.IsEmpty() && !lines.IsEmpty()) info += kCrLf;
    info += lines;
    return info;
}

} // namespace genba

void GenbaGetVersionBoxTexts(const CEnvironObj& env, const char* lpszName, CString& strHeader, CString& strInfo)
{
    try {
        CModuleVersion version(nullptr);
        const CString versionInf = genba::VersionInfPath(env);
        strHeader = genba::BuildVersionHeader(version, versionInf, lpszName);
        strInfo = genba::BuildVersionInfo(env, versionInf);
    } catch (...) {
        strHeader.Empty();
        strInfo.Empty();
    }
}

// Joins a site folder name to a data path and makes it absolute, as an application does.
#include <genbaenv/environ.h>

#include <cstdio>
#include <cstring>

int main()
{
    CEnvironObj env;
    CString path = env.GetFullPath("Data");
    env.AddFileName(path, "現場-2.002");
    std::printf("path: %s\n", static_cast<const char*>(path));
    // The name must be joined with one backslash after the absolute data folder.
    CString tail = env.GetFileNameFromRelativePath(path);
    bool ok = path.GetLength() > 3 && path[1] == ':' && tail == "現場-2.002";
    std::printf("consumer: %s\n", ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}

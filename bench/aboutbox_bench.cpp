// aboutbox: building the version box's texts (GenbaGetVersionBoxTexts) for 100
// information files of 20 keys each, against reading the same keys' values with the
// system's profile reader. The keys come in scrambled order, so that each one is
// inserted somewhere inside the list built so far.
#include <genbaenv/diagnostics.h>
#include <genbaenv/environ.h>

#include <windows.h>

#include "benchclock.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kFiles = 100;
const int kKeys = 20;
const int kRepetitions = 7;
const double kTarget = 1.3;
const char kRoot[] = "C:\\bench-aboutbox";
const char kSetupKey[] = "Software\\Velmora\\GenbaOffice\\SetupLocal\\CurrentVersion";

struct InfoFile {
    std::string path;
    std::vector<std::string> keys;
};

bool PutHome(const char* name, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)) return false;
    const bool ok = !RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return ok;
}

// <root>\Program\INFO\comp000.inf ... with [Information] keys K00000 to K01999 spread
// over the files in scrambled order.
bool MakeInstallation(std::vector<InfoFile>& files)
{
    const std::string root = kRoot, info = root + "\\Program\\INFO";
    for (const std::string& d : {root, root + "\\Program", root + "\\Program\\PROG", info, root + "\\System"})
        CreateDirectoryA(d.c_str(), nullptr);
    char name[64];
    for (int f = 0; f < kFiles; ++f) {
        InfoFile file;
        std::snprintf(name, sizeof name, "\\comp%03d.inf", f);
        file.path = info + name;
        std::string text = "[Information]\r\n";
        for (int k = 0; k < kKeys; ++k) {
            std::snprintf(name, sizeof name, "K%05d", (f * kKeys + k) * 7919 % (kFiles * kKeys));
            file.keys.push_back(name);
            text += std::string(name) + "=Component " + std::to_string(f) + " driver~port " + std::to_string(k) + "\r\n";
        }
        HANDLE h = CreateFileA(file.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        const bool ok = h != INVALID_HANDLE_VALUE && WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        if (!ok) return false;
        files.push_back(file);
    }
    return PutHome("HomeProgram", root + "\\Program") && PutHome("HomeSystem", root + "\\System");
}

size_t ReadEveryValue(const std::vector<InfoFile>& files)
{
    size_t total = 0;
    char buf[8193];
    for (const InfoFile& file : files)
        for (const std::string& key : file.keys)
            total += GetPrivateProfileStringA("Information", key.c_str(), "", buf, sizeof buf, file.path.c_str());
    return total;
}

} // namespace

int main()
{
    std::vector<InfoFile> files;
    if (!MakeInstallation(files)) {
        std::printf("aboutbox ratio 0 target %.1f (no installation)\n", kTarget);
        return 1;
    }
    CEnvironObj env;
    CString header, info;
    double bestBare = 1e9, bestOurs = 1e9;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        for (int side = 0; side < 2; ++side) {
            const bool ours = (side == 0) == (rep % 2 == 0);
            const double t0 = BenchNow();
            if (ours)
                GenbaGetVersionBoxTexts(env, "bench", header, info);
            else
                ReadEveryValue(files);
            const double t = BenchNow() - t0;
            double& best = ours ? bestOurs : bestBare;
            if (t < best) best = t;
        }
    }
    // Every entry shown: a key, a tab and the first piece, then the second piece.
    int lines = 0;
    for (int i = 0; i < info.GetLength(); ++i) lines += info.GetAt(i) == '\n';
    if (lines != 2 * kFiles * kKeys || info.Find("K01999\tComponent") != 0) {
        std::printf("aboutbox ratio 0 target %.1f (%d lines)\n", kTarget, lines);
        return 1;
    }
    std::printf("aboutbox ratio %.2f target %.1f\n", bestOurs / bestBare, kTarget);
    return 0;
}

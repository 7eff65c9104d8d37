// The folder the listing benchmarks read: numbered files 1..numbered (fileNNNN.XXX) and
// other files after them (otherNNNN.dat), in the temporary folder; kept between runs.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

inline std::string MakeBenchFolder(const char* name, int numbered, int others)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + name;
    CreateDirectoryA(dir.c_str(), nullptr);
    char file[64];
    for (int i = 1; i <= numbered + others; ++i) {
        if (i <= numbered)
            std::snprintf(file, sizeof file, "\\file%04d.%03X", i, i);
        else
            std::snprintf(file, sizeof file, "\\other%04d.dat", i);
        HANDLE f = CreateFileA((dir + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
    return dir;
}

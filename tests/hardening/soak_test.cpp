// Soak: one round for each kind of resource the library takes — registry keys, search
// handles, heap blocks — run a few hundred times. After a warm-up the process holds no
// more handles than before and its heap and private memory stay flat.
#include "support/scenario.h"

#include <genbaenv/selfile.h>
#include <genbafw/filefind.h>
#include <gtest/gtest.h>

using namespace genbatest;

// Construction, the current work, an override and the store, on keys of its own.
GENBA_SCENARIO(Soak, RegistryKeys, Isolated())
{
    ResetProductKeys();
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", 3);
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "02030000", "E:\\Sys");
    ExpectFlatFootprint([] {
        CEnvironObj env;
        CString text;
        unsigned char block[4];
        env.SetUserDataStr("", "CurrentWork", "Touch", "1");   // the next object reads the homes again
        env.GetAppType();
        env.GetPath(PATHKIND_SYSTEM_SYSTEM | PATHAPP_VQC);
        env.SetUserDataBuff("S", "E", "B", "\x01\x02", 2);
        env.GetUserDataBuff("S", "E", "B", block, sizeof block);
        env.GetUserDataStr("S", "E", "B", text);
        env.DelUserSection("S", "");
    }, 20, 300);
    ResetProductKeys();
}

TEST(Soak, SearchHandles)
{
    const CEnvironObj env;
    const CString dir = FreshDir("soak_search");
    MakeDir(dir + "\\c");
    for (const char* f : {"\\a.001", "\\b.002", "\\c\\d.txt"}) WriteFile(dir + f);
    ExpectFlatFootprint([&] {
        CFileFind abandoned;
        abandoned.FindFile(dir + "\\*.001");
        abandoned.FindFile(dir + "\\*");   // replaces the first search
        abandoned.FindNextFile();          // then dropped mid-listing
        env.SearchExtDir(dir, 2, nullptr, 0);
        env.CreateDir(dir + "\\e\\f", 1);
        env.RemoveDir(dir + "\\e", 1);
    }, 20, 300);
}

TEST(Soak, HeapBlocks)
{
    const CEnvironObj env;
    const CString dir = FreshDir("soak_heap");
    CString name;
    for (int i = 1; i <= 12; ++i) {
        name.Format("%s\\file%d.%03X", static_cast<const char*>(dir), i, i);
        WriteFile(name, "x");
    }
    ExpectFlatFootprint([&] {
        CSelFileList list;
        list.AddFileList(env, dir, "", "file7.007", 0, nullptr, nullptr);
        list.AddFileList(env, dir, "t|.001|n|.00?", nullptr, 0, nullptr, nullptr);
    }, 20, 300);
}

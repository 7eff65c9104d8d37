// Every registry operation of the library, many thousand times (300 rounds of about
// 40 operations, most of them opening a key, some failing): the process holds no more
// handles at the end than at the start.
#include "settings/store_table.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace genbatest;

namespace {

const CString kEntry = "T_Soak";

void EveryRegistryOperation(const CEnvironObj& env)
{
    unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    unsigned long number = 0;
    CString text;
    for (const Store& st : kStores) {
        (env.*st.setDWord)("", kEntry, "N", 5);
        (env.*st.getDWord)("", kEntry, "N", number);
        (env.*st.getDWord)("", kEntry, "Missing", number);
        (env.*st.setStr)("", kEntry, "T", "text");
        (env.*st.getStr)("", kEntry, "T", text);
        (env.*st.getStr)("", kEntry, "N", text);
        (env.*st.setBuff)("", kEntry, "B", block, sizeof block);
        (env.*st.getBuff)("", kEntry, "B", block, sizeof block);
        (env.*st.getBuff)("", kEntry, "B", block, 2);   // too small
        (env.*st.buffSize)("", kEntry, "B");
        (env.*st.setBuff)("", kEntry, "F", reinterpret_cast<const void*>(1), 4);   // fails after the open
        (env.*st.del)("", kEntry, "T");
        (env.*st.del)("S_Soak", "NoKey", "T");
        (env.*st.setStr)("S_Soak", "E", "V", "x");
        (env.*st.delSection)("S_Soak", "E");
        (env.*st.delSection)("S_Soak", "NoKey");
        (env.*st.delSection)("", kEntry);
    }
    env.GetAppType();
    env.GetPath(PATHKIND_GENBA_MAIN | PATHAPP_VQA);
    env.GetPath(PATHKIND_QMS_SERVER);
}

} // namespace

TEST(Soak, RegistryOperationsLeakNoHandles)
{
    for (const Store& st : kStores) {
        RegDelTree(st.root, ProductKey(st) + "\\" + kEntry);
        RegDelTree(st.root, ProductKey(st) + "\\S_Soak");
    }
    CEnvironObj env;
    EveryRegistryOperation(env);   // first use may open lasting handles of the system's
    { CEnvironObj warm; }
    const long before = ProcessHandleCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 300; ++i) {
        EveryRegistryOperation(env);
        if (i % 10 == 0) CEnvironObj another;
    }
    EXPECT_LE(ProcessHandleCount(), before);
}

#include <uipack.h>

namespace {
// A handle carries the library's tag in its high word and the resource number in its
// low word, so a look made from it says which image it stands for.
const DWORD kLookTag = 0x55490000;   // "UI"
const int kImages[] = {1000, 1001, 1026};
} // namespace

DWORD GetLookHandle(int nResource)
{
    for (int n : kImages)
        if (n == nResource) return kLookTag | static_cast<DWORD>(n);
    return 0;
}

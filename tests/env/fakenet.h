// A network provider for the tests: Wine reports no connected drives, so tests say
// which drive letters are connected to which shares.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace genbatest {

// From now on GetUNCPath sees exactly these connections ('T', "\\\\genbasrv\\share").
void UseFakeConnections(const std::vector<std::pair<char, std::string>>& connections);
void UseSystemConnections();

} // namespace genbatest

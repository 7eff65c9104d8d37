#include <genbafw/wildcard.h>
// Placeholder until the matcher lands.
namespace genba {
bool MatchWildcard(const char*, const char*) { return false; }
}

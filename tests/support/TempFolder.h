#pragma once

#include <string>

namespace vantor::test {

// Creates a fresh folder under the system's temporary folder, named `prefix` and a random
// suffix, on any platform the tests run on; throws when none can be made.
std::string MakeTempFolder(const std::string& prefix);

}  // namespace vantor::test

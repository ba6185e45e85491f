#pragma once

#include <string>
#include <vector>

#include "support/ConfigWriter.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {

// An initialised working state on fake services, ready to load configurations into.
class ConfigLoadTest : public WorkingStateFixture {
protected:
    void Load(const ByteArray& bytes);
    void Load(const ConfigDescription& description) { Load(WriteConfiguration(description)); }
    // The keys whose presence flag is set, in key order.
    std::vector<std::string> ActiveKeys() const;
};

}  // namespace vantor::test

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "polling/MorvikDlg.h"
#include "support/ConfigWriter.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor::test {

// An initialised working state on fake services, ready to load configurations into.
class ConfigLoadTest : public ::testing::Test {
protected:
    ConfigLoadTest() { dlg.OnInitDialog(); }

    void Load(const ByteArray& bytes);
    void Load(const ConfigDescription& description) { Load(WriteConfiguration(description)); }
    // The keys whose presence flag is set, in key order.
    std::vector<std::string> ActiveKeys() const;

    FakePlatform fake;
    RecordingWindow window;
    CMorvikDlg dlg{window, fake.platform};
};

}  // namespace vantor::test

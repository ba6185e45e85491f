#include "support/ConfigLoadTest.h"

#include "config/ByteStream.h"
#include "polling/ConfigReader.h"

namespace vantor::test {

void ConfigLoadTest::Load(const ByteArray& bytes) {
    CMemoryByteStream stream(bytes);
    ReadConfiguration(stream, dlg);
}

std::vector<std::string> ConfigLoadTest::ActiveKeys() const {
    std::vector<std::string> keys;
    for (std::size_t j = 0; j < dlg.m_saQtyKeys.size(); ++j) {
        if (At(dlg.m_baActive, j)) {
            keys.push_back(dlg.m_saQtyKeys[j]);
        }
    }
    return keys;
}

}  // namespace vantor::test

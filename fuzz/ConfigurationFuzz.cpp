// Configuration files as the file page loads them: any bytes are read, absorbed or refused with
// a configuration failure, and whatever was applied leaves a working state that plans its
// poll blocks without fault.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "config/ByteStream.h"
#include "config/ItemList.h"
#include "polling/ConfigReader.h"
#include "polling/MorvikDlg.h"
#include "text/Quantities.h"

using namespace vantor;
using namespace vantor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuietSurroundings surroundings;
    CMorvikDlg dlg(surroundings.window, surroundings.platform);
    dlg.OnInitDialog();

    CMemoryByteStream stream(ByteArray(data, data + size));
    bool readToEnd = true;
    try {
        ReadConfiguration(stream, dlg);
    } catch (const ConfigFailure&) {
        readToEnd = false;
    }
    FUZZ_CHECK(dlg.m_saItems.size() % kTextsPerItem == 0);
    FUZZ_CHECK(dlg.m_saQtyKeys.size() == kQuantityKeys.size() &&
               dlg.m_baActive.size() == kQuantityKeys.size());
    if (!readToEnd) {
        return 0;
    }
    // Past the fixed part every record has left its divisor.
    FUZZ_CHECK(size > 4 && dlg.m_saDivisors.size() == data[4]);

    UpdateActiveQuantities(dlg);
    FUZZ_CHECK(dlg.m_baActive.size() == kQuantityKeys.size());
    const std::size_t items = ItemList(dlg.m_saItems).Count();
    for (std::size_t block = 0; block < items; ++block) {
        CodeOrRefusal([&] {
            dlg.PlanNextBlock();
            return std::uint8_t{0};
        });
    }
    return 0;
}

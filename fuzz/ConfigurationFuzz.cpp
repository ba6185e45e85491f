// Configuration files as the file page loads them: any bytes decode into a configuration whose
// sections say how they ended, and whatever a section holds fits the counts of the file format.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "config/ByteStream.h"
#include "config/ConfigDecoder.h"
#include "config/ItemList.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

constexpr std::size_t kCountOffset = 4;
constexpr std::size_t kExtraGroups = 9;
constexpr std::size_t kAttributeSize = 4;
constexpr std::size_t kRatioSize = 18;
// The recovery fails exactly when some of its rows have no item.
constexpr std::size_t kMostItemsOfAFailedRecovery = 4;

void CheckMeasurementSection(const ConfigMeasurementSection& section, const ItemList& items) {
    std::size_t untimed = 0;
    for (std::size_t item = 0; item < items.Count(); ++item) {
        untimed += IsTimeItem(items.Name(item)) ? 0 : 1;
    }
    switch (section.outcome) {
        case SectionOutcome::Read:
            FUZZ_CHECK(section.nominalCode && section.ratios && section.ranges);
            FUZZ_CHECK(section.itemAttr.size() == kAttributeSize * untimed);
            FUZZ_CHECK(section.attrBit6.size() == untimed);
            FUZZ_CHECK(section.ratioBytes.size() == kRatioSize);
            break;
        case SectionOutcome::Recovered:
            FUZZ_CHECK(section.ranges && section.attrBit6.empty());
            FUZZ_CHECK(section.ratioBytes.size() == kRatioSize);
            // Two range words for every row that has attributes.
            FUZZ_CHECK(section.itemAttr.size() % kAttributeSize == 0 &&
                       section.ranges->size() == 2 * section.itemAttr.size() / kAttributeSize);
            break;
        case SectionOutcome::Failed:
            FUZZ_CHECK(items.Count() <= kMostItemsOfAFailedRecovery);
            FUZZ_CHECK(section.itemAttr.empty() && section.attrBit6.empty() &&
                       section.ratioBytes.empty());
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMemoryByteStream stream(ByteArray(data, data + size));
    const Configuration config = DecodeConfiguration(stream);
    const ConfigFixedPart& fixed = config.fixed;
    FUZZ_CHECK(!fixed.items || fixed.items->size() % kTextsPerItem == 0);
    FUZZ_CHECK(LoadFailureText(config).has_value() ==
               (fixed.outcome == SectionOutcome::Failed ||
                config.measurement->outcome == SectionOutcome::Failed));
    if (fixed.outcome == SectionOutcome::Failed) {
        FUZZ_CHECK(!config.protocol && !config.measurement);
        return 0;
    }
    // Past the fixed part every record has left its divisor.
    FUZZ_CHECK(size > kCountOffset && fixed.divisors.size() == data[kCountOffset]);
    FUZZ_CHECK(fixed.items && config.protocol && config.measurement);

    const ItemList items(*fixed.items);
    if (config.protocol->outcome == SectionOutcome::Read) {
        FUZZ_CHECK(config.protocol->groups &&
                   config.protocol->groups->size() == items.Count() + kExtraGroups);
    }
    CheckMeasurementSection(*config.measurement, items);
    return 0;
}

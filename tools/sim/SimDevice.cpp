#include "SimDevice.h"

#include "config/ByteStream.h"
#include "config/ConfigDecoder.h"
#include "config/ItemList.h"
#include "config/Protocol.h"
#include "text/Quantities.h"
#include "text/QuantityMatch.h"

namespace vantor::sim {
namespace {

// The field sizes the program starts with, for a file that does not name them.
constexpr std::uint8_t kStartAddressSize = 1;
constexpr std::uint8_t kStartIoaSize = 2;
constexpr std::uint8_t kStartCauseSize = 1;
constexpr unsigned kHighByte = 256;

std::vector<SimItem> ItemsOf(const Configuration& config) {
    const TextArray keys(kQuantityKeys.begin(), kQuantityKeys.end());
    const ItemList list(*config.fixed.items);
    const ByteArray groups = config.protocol->groups.value_or(ByteArray{});
    std::vector<SimItem> items;
    for (std::size_t k = 0; k < list.Count(); ++k) {
        SimItem item;
        item.name = list.Name(k);
        item.key = FindQuantityKey(item.name, keys);
        item.address = list.Address(k);
        item.size = list.Size(k);
        item.clock = list.IsClockItem(k);
        if (k < groups.size()) {
            item.group = groups[k];
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

std::optional<SimDevice> LoadDevice(const std::string& path, std::string& error) {
    CFileByteStream stream;
    if (!stream.Open(path)) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    const Configuration config = DecodeConfiguration(stream);
    if (const auto failure = LoadFailureText(config)) {
        error = path + ": " + *failure;
        return std::nullopt;
    }
    SimDevice device;
    device.items = ItemsOf(config);
    if (device.items.empty()) {
        error = path + " holds no active item";
        return std::nullopt;
    }
    const ConfigProtocolSection& protocol = *config.protocol;
    device.address = static_cast<std::uint16_t>(*config.fixed.addressLow +
                                                kHighByte * protocol.addressHigh.value_or(0));
    device.iecTag = protocol.protoTag == kIecProtoTag;
    device.addressSize = protocol.asduAddrSize.value_or(kStartAddressSize) == 1 ? 1 : 2;
    const std::uint8_t ioaSize = protocol.ioaSize.value_or(kStartIoaSize);
    device.ioaSize = ioaSize >= 1 && ioaSize <= 3 ? ioaSize : kStartIoaSize;
    device.causeSize = protocol.cotSize.value_or(kStartCauseSize) == 1 ? 1 : 2;
    return device;
}

}  // namespace vantor::sim

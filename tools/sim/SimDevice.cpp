#include "SimDevice.h"

#include "config/ByteStream.h"
#include "config/ItemList.h"
#include "config/Protocol.h"
#include "platform/SystemClock.h"
#include "polling/ConfigReader.h"
#include "polling/MorvikDlg.h"
#include "text/QuantityMatch.h"

namespace vantor::sim {
namespace {

// The reader applies a file to the program's working state; the simulator lends it one
// without a window, a port or a log folder.
class NoSerial : public ISerialOpener {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string&) override { return nullptr; }
};

class NoPaths : public IPaths {
public:
    std::string LogFolder() override { return {}; }
    bool CreateFolder(const std::string&) override { return false; }
    std::optional<std::string> ResolvePort(const std::string&) override { return std::nullopt; }
};

std::vector<SimItem> ItemsOf(const CMorvikDlg& dlg) {
    const ItemList list(dlg.m_saItems);
    std::vector<SimItem> items;
    for (std::size_t k = 0; k < list.Count(); ++k) {
        SimItem item;
        item.name = list.Name(k);
        item.key = FindQuantityKey(item.name, dlg.m_saQtyKeys);
        item.address = list.Address(k);
        item.size = list.Size(k);
        item.clock = list.IsClockItem(k);
        if (k < dlg.m_baItemCot.size()) {
            item.group = dlg.m_baItemCot[k];
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
    CNullWindow window;
    SystemClock clock;
    NoSerial serial;
    NoPaths paths;
    CMorvikDlg dlg(window, Platform{clock, serial, paths});
    dlg.OnInitDialog();
    try {
        ReadConfiguration(stream, dlg);
    } catch (const std::exception& failure) {
        error = path + ": " + failure.what();
        return std::nullopt;
    }
    SimDevice device;
    device.items = ItemsOf(dlg);
    if (device.items.empty()) {
        error = path + " holds no active item";
        return std::nullopt;
    }
    device.address = dlg.m_nDevAddr;
    device.iecTag = dlg.m_nProtoTag == kIecProtoTag;
    device.addressSize = dlg.m_nIecAsduAddrSize == 1 ? 1 : 2;
    device.ioaSize = dlg.m_nIecIoaSize >= 1 && dlg.m_nIecIoaSize <= 3 ? dlg.m_nIecIoaSize : 2;
    device.causeSize = dlg.m_nIecCotSize == 1 ? 1 : 2;
    return device;
}

}  // namespace vantor::sim

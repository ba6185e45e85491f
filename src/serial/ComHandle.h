#pragma once

#include "platform/SerialDevice.h"

namespace vantor {

// A port handle as the protocol code sees it: zero before any open, invalid after a failed
// open, or a device. Borrowed copies (the IEC channel's) never own the device.
class ComHandle {
public:
    static ComHandle Zero() { return ComHandle(nullptr, false); }
    static ComHandle Invalid() { return ComHandle(nullptr, true); }
    static ComHandle Of(ISerialDevice* device) { return ComHandle(device, false); }

    ComHandle() = default;
    bool IsZero() const { return device_ == nullptr && !invalid_; }
    bool IsInvalid() const { return invalid_; }
    // The device, or null for a zero or invalid handle.
    ISerialDevice* Device() const { return device_; }
    bool operator==(const ComHandle&) const = default;

private:
    ComHandle(ISerialDevice* device, bool invalid) : device_(device), invalid_(invalid) {}
    ISerialDevice* device_ = nullptr;
    bool invalid_ = false;
};

}  // namespace vantor

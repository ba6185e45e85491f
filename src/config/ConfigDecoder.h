#pragma once

#include <optional>
#include <string>

#include "config/ByteStream.h"
#include "config/Configuration.h"

namespace vantor {

// Reads a configuration from its first byte. Throws nothing of its own: how each section ended
// is in the result.
Configuration DecodeConfiguration(IByteStream& stream);

// The text of the failure that loading the configuration reports, if it ends in one.
std::optional<std::string> LoadFailureText(const Configuration& config);

}  // namespace vantor

#pragma once

#include <cstdint>

namespace vantor {

// What the poll tick shows (caption "Ошибка") for an answer status other than 0.
const char* PollStatusMessage(std::uint8_t status);

}  // namespace vantor

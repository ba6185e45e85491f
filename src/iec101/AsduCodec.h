#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "iec101/ParameterBlock.h"
#include "platform/Clock.h"
#include "platform/Types.h"

namespace vantor {

// The application layer's bytes: the ASDUs the master sends and the decoding of the ASDUs it
// receives, as functions of bytes only. The link layer wraps and unwraps them.

enum IecType : std::uint8_t {
    kTypeMeasuredNormalised = 9,   // M_ME_NA_1
    kTypeMeasuredTimeTagged = 10,  // M_ME_TA_1
    kTypeMeasuredNoQuality = 21,   // M_ME_ND_1
    kTypeInterrogation = 100,      // C_IC_NA_1
    kTypeRead = 102,               // C_RD_NA_1
    kTypeClockSync = 103,          // C_CS_NA_1
    kTypeDelayAcquisition = 106,   // C_CD_NA_1
    kTypeMeasuredPrivate = 143,    // value, quality, one CP56Time2a after the last object
};

enum IecCause : std::uint8_t {
    kCausePeriodic = 1,
    kCauseBackgroundScan = 2,
    kCauseSpontaneous = 3,
    kCauseRequest = 5,
    kCauseActivation = 6,
    kCauseActivationConfirm = 7,
    kCauseDeactivation = 8,
    kCauseDeactivationConfirm = 9,
    kCauseActivationTermination = 10,
    kCauseStationInterrogation = 20,
    kCauseUnknownType = 44,
    kCauseUnknownCause = 45,
    kCauseUnknownCommonAddress = 46,
    kCauseUnknownObjectAddress = 47,
};

// The first information element of every command: type, one object, cause, originator when
// the cause field has two octets, common address, object address.
ByteArray CommandAsdu(std::uint8_t type, std::uint8_t cause, std::uint16_t commonAddress,
                      std::uint32_t objectAddress, const IecFieldSizes& sizes);
// Seven octets: milliseconds of the minute, minute, hour, day + weekday (1 = Monday) × 32,
// month, year − 2000.
void AppendCp56Time2a(ByteArray& asdu, const SystemTime& utc);
// A 16-bit element, low octet first (CP16Time2a and the delay).
void AppendWord(ByteArray& asdu, std::uint16_t value);
// Second × 1000 + milliseconds: the CP16Time2a of a moment.
std::uint16_t MillisecondsOfMinute(const SystemTime& utc);
// Milliseconds from `from` to `to`, both milliseconds of the minute, across one minute's end.
unsigned MillisecondsBetween(std::uint16_t from, std::uint16_t to);

// Length of the answer to the delay acquisition: one C_CD_NA_1 object, one-octet cause.
std::size_t DelayAnswerLength(const IecFieldSizes& sizes);
// Half the time from the time stamp the answer returns to `arrivalMs`, both milliseconds of
// the minute; 0 when the answer is not a sound C_CD_NA_1 frame or its time stamp is 0.
std::uint16_t DelayFromAnswer(std::span<const std::uint8_t> answer, const IecFieldSizes& sizes,
                              std::uint16_t arrivalMs);

// The transducer's time stamp, written by the decoder: milliseconds, and minute (low octet)
// with hour (high octet).
struct DeviceTime {
    std::uint16_t& ms;
    std::uint16_t& hourMinute;
};

// The first octet of a decoded reply that answers an interrogation, which carries every item.
inline constexpr std::uint8_t kInterrogatedMark = 0xFF;

// Decodes the ASDU of a variable frame whose link layer is sound. Appends the type
// identification and the cause octet to `params`; fills `reply` with kInterrogatedMark or 0,
// then 0, then one value per object, high octet first. Returns the reply code.
std::uint8_t DecodeAsdu(std::span<const std::uint8_t> frame, ByteArray& params,
                        std::size_t itemCount, const ByteArray& itemCot, ByteArray& reply,
                        DeviceTime time);

}  // namespace vantor

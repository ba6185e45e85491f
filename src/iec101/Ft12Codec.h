#pragma once

#include <cstdint>
#include <span>

#include "platform/Types.h"

namespace vantor {

// FT1.2 framing of the unbalanced link: frame builders and the check of a secondary's answer,
// as functions of bytes only.

constexpr std::uint8_t kSingleAck = 0xE5;
constexpr std::uint8_t kFixedStart = 0x10;
constexpr std::uint8_t kVariableStart = 0x68;
constexpr std::uint8_t kFrameEnd = 0x16;

// Primary control fields (PRM = 1) without the frame count bit.
constexpr std::uint8_t kCtrlResetLink = 0x40;
constexpr std::uint8_t kCtrlLinkStatus = 0x49;
constexpr std::uint8_t kCtrlUserData = 0x53;  // user data with confirmation, FCV = 1
constexpr std::uint8_t kCtrlClass1 = 0x5A;    // request user data class 1, FCV = 1
constexpr std::uint8_t kCtrlClass2 = 0x5B;    // request user data class 2, FCV = 1
constexpr std::uint8_t kFcbBit = 0x20;

// Reply codes decided at the link level.
enum LinkCode : std::uint8_t {
    kReplyAccepted = 0,
    kReplyBadStart = 1,
    kReplyBadEnd = 2,
    kReplyBadChecksum = 3,
    kReplyNothing = 4,
    kReplyNegativeAck = 5,
    kReplyNotConfirmed = 6,
    kReplyTooShort = 7,
    kReplySingleAck = 229,
    kReplyOtherFunction = 255,
};

// The arithmetic sum, modulo 256, of the octets from the control field to the checksum.
std::uint8_t Ft12Checksum(std::span<const std::uint8_t> octets);
// Appends the low octet of `value`, and the high octet unless `size` is 1.
void AppendAddress(ByteArray& frame, std::uint16_t value, std::uint8_t size);
// Appends exactly `size` octets of `value`, low first (octets beyond the fourth are 0).
void AppendObjectAddress(ByteArray& frame, std::uint32_t value, std::uint8_t size);
// Appends the checksum and the end octet; a variable frame also gets its two length octets.
void FinishFrame(ByteArray& frame);
// A complete fixed-length frame.
ByteArray FixedFrame(std::uint8_t control, std::uint16_t address, std::uint8_t addressSize);
// The header of a variable-length frame up to and including the link address.
ByteArray VariableFrameHeader(std::uint8_t control, std::uint16_t address,
                              std::uint8_t addressSize);

// What the link layer makes of a received answer: a reply code, or an ASDU to decode.
struct LinkVerdict {
    std::uint8_t code = kReplyAccepted;
    bool carriesAsdu = false;
};
LinkVerdict CheckLinkReply(std::span<const std::uint8_t> frame, std::uint8_t addressSize);

// Answers to the two link procedures: the single character, or a sound fixed frame with the
// function of status of link (11) or positive acknowledgement (0).
bool IsLinkStatusAnswer(std::span<const std::uint8_t> frame);
bool IsResetAcknowledged(std::span<const std::uint8_t> frame);
// What acknowledges the delay command: the single character, or a five-octet positive
// acknowledgement with DFC clear, ACD set or not.
bool IsDelayAcknowledgement(std::span<const std::uint8_t> frame);
// A sound answer of a secondary with ACD set: class 1 data waits there.
bool DemandsAccess(std::span<const std::uint8_t> frame);

}  // namespace vantor

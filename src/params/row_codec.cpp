#include "params/row_codec.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "params/validators.h"
#include "wire/frame_bytes.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::params {

namespace {

constexpr std::string_view kUnused = "FFFFFFFF";
constexpr std::int64_t kAnswerOffset = 0x00010001;
constexpr double kSmallestFloatValue = 0.0000001;

std::string OffsetId(std::string_view id, std::int64_t offset) {
  return wire::DwordToHex8(wire::HexToInteger(id) + offset);
}

bool Passes(Validator validator, std::string_view text) {
  switch (validator) {
    case Validator::Integer:
      return wire::IsIntegerText(text);
    case Validator::NonNegativeInteger:
      return IsNonNegativeIntegerText(text);
    case Validator::PositiveInteger:
      return IsPositiveIntegerText(text);
    case Validator::Decimal:
      return IsDecimalText(text);
  }
  return false;
}

// What the field on the wire can hold.
bool Fits(Encoding encoding, std::int64_t value) {
  switch (encoding) {
    case Encoding::U16:
      return value >= 0 && value <= 0xFFFF;
    case Encoding::U8:
    case Encoding::Choice:
      return value >= 0 && value <= 0xFF;
    case Encoding::S8:
      return value >= -128 && value <= 127;
    case Encoding::F32:
    case Encoding::Code:
      break;
  }
  return false;
}

// The value's digits in data1, behind the item index of a multi-item group, filled up
// with "FF".
std::string Data1(const Row& row, std::string_view digits) {
  std::string data1 = row.item ? wire::ByteToHex2(*row.item) : std::string();
  data1 += digits;
  data1.append(kUnused.substr(0, kUnused.size() - std::min(kUnused.size(), data1.size())));
  return data1;
}

std::optional<Fields> SaveFloat(const Row& row, std::string_view text) {
  if (!Passes(row.validator, text)) return std::nullopt;
  const auto bits = FloatToHex8(text);
  if (!bits) return std::nullopt;
  const float value = std::bit_cast<float>(static_cast<std::uint32_t>(wire::HexToInteger(*bits)));
  if (!(value > kSmallestFloatValue)) return std::nullopt;
  return Fields{Data1(row, ""), *bits};
}

}  // namespace

GroupIds IdsOfGroup(std::string_view readId) {
  return {std::string(readId), OffsetId(readId, kAnswerOffset), OffsetId(readId, 2),
          OffsetId(readId, 2 + kAnswerOffset)};
}

Fields ReadRequest(const Row& row) { return {Data1(row, ""), std::string(kUnused)}; }

std::optional<Fields> SaveRequest(const Row& row, std::string_view value) {
  switch (row.encoding) {
    case Encoding::F32:
      return SaveFloat(row, value);
    case Encoding::Code:
      if (value.size() != 2 || !wire::IsHexText(value)) return std::nullopt;
      return Fields{Data1(row, value), std::string(kUnused)};
    case Encoding::U16:
    case Encoding::U8:
    case Encoding::S8:
    case Encoding::Choice:
      break;
  }
  if (!Passes(row.validator, value)) return std::nullopt;
  // The whole value first, refused on overflow: a conversion that wrapped could pass the
  // range as another number.
  const auto number = wire::DecimalTextToInteger(value);
  if (!number) return std::nullopt;
  if ((row.min && *number < *row.min) || (row.max && *number > *row.max)) return std::nullopt;
  if (!Fits(row.encoding, *number)) return std::nullopt;
  const std::string digits =
      row.encoding == Encoding::U16 ? wire::WordToHex4(*number) : wire::ByteToHex2(*number);
  return Fields{Data1(row, digits), std::string(kUnused)};
}

std::optional<std::string> DecodeValue(const Row& row, std::string_view data1,
                                       std::string_view data2) {
  const wire::FrameBytes bytes(data1, data2);
  if (row.item && bytes.byteText(1) != wire::ByteToHex2(*row.item)) return std::nullopt;
  const int first = row.item ? 2 : 1;
  switch (row.answer.value_or(row.encoding)) {
    case Encoding::U16:
      return std::to_string(bytes.word(first));
    case Encoding::U8:
    case Encoding::Choice:
      return std::to_string(bytes.byte(first));
    case Encoding::S8:
      return wire::SignedByteToText(bytes.byteText(first));
    case Encoding::Code:
      return std::string(bytes.byteText(first));
    case Encoding::F32:
      return wire::FormatDecimals(wire::HexToFloat(data2.substr(0, 8)), row.decimals);
  }
  return std::nullopt;
}

Acknowledgement DecodeAcknowledgement(const Row& row, std::string_view data1) {
  const wire::FrameBytes bytes(data1, "");
  if (row.item && bytes.byteText(1) != wire::ByteToHex2(*row.item)) {
    return Acknowledgement::OtherItem;
  }
  return bytes.byteText(row.item ? 2 : 1) == "AA" ? Acknowledgement::Saved
                                                  : Acknowledgement::Refused;
}

}  // namespace bms::params

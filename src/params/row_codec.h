#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The codec of one parameter row, apart from any window: what a read or a save sends, and
// what an answer or an acknowledgement says of the row. A value is handled as a user
// would enter it: a decimal number, the zero-based index of a choice, the two hex digits
// of a code.
namespace bms::params {

// How a value travels: 16- or 8-bit unsigned, 8-bit two's complement, single-precision
// float in the whole of data2, the index of a choice (8-bit), or a code of two hex digits
// sent as typed.
enum class Encoding { U16, U8, S8, F32, Choice, Code };

// What a typed text must look like before its value is looked at.
enum class Validator { Integer, NonNegativeInteger, PositiveInteger, Decimal };

// The four frame IDs of a parameter group, from its read request ID.
struct GroupIds {
  std::string read;   // R
  std::string value;  // R + 00010001, the answer to a read
  std::string save;   // R + 2
  std::string ack;    // R + 2 + 00010001, the answer to a save
};
GroupIds IdsOfGroup(std::string_view readId);

struct Row {
  std::string_view readId = {};
  std::optional<int> item = {};  // the item index in a multi-item group
  Encoding encoding = Encoding::U16;
  Validator validator = Validator::Integer;
  std::optional<std::int64_t> min = {};  // inclusive bounds of an integer value
  std::optional<std::int64_t> max = {};
  int decimals = 0;  // how a float value is shown
  // How an answer is read where it differs from what a save sends: a choice saved as its
  // index may come back as a signed number.
  std::optional<Encoding> answer = {};
};

struct Fields {
  std::string data1;
  std::string data2;
  friend bool operator==(const Fields&, const Fields&) = default;
};

Fields ReadRequest(const Row& row);

// The save request for a value as a user entered it, or nothing when it is refused: the
// validator refuses the text, the value is outside the row's range, or it does not fit
// the field on the wire (it is never cut down to another value). A float must be greater
// than 1e-7 and finite as a single-precision number.
std::optional<Fields> SaveRequest(const Row& row, std::string_view value);

// The value a read answer carries for this row, as a user would enter it; nothing when
// the answer is about another item of the group.
std::optional<std::string> DecodeValue(const Row& row, std::string_view data1,
                                       std::string_view data2);

enum class Acknowledgement { Saved, Refused, OtherItem };
Acknowledgement DecodeAcknowledgement(const Row& row, std::string_view data1);

}  // namespace bms::params

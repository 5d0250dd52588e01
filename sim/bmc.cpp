#include "sim/bmc.h"

#include <algorithm>

#include "sim/factory.h"
#include "sim/frames.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kCellDetailRequest = 0x09A01000;  // + BIC number in the low byte
constexpr std::int64_t kLastId = 0xFFFFFFFF;

bool IsField(std::string_view text) { return text.size() == 8 && wire::IsHexText(text); }

}  // namespace

Bmc::Bmc(const BmcConfig& config)
    : config_(config),
      number_(config.number),
      bmcField_(wire::BmcNumberToHex(std::to_string(config.number))),
      pack_(config.seed, config.bics),
      parameters_(config.saves),
      calibration_(pack_, config.saves == SavePolicy::Refused),
      counters_(config.seed, config.saves == SavePolicy::Refused),
      dcModule_(config.seed, config.saves == SavePolicy::Refused) {}

std::string Bmc::Line(const Frame& frame) const { return BmcFrameLine(bmcField_, frame); }

std::vector<std::string> Bmc::HandleLine(std::string_view line) {
  runFrames_.reset();
  const wire::ReceivedFields fields(line);
  // The BMC answers whatever number the request carries: on its own link it is the
  // only BMC, and the relay has already routed by number.
  if (!wire::TextEquals(fields[1], "T") || !wire::TextEquals(fields[3], "6")) return {};
  return Answer(fields[4], fields[5], fields[6]);
}

bool Bmc::Knows(std::int64_t request) const {
  switch (request) {
    case 0x09A00012:
    case 0x09A00020:
    case 0x09A00042:
    case 0x09A00044:
      return true;
    default:
      return (request & ~0xFF) == kCellDetailRequest || IsFactoryRequest(request) ||
             Counters::Knows(request) || parameters_.Knows(request) ||
             CalibrationStore::Knows(request) || DcChargingModule::Knows(request);
  }
}

std::vector<std::string> Bmc::Answer(std::string_view id, std::string_view data1,
                                     std::string_view data2) {
  if (id.size() != 8 || !wire::IsHexText(id)) return {};
  const std::int64_t request = wire::HexToInteger(id);
  if (!Knows(request)) {
    if (request == kLastId || !IsField(data1) || !IsField(data2)) return {};
    return {Line(Frame{wire::DwordToHex8(request + 1), std::string(data1), std::string(data2)})};
  }
  if ((request & ~0xFF) == kCellDetailRequest) {
    // A BIC beyond the installed count is not polled, one beyond the pack is not there.
    const int number = static_cast<int>(request & 0xFF);
    std::vector<std::string> lines;
    if (number >= 1 && number <= std::min(calibration_.installedBics(), pack_.bicCount())) {
      for (const Frame& frame : CellDetailFrames(pack_, number)) lines.push_back(Line(frame));
    }
    return lines;
  }
  // A new BMC number already heads the acknowledgement of its write.
  if (const auto frame = Own(request, data1, data2)) return {Line(*frame)};
  return {};
}

std::optional<Frame> Bmc::Own(std::int64_t request, std::string_view data1,
                              std::string_view data2) {
  switch (request) {
    case 0x09A00012:
      return FirmwareVersionFrame();
    case 0x09A00020:
      return RemainingEnergyFrame(pack_);
    case 0x09A00042:
      return ExtremePositionsFrame(pack_);
    case 0x09A00044:
      return BoardTemperaturePositionsFrame(pack_);
    default:
      break;
  }
  if (IsFactoryRequest(request)) {
    auto frame = FactoryAnswer(request, data1, data2, config_.saves == SavePolicy::Refused, number_,
                               counters_);
    bmcField_ = wire::BmcNumberToHex(std::to_string(number_));
    return frame;
  }
  if (auto frame = counters_.Answer(request)) return frame;
  if (auto frame = dcModule_.Answer(request, data1, pack_)) return frame;
  if (auto frame = parameters_.Answer(request, data1, data2)) return frame;
  return calibration_.Answer(request, data1, data2, pack_);
}

std::string Bmc::NextRunDataLine() {
  if (!runFrames_) runFrames_ = RunDataFrames(pack_, config_.faults, config_.warnings);
  std::string line = Line((*runFrames_)[static_cast<std::size_t>(nextRunFrame_)]);
  if (++nextRunFrame_ == static_cast<int>(runFrames_->size())) {
    nextRunFrame_ = 0;
    runFrames_.reset();
    // The set's time passes with what the set reported.
    counters_.Advance(config_.secondsPerSet, pack_.currentA(), pack_.totalVoltageV());
    pack_.Step();
  }
  return line;
}

}  // namespace bms::sim

#include "sim/bmc.h"

#include <algorithm>

#include "sim/frames.h"
#include "wire/frame_line.h"
#include "wire/hex_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kCellDetailRequest = 0x09A01000;  // + BIC number in the low byte

}  // namespace

Bmc::Bmc(const BmcConfig& config)
    : config_(config),
      bmcField_(wire::BmcNumberToHex(std::to_string(config.number))),
      pack_(config.seed, config.bics),
      parameters_(config.saves),
      calibration_(pack_, config.saves == SavePolicy::Refused) {}

std::string Bmc::Line(const Frame& frame) const { return BmcFrameLine(bmcField_, frame); }

std::vector<std::string> Bmc::HandleLine(std::string_view line) {
  const wire::ReceivedFields fields(line);
  // The BMC answers whatever number the request carries: on its own link it is the
  // only BMC, and the relay has already routed by number.
  if (!wire::TextEquals(fields[1], "T") || !wire::TextEquals(fields[3], "6")) return {};
  return Answer(fields[4], fields[5], fields[6]);
}

std::vector<std::string> Bmc::Answer(std::string_view id, std::string_view data1,
                                     std::string_view data2) {
  if (id.size() != 8 || !wire::IsHexText(id)) return {};
  const std::int64_t request = wire::HexToInteger(id);
  std::vector<std::string> lines;
  switch (request) {
    case 0x09A00012:
      lines.push_back(Line(FirmwareVersionFrame()));
      break;
    case 0x09A00020:
      lines.push_back(Line(RemainingEnergyFrame(pack_)));
      break;
    case 0x09A00042:
      lines.push_back(Line(ExtremePositionsFrame(pack_)));
      break;
    case 0x09A00044:
      lines.push_back(Line(BoardTemperaturePositionsFrame(pack_)));
      break;
    default:
      if (auto parameter = parameters_.Answer(request, data1, data2)) {
        lines.push_back(Line(*parameter));
      } else if (auto calibration = calibration_.Answer(request, data1, data2, pack_)) {
        lines.push_back(Line(*calibration));
      } else if ((request & ~0xFF) == kCellDetailRequest) {
        // A BIC beyond the installed count is not polled, one beyond the pack is not there.
        const int number = static_cast<int>(request & 0xFF);
        if (number >= 1 && number <= std::min(calibration_.installedBics(), pack_.bicCount())) {
          for (const Frame& frame : CellDetailFrames(pack_, number)) lines.push_back(Line(frame));
        }
      }
      break;
  }
  return lines;
}

std::string Bmc::NextRunDataLine() {
  const auto frames = RunDataFrames(pack_, config_.faults, config_.warnings);
  std::string line = Line(frames[static_cast<std::size_t>(nextRunFrame_)]);
  if (++nextRunFrame_ == static_cast<int>(frames.size())) {
    nextRunFrame_ = 0;
    pack_.Step();
  }
  return line;
}

}  // namespace bms::sim

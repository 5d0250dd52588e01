#include "sim/calibration.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::sim {

namespace {

constexpr std::int64_t kVoltageScaleRead = 0x09A00118;
constexpr std::int64_t kVoltageScaleSave = 0x09A0011A;
constexpr std::int64_t kCurrentScaleRead = 0x09A0011C;
constexpr std::int64_t kCurrentScaleSave = 0x09A0011E;
constexpr std::int64_t kCurrentZeroRead = 0x09A00120;
constexpr std::int64_t kCurrentZeroSave = 0x09A00122;
constexpr std::int64_t kDcScaleRead = 0x09A0FA18;
constexpr std::int64_t kDcScaleSave = 0x09A0FA1A;
constexpr std::int64_t kDcZeroRead = 0x09A0FA1C;
constexpr std::int64_t kDcZeroSave = 0x09A0FA1E;
constexpr std::int64_t kDcCurrentRead = 0x09A0FA32;
constexpr std::int64_t kInstalledRead = 0x09A00100;
constexpr std::int64_t kInstalledSave = 0x09A00102;
constexpr std::int64_t kAnswerOffset = 0x00010001;

// Per-BIC commands: the low byte of the ID is the BIC address, the save is the read's
// ID + 0x200, and the answer keeps the address: 09A024aa is answered by 09A125aa.
constexpr std::int64_t kBicAddress = 0x09A02000;
constexpr std::int64_t kBicCells = 0x09A02400;
constexpr std::int64_t kBicSensors = 0x09A02800;
constexpr std::int64_t kBicReference = 0x09A02C00;
constexpr std::int64_t kBicSaveOffset = 0x200;
constexpr std::int64_t kBicAnswerOffset = 0x00010100;

constexpr int kMinZero = 20000;
constexpr int kMaxZero = 40000;
constexpr int kMinReferenceMv = 2300;
constexpr int kMaxReferenceMv = 2700;
constexpr int kMaxInstalledBics = 253;

constexpr std::string_view kUnused = "FFFFFFFF";

constexpr std::int64_t kFixedRequests[] = {
    kVoltageScaleRead, kVoltageScaleSave, kCurrentScaleRead, kCurrentScaleSave, kCurrentZeroRead,
    kCurrentZeroSave,  kDcScaleRead,      kDcScaleSave,      kDcZeroRead,       kDcZeroSave,
    kDcCurrentRead,    kInstalledRead,    kInstalledSave};

// The read command of a per-BIC request with its address byte removed.
bool IsBicRead(std::int64_t read) {
  return read == kBicAddress || read == kBicCells || read == kBicSensors || read == kBicReference;
}

bool IsField(std::string_view text) { return text.size() == 8 && wire::IsHexText(text); }

int Byte(std::string_view field, int n) {
  return static_cast<int>(wire::HexToInteger(field.substr(static_cast<std::size_t>(2 * n - 2), 2)));
}

int Word(std::string_view field, int n) { return Byte(field, n) * 256 + Byte(field, n + 1); }

std::string FloatBits(float value) {
  return wire::DwordToHex8(std::bit_cast<std::uint32_t>(value));
}

Frame Value(std::int64_t answer, std::string data1, std::string_view data2 = kUnused) {
  return Frame{wire::DwordToHex8(answer), std::move(data1), std::string(data2)};
}

// Method 1 ("00") replaces the scale, method 2 ("01") multiplies it by a correction factor.
bool Calibrate(float& scale, std::string_view data1, std::string_view data2) {
  if (!IsField(data1) || !IsField(data2)) return false;
  const float value = wire::HexToFloat(data2);
  float next = 0;
  switch (Byte(data1, 1)) {
    case 0x00:
      next = value;
      break;
    case 0x01:
      next = scale * value;
      break;
    default:
      return false;
  }
  if (!std::isfinite(next) || !(next > 0)) return false;
  scale = next;
  return true;
}

// "00" takes the count the converter shows now as the zero, "01" + 4 hex digits sets it.
bool SetZero(CurrentChannel& channel, std::string_view data1, double actualA) {
  if (!IsField(data1)) return false;
  int zero = 0;
  switch (Byte(data1, 1)) {
    case 0x00:
      zero = CurrentChannel::CountAt(actualA);
      break;
    case 0x01:
      zero = Word(data1, 2);
      break;
    default:
      return false;
  }
  if (zero < kMinZero || zero > kMaxZero) return false;
  channel.zero = zero;
  return true;
}

// The reference that makes the cell at `index` read `measuredMv`: readings are in
// proportion to the reference.
std::optional<int> ReferenceFor(const Bic& bic, int index, int measuredMv) {
  if (index >= bic.cells) return std::nullopt;
  const int actual = bic.actualMv[static_cast<std::size_t>(index)];
  if (actual <= 0) return std::nullopt;
  return static_cast<int>(
      std::lround(static_cast<double>(measuredMv) * kNominalReferenceMv / actual));
}

}  // namespace

double CurrentChannel::Reading(double actualA) const {
  return (CountAt(actualA) - zero) * static_cast<double>(scale);
}

int CurrentChannel::CountAt(double actualA) {
  return kDefaultCurrentZero +
         static_cast<int>(std::lround(actualA / static_cast<double>(kDefaultCurrentScale)));
}

CalibrationStore::CalibrationStore(const PackModel& pack, bool refuseChanges)
    : refuseChanges_(refuseChanges), installed_(pack.bicCount()) {
  for (int number = 1; number <= pack.bicCount(); ++number) {
    const Bic& bic = pack.bic(number);
    bics_.push_back(BicSetup{number, bic.cells, bic.sensors, bic.referenceMv});
  }
}

std::optional<Frame> CalibrationStore::Answer(std::int64_t request, std::string_view data1,
                                              std::string_view data2, PackModel& pack) {
  const std::int64_t answer = request + kAnswerOffset;
  const double dcActualA = pack.charging() ? pack.actualCurrentA() : 0;
  switch (request) {
    case kVoltageScaleRead:
      return Value(answer, FloatBits(voltageScale_));
    case kVoltageScaleSave:
      return Acknowledge(answer, !refuseChanges_ && Calibrate(voltageScale_, data1, data2), pack);
    case kCurrentScaleRead:
      return Value(answer, FloatBits(current_.scale));
    case kCurrentScaleSave:
      return Acknowledge(answer, !refuseChanges_ && Calibrate(current_.scale, data1, data2), pack);
    case kCurrentZeroRead:
      return Value(answer, wire::WordToHex4(current_.zero) + "FFFF");
    case kCurrentZeroSave:
      return Acknowledge(answer, !refuseChanges_ && SetZero(current_, data1, pack.actualCurrentA()),
                         pack);
    case kDcScaleRead:
      return Value(answer, FloatBits(dcPort_.scale));
    case kDcScaleSave:
      return Acknowledge(answer, !refuseChanges_ && Calibrate(dcPort_.scale, data1, data2), pack);
    case kDcZeroRead:
      return Value(answer, wire::WordToHex4(dcPort_.zero) + "FFFF");
    case kDcZeroSave:
      return Acknowledge(answer, !refuseChanges_ && SetZero(dcPort_, data1, dcActualA), pack);
    case kDcCurrentRead:
      // "01": the DC port is in use; the port only carries current while charging.
      return Value(answer, "01FFFFFF", FloatBits(static_cast<float>(dcPort_.Reading(dcActualA))));
    case kInstalledRead:
      return Value(answer, wire::ByteToHex2(installed_) + "FFFFFF");
    case kInstalledSave:
      return Acknowledge(answer, !refuseChanges_ && SaveInstalled(data1), pack);
    default:
      return BicAnswer(request, data1, pack);
  }
}

bool CalibrationStore::Knows(std::int64_t request) {
  return std::ranges::find(kFixedRequests, request) != std::end(kFixedRequests) ||
         IsBicRead(request & ~0xFF & ~kBicSaveOffset);
}

std::optional<Frame> CalibrationStore::BicAnswer(std::int64_t request, std::string_view data1,
                                                 PackModel& pack) {
  const std::int64_t command = request & ~0xFF;
  const int address = static_cast<int>(request & 0xFF);
  const std::int64_t read = command & ~kBicSaveOffset;
  if (!IsBicRead(read)) return std::nullopt;
  const bool save = command != read;
  const std::vector<int> targets = Targets(address, save);
  if (targets.empty()) return std::nullopt;
  if (save) {
    return Acknowledge(request + kBicAnswerOffset,
                       !refuseChanges_ && SaveBicField(read, targets, data1, pack), pack);
  }
  const BicSetup& bic = bics_[static_cast<std::size_t>(targets.front() - 1)];
  std::string value;
  if (read == kBicReference) {
    value = wire::WordToHex4(bic.referenceMv) + "FFFF";
  } else {
    const int byte = read == kBicAddress ? bic.address
                     : read == kBicCells ? bic.cells
                                         : bic.sensors;
    value = wire::ByteToHex2(byte) + "FFFFFF";
  }
  return Value(request + kBicAnswerOffset, value);
}

bool CalibrationStore::SaveInstalled(std::string_view data1) {
  if (!IsField(data1)) return false;
  const int count = Byte(data1, 1);
  if (count < 1 || count > kMaxInstalledBics) return false;
  installed_ = count;
  return true;
}

// Checks the new value for every target before changing any, so a refusal leaves all of
// them as they were.
bool CalibrationStore::SaveBicField(std::int64_t command, const std::vector<int>& targets,
                                    std::string_view data1, const PackModel& pack) {
  if (!IsField(data1)) return false;
  std::vector<BicSetup> next = bics_;
  for (int number : targets) {
    BicSetup& bic = next[static_cast<std::size_t>(number - 1)];
    const int byte = Byte(data1, 1);
    switch (command) {
      case kBicAddress:
        if (byte == 0) return false;  // 00 stands for "no address given"
        bic.address = byte;
        break;
      case kBicCells:
        if (byte < 1 || byte > kMaxCellsPerBic) return false;
        bic.cells = byte;
        break;
      case kBicSensors:
        if (byte > kMaxSensorsPerBic) return false;
        bic.sensors = byte;
        break;
      default: {
        std::optional<int> reference;
        if (byte == 0x00) reference = Word(data1, 2);
        if (byte == 0x01)
          reference = ReferenceFor(pack.bic(number), Byte(data1, 4), Word(data1, 2));
        if (!reference || *reference < kMinReferenceMv || *reference > kMaxReferenceMv)
          return false;
        bic.referenceMv = *reference;
        break;
      }
    }
  }
  bics_ = std::move(next);
  return true;
}

// Address 00 names no BIC in particular: a save goes to every BIC, a read is answered by
// BIC 1. Otherwise every BIC at that address is meant.
std::vector<int> CalibrationStore::Targets(int address, bool save) const {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < bics_.size(); ++i) {
    if (address == 0 || bics_[i].address == address) numbers.push_back(static_cast<int>(i + 1));
  }
  if (!save && numbers.size() > 1) numbers.resize(1);
  return numbers;
}

Frame CalibrationStore::Acknowledge(std::int64_t answer, bool changed, PackModel& pack) const {
  if (changed) Apply(pack);
  return Value(answer, std::string(changed ? "AA" : "00") + "FFFFFF");
}

void CalibrationStore::Apply(PackModel& pack) const {
  const double currentScale = current_.scale;
  pack.SetMeter(Meter{
      currentScale / static_cast<double>(kDefaultCurrentScale),
      (kDefaultCurrentZero - current_.zero) * currentScale,
      static_cast<double>(voltageScale_) / static_cast<double>(kDefaultVoltageScale),
  });
  for (std::size_t i = 0; i < bics_.size(); ++i) {
    const BicSetup& bic = bics_[i];
    pack.ConfigureBic(static_cast<int>(i + 1), bic.cells, bic.sensors, bic.referenceMv);
  }
}

}  // namespace bms::sim

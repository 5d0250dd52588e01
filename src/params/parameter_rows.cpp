#include "params/parameter_rows.h"

#include <charconv>
#include <optional>

#include "base/language.h"
#include "params/validators.h"
#include "wire/hex_text.h"
#include "wire/number_text.h"

namespace bms::params {

namespace {

// Only the thermistor type says so when the controller refuses a save; the other rows
// keep "Wait".
constexpr std::string_view kRefusalShownBy = "09A10107";

bool ShowsRefusal(std::string_view ackId) { return ackId == kRefusalShownBy; }

// The rated energy is no parameter of its own: the product of the rated capacity and
// voltage as their labels show them, once both show a number.
constexpr std::string_view kCapacityLabel = "额定容量Ah显示标签";
constexpr std::string_view kVoltageLabel = "额定总电压显示标签";
constexpr std::string_view kEnergyLabel = "额定kWh显示标签";

void ShowRatedEnergy(forms::Form& main) {
  const std::string capacity = main.text(kCapacityLabel);
  const std::string voltage = main.text(kVoltageLabel);
  if (!IsDecimalText(capacity) || !IsDecimalText(voltage)) return;
  double ah = 0;
  double volts = 0;
  std::from_chars(capacity.data(), capacity.data() + capacity.size(), ah);
  std::from_chars(voltage.data(), voltage.data() + voltage.size(), volts);
  main.setText(kEnergyLabel, wire::FormatDecimals(ah * volts / 1000, 3));
}

}  // namespace

ParameterRows::ParameterRows(base::Context& context, link::LinkControl& link,
                             std::span<const CatalogueRow> rows)
    : context_(context), link_(link), rows_(rows) {
  for (const auto& row : rows_) ids_.push_back(IdsOfGroup(row.codec.readId));
}

void ParameterRows::bind() {
  auto& main = context_.main();
  for (const auto& row : rows_) {
    main.bind(row.readButton, forms::Event::Click, [this, &row] { onRead(row); });
    main.bind(row.saveButton, forms::Event::Click, [this, &row] { onSave(row); });
  }
}

void ParameterRows::registerDecoders(monitor::Dispatcher& dispatcher) {
  for (const auto& ids : ids_) {
    dispatcher.addExact(ids.value, [this](std::string_view id, std::string_view data1,
                                          std::string_view data2) { onValue(id, data1, data2); });
    dispatcher.addExact(ids.ack, [this](std::string_view id, std::string_view data1, auto) {
      onAcknowledgement(id, data1);
    });
  }
}

void ParameterRows::onRead(const CatalogueRow& row) {
  context_.main().setText(row.display, "Wait");
  const auto fields = ReadRequest(row.codec);
  link_.sendFrame(row.codec.readId, fields.data1, fields.data2);
}

std::string ParameterRows::enteredValue(const CatalogueRow& row) {
  auto& main = context_.main();
  switch (row.codec.encoding) {
    case Encoding::Choice:
      return std::to_string(main.index(row.input));
    case Encoding::Code:
      return main.index(row.input) < 0 ? std::string() : main.text(row.input);
    case Encoding::U16:
    case Encoding::U8:
    case Encoding::S8:
    case Encoding::F32:
      break;
  }
  return main.text(row.input);
}

void ParameterRows::onSave(const CatalogueRow& row) {
  const auto fields = SaveRequest(row.codec, enteredValue(row));
  if (!fields) {
    context_.raiseError();
    return;
  }
  context_.main().setText(row.display, "Wait");
  link_.sendFrame(IdsOfGroup(row.codec.readId).save, fields->data1, fields->data2);
}

void ParameterRows::onValue(std::string_view valueId, std::string_view data1,
                            std::string_view data2) {
  auto& main = context_.main();
  for (std::size_t n = 0; n < rows_.size(); ++n) {
    if (ids_[n].value != valueId) continue;
    const auto& row = rows_[n];
    auto value = DecodeValue(row.codec, data1, data2);
    if (!value) continue;
    if (!row.choices.empty()) {
      const auto index = wire::DecimalTextToInteger(*value);
      const bool named =
          index && *index >= 0 && static_cast<std::size_t>(*index) < row.choices.size();
      const auto choice =
          named ? std::optional(row.choices[static_cast<std::size_t>(*index)]) : row.otherChoice;
      if (!choice) continue;
      *value = base::IsEnglish(main) ? choice->english : choice->chinese;
    }
    main.setText(row.display, *value);
    if (row.display == kCapacityLabel || row.display == kVoltageLabel) ShowRatedEnergy(main);
  }
}

void ParameterRows::onAcknowledgement(std::string_view ackId, std::string_view data1) {
  auto& main = context_.main();
  for (std::size_t n = 0; n < rows_.size(); ++n) {
    if (ids_[n].ack != ackId) continue;
    const auto& row = rows_[n];
    switch (DecodeAcknowledgement(row.codec, data1)) {
      case Acknowledgement::Saved:
        main.setText(row.display, "Done");
        break;
      case Acknowledgement::Refused:
        if (ShowsRefusal(ackId)) {
          main.setText(row.display, "Error");
          context_.raiseError();
        }
        break;
      case Acknowledgement::OtherItem:
        break;
    }
  }
}

}  // namespace bms::params

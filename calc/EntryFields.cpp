#include "calc/EntryFields.h"

#include <optional>

namespace dravelo::calc {

namespace {

using platform::ControlId;
using platform::MsgButtons;
using platform::MsgIcon;

constexpr std::int16_t kEnter = 13;
constexpr char kPoint = '.';
constexpr const char* kEmptyFieldValue = "0";
constexpr const char* kUseTheComma = "Usare la virgola invece del punto !";
constexpr const char* kUseNumbers = "Usare i numeri !";

ControlId onForm2(const char* name)
{
    return {forms::kForm2, name};
}

} // namespace

void EntryFields::KeyPress(const EntryField& field, std::int16_t& KeyAscii)
{
    if (KeyAscii == kEnter)
        runtime_.setFocus(onForm2(field.next));
}

void EntryFields::Change(const EntryField& field)
{
    const ControlId id = onForm2(field.name);
    const std::string text = runtime_.text(id);
    if (text.empty() || text.back() != kPoint)
        return;
    runtime_.msgBox(kUseTheComma, MsgButtons::Ok, MsgIcon::Exclamation);
    runtime_.setText(id, "");
    runtime_.setFocus(id);
}

void EntryFields::LostFocus(const EntryField& field)
{
    const ControlId id = onForm2(field.name);
    if (runtime_.text(id).empty())
        runtime_.setText(id, kEmptyFieldValue);
    const std::optional<double> value = platform::entryTextToDouble(runtime_.text(id), runtime_.numberFormat());
    if (value) {
        record_.*field.element = *value;
        return;
    }
    runtime_.msgBox(kUseNumbers, MsgButtons::Ok, MsgIcon::Exclamation);
    runtime_.setText(id, "");
    runtime_.setFocus(id);
}

} // namespace dravelo::calc

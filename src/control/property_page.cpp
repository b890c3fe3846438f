#include "control/property_page.h"

#include "common/text_number.h"
#include "input/host_field.h"

namespace pelikar::control {
namespace {

// A Boolean property as a check box shows it: ticked when its lowest bit is set, as
// True (-1) has it.
bool Ticked(const host::HostValue& value) { return (value.ToLong() & 1) != 0; }

}  // namespace

void PropertyPageModel::Load(host::HostObject& control) {
  EnvironmentTextChanged(host::TextOf(control.Get("Environment")));
  multiLine_ = Ticked(control.Get("MultiLine"));
  farsi_ = Ticked(control.Get("Farsi"));
  CodePageTextChanged(host::TextOf(control.Get("CodePage")));
  changed_ = false;
}

void PropertyPageModel::Apply(host::HostObject& control) {
  control.Put("Environment", environmentText_);
  control.Put("MultiLine", multiLine_);
  control.Put("Farsi", farsi_);
  control.Put("CodePage", codePageText_);
  changed_ = false;
}

void PropertyPageModel::EnvironmentTextChanged(CodeView text) {
  environmentText_ = CodeString(text);
  hostIndex_ = text.size() == 1 && text[0] >= '1' && text[0] <= '7' ? text[0] - '0' : 0;
  changed_ = true;
}

void PropertyPageModel::HostClicked(int index) {
  if (index < 0 || index >= static_cast<int>(kHostKinds.size())) return;
  EnvironmentTextChanged(CodeString(1, static_cast<char>('0' + index)));
}

void PropertyPageModel::CodePageTextChanged(CodeView text) {
  codePageText_ = CodeString(text);
  if (const auto number = ParseTextNumber(text)) irSelected_ = *number == 1;
  changed_ = true;
}

void PropertyPageModel::FarsiClicked(bool ticked) {
  farsi_ = ticked;
  changed_ = true;
}

void PropertyPageModel::MultiLineClicked(bool ticked) {
  multiLine_ = ticked;
  changed_ = true;
}

}  // namespace pelikar::control

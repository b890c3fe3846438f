#include "control/control.h"

#include <cstdint>

#include "encoding/tables.h"
#include "input/host_field.h"

namespace pelikar::control {
namespace {

const host::HostValue kZero = std::int16_t{0};

// Only 0 and 1 name a code page; the comparison is numeric, as the host compares a
// variant with a number (so "1" and 1.0 stay as given).
host::HostValue CodePageRule(const host::HostValue& codePage) {
  const double number = host::NumberOf(codePage);
  return number == 0 || number == 1 ? codePage : kZero;
}

}  // namespace

Control::Control(const ControlServices& services) : services_(services) {}

// The Scroll Lock entry as the last key-down (or load) read it. A table that was
// never read says nothing of the mode: the property keeps its own value then, so a
// new control is not saved with Persian typing switched off.
bool Control::Farsi() {
  if (input::KeyboardStateFetched()) properties_.farsi = input::ScrollLockOn();
  return properties_.farsi;
}

void Control::SetFarsi(bool farsi) {
  properties_.farsi = farsi;
  input::SyncScrollLock(farsi, services_.keyboard);
  services_.container.PropertyChanged("Farsi");
  if (!services_.container.UserMode()) ReassignParentCaption();
}

input::TypingSettings Control::TypingSettings() {
  const bool nivo = host::NumberOf(properties_.codePage) == 0;
  return {nivo ? encoding::CodePage::Nivo : encoding::CodePage::Ir, properties_.multiLine,
          properties_.environment, Farsi()};
}

void Control::SetCodePage(const host::HostValue& codePage) {
  properties_.codePage = CodePageRule(codePage);
  services_.container.PropertyChanged("CodePage");
}

void Control::SetMultiLine(bool multiLine) {
  properties_.multiLine = multiLine;
  services_.container.PropertyChanged("MultiLine");
}

void Control::SetEnvironment(const host::HostValue& environment) {
  properties_.environment = environment;
  services_.container.PropertyChanged("Environment");
}

// The keyboard state is left alone: a new control does not switch the user's mode.
// A failure (a parent form without a Caption) ends the routine there.
void Control::InitProperties() {
  properties_.farsi = true;
  properties_.codePage = kZero;
  properties_.environment = kZero;
  // Environment is 0 here: the form's caption is touched for the Visual Basic host.
  if (services_.container.UserMode()) ReassignParentCaption();
  util::InstallFont(services_.fonts, kGlyphFontFile);  // a font not installed is no failure
  properties_.multiLine = false;
}

void Control::ReadProperties(PropertyBag& bag) {
  font_ = bag.Read("Font", services_.container.AmbientFont());
  properties_.farsi = TruthOf(bag.Read("Farsi", true));
  // A saved value outside the range follows the same rule as one set by the host.
  properties_.codePage = CodePageRule(bag.Read("CodePage", kZero));
  input::ResetSavedSelStart();
  properties_.multiLine = TruthOf(bag.Read("MultiLine", kZero));
  input::SyncScrollLock(properties_.farsi, services_.keyboard);
  properties_.environment = bag.Read("Environment", kZero);
}

void Control::WriteProperties(PropertyBag& bag) {
  if (!services_.container.UserMode()) ReassignParentCaption();
  SaveValues(bag);
}

void Control::SaveValues(PropertyBag& bag) const {
  bag.Write("Farsi", properties_.farsi);
  bag.Write("CodePage", properties_.codePage);
  bag.Write("MultiLine", properties_.multiLine);
  bag.Write("Environment", properties_.environment);
}

CodeString Control::Reserved(Byte /*yourAttrib*/) const {
  return "many powerful capability in this method in future";
}

// The form's Caption is read and written back unchanged: the form goes through a
// caption change (and redraws its title) with the same text. A container that shows
// no form has no caption to touch.
void Control::ReassignParentCaption() {
  const host::HostValue::Object form = services_.container.ParentForm();
  if (form == nullptr) return;
  form->Put("Caption", form->Get("Caption"));
}

}  // namespace pelikar::control

#pragma once
// The control object as the host sees it, without any Windows machinery: creating it
// is the control's Initialize step; it keeps the four properties with their rules,
// loads and saves them through a property bag, and answers the members that belong
// to the control shell itself. The COM layer (control/com) is a thin adapter over it.
//
// The Persian mode has two homes held in step: the Farsi property and the Scroll Lock
// entry of the thread's keyboard state (input/typing.h), which the user toggles with
// the Scroll Lock key and every key-down reads back into the property.
#include <string_view>

#include "common/code_string.h"
#include "control/container.h"
#include "control/persistence.h"
#include "control/properties.h"
#include "input/typing.h"
#include "util/font_installer.h"

namespace pelikar::control {

// The control's face, a picture of fixed size: the control always has this size.
struct FaceSize {
  int width;   // pixels at 96 dots per inch
  int height;
};
inline constexpr FaceSize kFaceSize{72, 24};

// The glyph font that every new control registers for the session.
inline constexpr std::string_view kGlyphFontFile = "nivo2.ttf";

struct ControlServices {
  Container& container;
  input::KeyboardStateTable& keyboard;
  util::FontInstallServices fonts;
};

class Control {
 public:
  // Initialize. The services outlive the control.
  explicit Control(const ControlServices& services);

  // Farsi: reads the Scroll Lock entry of KeyboardState as the last key-down left it
  // (without asking the system); set, it changes the thread's Scroll Lock entry.
  bool Farsi();
  void SetFarsi(bool farsi);
  // CodePage: 0 the Nivo code page, 1 the Ir code page; any other value is stored
  // as 0.
  const host::HostValue& CodePage() const { return properties_.codePage; }
  void SetCodePage(const host::HostValue& codePage);
  bool MultiLine() const { return properties_.multiLine; }
  void SetMultiLine(bool multiLine);
  // Environment: the kind of host, stored as given.
  const host::HostValue& Environment() const { return properties_.environment; }
  void SetEnvironment(const host::HostValue& environment);

  // A new control: the default properties, and the glyph font registered.
  void InitProperties();
  // A saved control: its properties from the bag, its Persian mode pushed into the
  // thread's Scroll Lock entry, its font the container's.
  void ReadProperties(PropertyBag& bag);
  // Saving the control: the four properties (never the font).
  void WriteProperties(PropertyBag& bag);
  // The values WriteProperties saves, without its design-time step: what a
  // container measures before saving.
  void SaveValues(PropertyBag& bag) const;

  // The properties as the typing routines read them, for one key.
  input::TypingSettings TypingSettings();
  // The font the container gave at loading; empty for a new control.
  const host::HostValue& Font() const { return font_; }

  // A placeholder member of the public interface: the same text for every argument.
  CodeString Reserved(Byte yourAttrib) const;

 private:
  void ReassignParentCaption();

  ControlServices services_;
  Properties properties_;
  host::HostValue font_;
};

}  // namespace pelikar::control

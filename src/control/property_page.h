#pragma once
// The control's design-time property page without its window: what its controls show
// for the selected control, how they follow one another as the developer changes
// them, and what the page writes back. The control is reached by member name, as the
// page reaches the first object of the designer's selection.
#include <array>
#include <string_view>

#include "common/code_string.h"
#include "host/host_value.h"

namespace pelikar::control {

// The host list; an entry's index is its Environment value.
inline constexpr std::array<std::string_view, 8> kHostKinds = {
    "0 Visual Basic", "1 Access", "2 Delphi", "3 visual C",
    "4 Visual Fox",   "5 Other1", "6 Other2", "7 Other3",
};

class PropertyPageModel {
 public:
  // The selection changed: the page shows the control's four properties. A page just
  // loaded has nothing to apply.
  void Load(host::HostObject& control);
  // The developer applied the page: Environment and CodePage as the texts of their
  // boxes, then MultiLine and Farsi as ticked, in the order Environment, MultiLine,
  // Farsi, CodePage. The control's own rules follow (CodePage keeps 0 and 1 only). A
  // failing write raises and leaves the page changed.
  void Apply(host::HostObject& control);

  // The controls of the page.
  const CodeString& environmentText() const { return environmentText_; }
  int hostIndex() const { return hostIndex_; }  // the selected entry of the host list
  bool farsi() const { return farsi_; }
  bool multiLine() const { return multiLine_; }
  const CodeString& codePageText() const { return codePageText_; }
  bool irSelected() const { return irSelected_; }  // IranSystem, else Nivo
  // Whether the page holds changes not yet applied.
  bool changed() const { return changed_; }

  // The developer's changes.
  // A text typed into the Environment box selects its entry of the host list when it
  // is one of "1" to "7", the first entry otherwise.
  void EnvironmentTextChanged(CodeView text);
  // An entry picked from the host list writes its index into the Environment box.
  void HostClicked(int index);
  // A text typed into the CodePage box selects IranSystem when it reads as 1 and Nivo
  // when it reads as another number; a text that is no number selects neither anew.
  void CodePageTextChanged(CodeView text);
  void NivoClicked() { CodePageTextChanged("0"); }
  void IrClicked() { CodePageTextChanged("1"); }
  void FarsiClicked(bool ticked);
  void MultiLineClicked(bool ticked);

 private:
  CodeString environmentText_;
  int hostIndex_ = 0;
  bool farsi_ = false;
  bool multiLine_ = false;
  CodeString codePageText_;
  bool irSelected_ = false;
  bool changed_ = false;
};

}  // namespace pelikar::control

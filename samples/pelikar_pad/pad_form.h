#pragma once
// The sample host's form, written the way a host developer writes one: the control
// placed on it through an ActiveX container (ATL's AtlAxWin), real text boxes and a
// combo box whose Tag and Name say what they hold, each forwarding its key-down to
// FarsiDown and its key-press to FarsiPress as a form's event handlers do, and
// buttons that call the control's other members.
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../control_client.h"
#include "key_latency.h"
#include "window_field.h"

namespace pelikar::samples {

struct PadField {
  WindowField* field = nullptr;  // the control's view of the box (held)
  HWND box = nullptr;            // the text box, or the combo box
  WNDPROC original = nullptr;    // the edit box's own procedure
  short codePage = 0;            // the control's CodePage while the box has the focus
  bool multiLine = false;        // and its MultiLine
};

class PadForm {
 public:
  // Creates the form and its controls; throws CallFailed when the control cannot be
  // placed (not registered) or a window cannot be made. When the form closes it
  // writes dumpPath, if there is one: a line a field, its Name, a tab and its codes.
  PadForm(bool persian, std::wstring dumpPath);
  // Fills the first text box with count codes of Persian text (for timing keys in a
  // long field), and times every key from then on.
  void Prefill(std::size_t count);
  KeyLatency& latency() { return latency_; }
  PadForm(const PadForm&) = delete;
  PadForm& operator=(const PadForm&) = delete;
  ~PadForm();

  HWND window() const { return window_; }
  const std::deque<PadField>& fields() const { return fields_; }

  // The form's event handlers.
  void FieldFocused(const PadField& field);
  // True when the form took the key itself (F12 switches Persian typing).
  bool KeyDown(const PadField& field, WPARAM key);
  // The character the box is to insert; 0 for none.
  wchar_t KeyPress(const PadField& field, wchar_t character);
  void Command(int id);
  void Close();

 private:
  void CreateControls();
  void AddField(const wchar_t* name, const wchar_t* tag, const wchar_t* label, int height,
                DWORD style, const wchar_t* face, short codePage);
  void SetPersian(bool on);
  void Status(const std::wstring& text);
  WindowField& Field(const wchar_t* name);

  HWND window_ = nullptr;
  HWND status_ = nullptr;
  HWND spelled_ = nullptr;
  std::vector<HFONT> fonts_;
  std::deque<PadField> fields_;  // stable: each box's procedure finds its own
  std::unique_ptr<ControlClient> client_;
  bool persian_ = false;
  std::wstring dumpPath_;
  KeyLatency latency_;
  int nextTop_ = 12;
};

}  // namespace pelikar::samples

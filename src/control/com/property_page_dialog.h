#pragma once
// The property page's window: a child dialog in the property frame with the host
// list, the two text boxes, the two check boxes, the code-page frame with its two
// option buttons and the labels. It shows the page's model and hands the developer's
// changes to it.
#include <windows.h>
#include <oleauto.h>

#include <functional>

#include "control/property_page.h"

namespace pelikar::com {

// Control identifiers of the page.
enum PropertyPageControl : int {
  kEnvironmentLabelId = 1001,  // lblEnviroment
  kHostListId = 1002,          // Combo1
  kEnvironmentTextId = 1003,   // txtEnvironment
  kFarsiId = 1004,             // chkFarsi
  kMultiLineId = 1005,         // chkMultiLine
  kCodePageFrameId = 1006,     // Frame2
  kNivoOptionId = 1007,        // Option1
  kIrOptionId = 1008,          // Option2
  kCodePageTextId = 1009,      // txtCodePage
  kContactLabelId = 1010,      // Label1
};

class PropertyPageDialog {
 public:
  // changed is told of every change the developer makes.
  PropertyPageDialog(control::PropertyPageModel& model, std::function<void()> changed)
      : model_(model), changed_(std::move(changed)) {}
  PropertyPageDialog(const PropertyPageDialog&) = delete;
  PropertyPageDialog& operator=(const PropertyPageDialog&) = delete;
  ~PropertyPageDialog() { Destroy(); }

  // The page's size in the screen's pixels.
  static SIZE Size();

  // Makes the window, hidden, as a child of parent at the place given.
  HRESULT Create(HWND parent, const RECT& at);
  void Destroy();
  HWND window() const { return window_; }

  // Shows the model's values in the controls.
  void ShowModel();
  // Gives the focus to the control that edits the property; false for a property the
  // page does not edit.
  bool Focus(DISPID property);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id, int notification);
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  control::PropertyPageModel& model_;
  std::function<void()> changed_;
  HWND window_ = nullptr;
  bool showing_ = false;  // the controls are being set from the model
};

}  // namespace pelikar::com

#include "input/credit_box.h"

namespace pelikar::input {

void ShowCreditBox(util::MessageBoxes& messages) {
  // One line a credit, separated by carriage returns as the message box breaks them.
  messages.ShowInformation(
      "Pelikar: Persian text entry for application forms\r"
      "Scroll Lock switches between Persian and Latin typing\r"
      "Made by the Pelikar developers",
      "Pelikar Persian text entry");
}

}  // namespace pelikar::input

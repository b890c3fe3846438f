// The session that the end-to-end test types into Pelikar Pad with real key events,
// typed by the typing engine into in-memory boxes set up as the pad's boxes are;
// prints the boxes as the pad's --dump writes them.
//   pelikar_reference_typing SESSION.keys
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../../native/input/memory_field.h"
#include "../../native/input/typist.h"

namespace {

using pelikar::input::test::Key;
using pelikar::input::test::kShift;
using pelikar::input::test::MemoryField;
using pelikar::input::test::Typist;

struct Box {
  std::shared_ptr<MemoryField> field;
  std::int16_t codePage;  // the control's properties while the box has the focus
  bool multiLine;
};

// The pad's boxes, in its order.
std::vector<std::pair<std::string, Box>> PadBoxes() {
  auto memo = MemoryField::TextBox("Memo1", "text");
  memo->multiLine = true;
  return {{"Text1", {MemoryField::TextBox("Text1", "text"), 0, false}},
          {"Memo1", {memo, 0, true}},
          {"Date1", {MemoryField::TextBox("Date1", "shamsi"), 0, false}},
          {"Amount1", {MemoryField::TextBox("Amount1", "integer"), 0, false}},
          {"City1", {MemoryField::Grid("City1", "combo"), 0, false}},
          {"IrText1", {MemoryField::TextBox("IrText1", "text"), 1, false}}};
}

constexpr std::int16_t kShiftKey = 16;
const std::map<std::string, std::int16_t> kKeys = {
    {"BackSpace", 8}, {"Return", 13}, {"End", 35},   {"Home", 36},
    {"Left", 37},     {"Right", 39},  {"Delete", 46},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: pelikar_reference_typing SESSION.keys\n";
    return 2;
  }
  std::ifstream session(argv[1]);
  if (!session) {
    std::cerr << "pelikar_reference_typing: cannot read " << argv[1] << "\n";
    return 1;
  }
  auto boxes = PadBoxes();
  Typist typist;
  bool persian = false;  // the pad starts in Latin typing
  typist.Persian(persian);
  Box* focused = &boxes.front().second;
  std::string line;
  for (int number = 1; std::getline(session, line); ++number) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb.empty() || verb[0] == '#') continue;
    std::string rest;
    std::getline(words >> std::ws, rest);
    if (verb == "field") {
      focused = nullptr;
      for (auto& [name, box] : boxes) {
        if (name == rest) focused = &box;
      }
    } else if (verb == "type") {
      typist.Type(*focused->field, rest);
      continue;
    } else if (verb == "key") {
      std::istringstream names(rest);
      for (std::string name; names >> name;) {
        // Shift held: the box sees its own key-down first.
        const bool shift = name.rfind("shift+", 0) == 0;
        if (shift) {
          name.erase(0, 6);
          typist.Press(*focused->field, Key{kShiftKey, kShift});
        }
        if (name == "F12") {
          typist.Persian(persian = !persian);
        } else if (kKeys.count(name) != 0) {
          const std::int16_t held = shift ? std::int16_t{kShift} : std::int16_t{0};
          typist.Press(*focused->field, Key{kKeys.at(name), held});
        } else {
          focused = nullptr;
        }
      }
    }
    if (focused == nullptr) {
      std::cerr << argv[1] << ":" << number << ": not understood: " << line << "\n";
      return 1;
    }
    typist.settings.codePage = static_cast<pelikar::encoding::CodePage>(focused->codePage);
    typist.settings.multiLine = focused->multiLine;
  }
  for (const auto& [name, box] : boxes) {
    std::cout << name << "\t";
    for (std::size_t i = 0; i < box.field->text.size(); ++i) {
      std::cout << (i > 0 ? " " : "") << static_cast<int>(static_cast<unsigned char>(box.field->text[i]));
    }
    std::cout << "\n";
  }
  return 0;
}

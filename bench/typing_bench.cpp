// One keystroke in a text box: FarsiDown, the box's own key-down, FarsiPress and the
// box's own key-press, as a host runs them, natively over the in-memory text box of the
// tests. The keys alternate between a letter and Delete, which takes the letter away
// again (the caret stays left of a typed letter), so the field keeps its length and
// its caret in the middle of the text.
#include <benchmark/benchmark.h>

#include "encoding/convert_text.h"
#include "typed_text.h"
#include "typist.h"

namespace {

using pelikar::input::test::Key;
using pelikar::input::test::MemoryField;
using pelikar::input::test::Typist;

void BM_Keystroke(benchmark::State& state, int codePage) {
  const auto length = static_cast<std::size_t>(state.range(0));
  Typist typist(codePage);
  auto field = MemoryField::TextBox("Text1");
  field->text = pelikar::encoding::ConvertText(pelikar::bench::TypedText(length * 2, " "),
                                               static_cast<pelikar::encoding::CodePage>(codePage));
  field->text.resize(length);
  field->Select(static_cast<std::int32_t>(length / 2), 0);

  const Key keys[] = {{'F'}, {pelikar::input::test::kDelete}};
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(typist.Press(*field, keys[next]));
    next ^= 1;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK_CAPTURE(BM_Keystroke, nivo, 0)->Arg(10)->Arg(1000)->Arg(30000);
BENCHMARK_CAPTURE(BM_Keystroke, ir, 1)->Arg(10)->Arg(1000)->Arg(30000);

}  // namespace

BENCHMARK_MAIN();

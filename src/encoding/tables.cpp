#include "encoding/tables.h"

#include <atomic>

namespace pelikar::encoding {
namespace {

// What the module holds before any set is loaded: every table zero, and no code
// changes its form.
constexpr TableSet Unloaded() {
  TableSet set{CodePage::Nivo, {}, {}, {}, {}, {}};
  for (int code = 0; code < 256; ++code) {
    set.derived.toFormAndKind[code].fill(static_cast<std::uint16_t>(code));
  }
  return set;
}
constinit const TableSet kUnloaded = Unloaded();

// The active set is shared by every control instance of the process, as the tables
// of a loaded module are. An atomic pointer keeps a host that calls from several
// threads free of data races; the set itself never changes once built.
std::atomic<const TableSet*> active{&kUnloaded};

}  // namespace

const TableSet& TableSetOf(CodePage codePage) {
  return codePage == CodePage::Ir ? IrTableSet() : NivoTableSet();
}

void LoadNivoTables() { active.store(&NivoTableSet(), std::memory_order_relaxed); }
void LoadIrTables() { active.store(&IrTableSet(), std::memory_order_relaxed); }
void LoadTables(CodePage codePage) { active.store(&TableSetOf(codePage), std::memory_order_relaxed); }
const TableSet& ActiveTables() { return *active.load(std::memory_order_relaxed); }

}  // namespace pelikar::encoding

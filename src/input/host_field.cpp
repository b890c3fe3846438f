#include "input/host_field.h"

#include "common/run_time_error.h"

namespace pelikar::input {
bool HasRoomFor(HostField& field, std::size_t count, const TypingSettings& settings) {
  if (host::NumberOf(settings.environment) != 0) return true;
  const std::int32_t maxLength = field.MaxLength();
  return maxLength == 0 ||
         static_cast<std::int64_t>(field.Text().size() + count) <= std::int64_t{maxLength};
}

bool HostField::LockedIfAny() {
  try {
    return Locked();
  } catch (const RunTimeError& error) {
    if (error.number() != kMemberNotSupported) throw;
    return false;
  }
}

bool HostField::RemoveSelection() {
  // Asking first spares a field without a selection a write (and, through IDispatch,
  // a call) on every key.
  if (host::TextOf(object_.Get("SelText")).empty()) return false;
  ClearSelection();
  return true;
}

}  // namespace pelikar::input

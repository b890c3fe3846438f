#include "control/com/persist_stream_init.h"

#include <cstdint>
#include <new>
#include <string>

#include "control/com/com_error.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

constexpr ULONG kLengthSize = 4;
// More than any control saves: a length beyond it is a damaged stream, not a reason
// to allocate gigabytes.
constexpr ULONG kLargestSave = 1u << 24;

HRESULT ReadExactly(IStream& stream, void* buffer, ULONG size) {
  ULONG read = 0;
  const HRESULT result = stream.Read(buffer, size, &read);
  if (FAILED(result)) return result;
  return read == size ? S_OK : STG_E_READFAULT;
}

HRESULT WriteExactly(IStream& stream, const void* buffer, ULONG size) {
  ULONG written = 0;
  const HRESULT result = stream.Write(buffer, size, &written);
  if (FAILED(result)) return result;
  return written == size ? S_OK : STG_E_WRITEFAULT;
}

// The length before the bytes, little-endian.
std::string WithLength(const std::string& bytes) {
  const auto length = static_cast<std::uint32_t>(bytes.size());
  std::string framed;
  for (ULONG i = 0; i < kLengthSize; ++i) framed.push_back(static_cast<char>(length >> (8 * i)));
  return framed + bytes;
}

}  // namespace

STDMETHODIMP PersistStreamInit::GetClassID(CLSID* classId) {
  if (classId == nullptr) return E_POINTER;
  *classId = CLSID_Pelikar;
  return S_OK;
}

STDMETHODIMP PersistStreamInit::IsDirty() { return lifecycle_.IsDirty(); }

STDMETHODIMP PersistStreamInit::InitNew() { return lifecycle_.InitNew(); }

STDMETHODIMP PersistStreamInit::Load(LPSTREAM stream) {
  if (stream == nullptr) return E_POINTER;
  unsigned char length[kLengthSize];
  HRESULT result = ReadExactly(*stream, length, kLengthSize);
  if (FAILED(result)) return result;
  const ULONG size = length[0] | length[1] << 8 | length[2] << 16 | ULONG{length[3]} << 24;
  if (size > kLargestSave) return STG_E_READFAULT;
  std::string bytes;
  control::MemoryPropertyBag bag;
  result = Guarded([&] { bytes.resize(size); });
  if (SUCCEEDED(result)) result = ReadExactly(*stream, bytes.data(), size);
  if (SUCCEEDED(result)) result = Guarded([&] { bag = control::MemoryPropertyBag::Parse(bytes); });
  if (FAILED(result)) return result;
  return lifecycle_.Load(bag);
}

STDMETHODIMP PersistStreamInit::Save(LPSTREAM stream, BOOL clearDirty) {
  if (stream == nullptr) return E_POINTER;
  control::MemoryPropertyBag bag;
  HRESULT result = lifecycle_.Save(bag);
  std::string framed;
  if (SUCCEEDED(result)) result = Guarded([&] { framed = WithLength(bag.Serialize()); });
  if (SUCCEEDED(result)) {
    result = WriteExactly(*stream, framed.data(), static_cast<ULONG>(framed.size()));
  }
  if (SUCCEEDED(result)) lifecycle_.Saved(clearDirty != FALSE);
  return result;
}

STDMETHODIMP PersistStreamInit::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  control::MemoryPropertyBag bag;
  std::size_t bytes = 0;
  HRESULT result = lifecycle_.Measure(bag);
  if (SUCCEEDED(result)) result = Guarded([&] { bytes = bag.Serialize().size(); });
  if (FAILED(result)) return result;
  size->QuadPart = kLengthSize + bytes;
  return S_OK;
}

}  // namespace pelikar::com

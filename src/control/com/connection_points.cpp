#include "control/com/connection_points.h"

#include <olectl.h>

#include <algorithm>
#include <new>

#include "control/com/module.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

// The control's two connection points, handed out one by one. A live enumerator
// keeps the control (and so its points) alive.
class PointEnumerator final : public IEnumConnectionPoints {
 public:
  PointEnumerator(IUnknown& owner, std::vector<IConnectionPoint*> points, std::size_t position)
      : owner_(owner), points_(std::move(points)), position_(position) {
    owner_.AddRef();
    ObjectCreated();
  }
  PointEnumerator(const PointEnumerator&) = delete;
  PointEnumerator& operator=(const PointEnumerator&) = delete;

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IUnknown) ||
        IsEqualIID(interfaceId, IID_IEnumConnectionPoints)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) delete this;
    return remaining;
  }

  STDMETHODIMP Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    if (points == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG taken = 0;
    for (; taken < count && position_ < points_.size(); ++taken, ++position_) {
      points[taken] = points_[position_];
      points[taken]->AddRef();
    }
    if (fetched != nullptr) *fetched = taken;
    return taken == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    const std::size_t left = points_.size() - position_;
    position_ += std::min<std::size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumConnectionPoints** copy) override {
    if (copy == nullptr) return E_POINTER;
    *copy = new (std::nothrow) PointEnumerator(owner_, points_, position_);
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~PointEnumerator() {
    owner_.Release();
    ObjectDestroyed();
  }

  LONG references_ = 1;
  IUnknown& owner_;
  std::vector<IConnectionPoint*> points_;
  std::size_t position_;
};

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, REFIID sinkInterface,
                                 bool dispatchInterface)
    : container_(container), sinkInterface_(sinkInterface), dispatchInterface_(dispatchInterface) {}

ConnectionPoint::~ConnectionPoint() {
  for (const Connection& connection : connections_) connection.sink->Release();
}

void ConnectionPoint::ForEachSink(const std::function<void(IUnknown*)>& call) const {
  // A copy: a sink that unadvises from inside the call changes the list.
  std::vector<Connection> sinks = connections_;
  for (const Connection& connection : sinks) connection.sink->AddRef();
  for (const Connection& connection : sinks) {
    call(connection.sink);
    connection.sink->Release();
  }
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ConnectionPoint::AddRef() { return container_.AddRef(); }
STDMETHODIMP_(ULONG) ConnectionPoint::Release() { return container_.Release(); }

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* interfaceId) {
  if (interfaceId == nullptr) return E_POINTER;
  *interfaceId = sinkInterface_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = &container_;
  container_.AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  IUnknown* typed = nullptr;
  if (FAILED(sink->QueryInterface(sinkInterface_, reinterpret_cast<void**>(&typed))) &&
      (!dispatchInterface_ ||
       FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&typed))))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    connections_.push_back({nextCookie_, typed});
  } catch (const std::bad_alloc&) {
    typed->Release();
    return E_OUTOFMEMORY;
  }
  *cookie = nextCookie_++;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  const auto found = std::find_if(connections_.begin(), connections_.end(),
                                  [&](const Connection& c) { return c.cookie == cookie; });
  if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
  IUnknown* sink = found->sink;
  connections_.erase(found);
  sink->Release();
  return S_OK;
}

// Listing the connections is optional for a connection point; no container we know
// asks.
STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections == nullptr) return E_POINTER;
  *connections = nullptr;
  return E_NOTIMPL;
}

ConnectionPoints::ConnectionPoints(IUnknown& owner)
    : ForwardingUnknown(owner),
      events_(*this, DIID___Pelikar, true),
      propertyNotify_(*this, IID_IPropertyNotifySink, false) {}

STDMETHODIMP ConnectionPoints::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points == nullptr) return E_POINTER;
  try {
    *points = new PointEnumerator(owner(), {&events_, &propertyNotify_}, 0);
    return S_OK;
  } catch (const std::bad_alloc&) {
    *points = nullptr;
    return E_OUTOFMEMORY;
  }
}

STDMETHODIMP ConnectionPoints::FindConnectionPoint(REFIID interfaceId, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, DIID___Pelikar)) {
    *point = &events_;
  } else if (IsEqualIID(interfaceId, IID_IPropertyNotifySink)) {
    *point = &propertyNotify_;
  } else {
    *point = nullptr;
    return CONNECT_E_NOCONNECTION;
  }
  (*point)->AddRef();
  return S_OK;
}

}  // namespace pelikar::com

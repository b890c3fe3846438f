#pragma once
// The control's outgoing interfaces: the event interface __Pelikar (the control
// raises no events, but hosts connect to it as to any control's events) and
// IPropertyNotifySink, through which the container hears of every property change.
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <vector>

#include "control/com/forwarding_unknown.h"

namespace pelikar::com {

// The sinks advised for one outgoing interface. It lives inside the control and
// keeps the control alive while a client holds it.
class ConnectionPoint final : public IConnectionPoint {
 public:
  // A dispatch interface's sinks may answer as plain IDispatch, as script engines'
  // event sinks do.
  ConnectionPoint(IConnectionPointContainer& container, REFIID sinkInterface,
                  bool dispatchInterface);
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;
  // Sinks still advised are let go with the control.
  ~ConnectionPoint();

  // Calls each advised sink (as the sink interface), in the order of advising. A sink
  // may unadvise itself meanwhile.
  void ForEachSink(const std::function<void(IUnknown*)>& call) const;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IConnectionPoint
  STDMETHODIMP GetConnectionInterface(IID* interfaceId) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

 private:
  struct Connection {
    DWORD cookie;
    IUnknown* sink;  // the sink interface, referenced
  };

  IConnectionPointContainer& container_;
  IID sinkInterface_;
  bool dispatchInterface_;
  std::vector<Connection> connections_;
  DWORD nextCookie_ = 1;
};

class ConnectionPoints final : public ForwardingUnknown<IConnectionPointContainer> {
 public:
  explicit ConnectionPoints(IUnknown& owner);

  ConnectionPoint& propertyNotify() { return propertyNotify_; }

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID interfaceId, IConnectionPoint** point) override;

 private:
  ConnectionPoint events_;
  ConnectionPoint propertyNotify_;
};

}  // namespace pelikar::com

// A stand-in for the chart-file writer that records how it is called: the methods it knows, the
// type of every argument as it arrives, and answers or failures as a test sets them. Registered for
// this test process only, under a ProgID of its own.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tickvane::test {

struct RecordedArgument {
  VARTYPE type = VT_EMPTY;     // as it arrived in rgvarg
  VARTYPE pointsTo = VT_EMPTY; // for VT_BYREF|VT_VARIANT: the type of the VARIANT referred to
  std::wstring text;           // the (referred) value as text
};

struct RecordedCall {
  std::wstring method;
  std::vector<RecordedArgument> arguments;  // in the method's order, first argument first
};

struct StandInBehaviour {
  std::set<std::wstring> missing;                   // methods it does not have
  std::map<std::wstring, std::wstring> describing;  // methods that fail with this EXCEPINFO description
  std::map<std::wstring, HRESULT> failing;          // methods that fail with this plain HRESULT
};

// Registers the stand-in's class object and ProgID while it lives.
class RecordingComponent {
 public:
  RecordingComponent(const std::wstring& progId, StandInBehaviour behaviour);
  ~RecordingComponent();
  RecordingComponent(const RecordingComponent&) = delete;
  RecordingComponent& operator=(const RecordingComponent&) = delete;

  const std::vector<RecordedCall>& calls() const;
  bool registered() const { return cookie_ != 0; }

 private:
  class Object;
  class Factory;
  std::wstring progId_;
  Object* object_;
  Factory* factory_;
  DWORD cookie_ = 0;
};

}  // namespace tickvane::test

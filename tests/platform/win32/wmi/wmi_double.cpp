#include "wmi_double.h"

#include <oleauto.h>

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <map>
#include <mutex>

#include "platform/win32/critical_section.h"

namespace brask::test {

struct WmiDouble::State {
  CriticalSection lock;
  std::map<std::wstring, WmiComputer> computers;  // by name in lower case
  std::map<std::wstring, int> counted;            // "name CALL" -> calls so far
  std::vector<std::wstring> calls;
  std::map<DWORD, bool> waiting;                  // threads in a hung call -> cancelled

  void note(const std::wstring& call) {
    const std::lock_guard guard(lock);
    calls.push_back(call);
  }

  // This call of the computer's answered at once (S_OK), unless it is one that hangs: it then
  // waits as a call that has no answer, until it is cancelled on this thread
  // (RPC_E_CALL_CANCELED), or, for a silent Next, until its timeout (WBEM_S_TIMEDOUT).
  HRESULT answer(const std::wstring& name, const std::wstring& call, long timeout = 0) {
    const DWORD thread = GetCurrentThreadId();
    {
      const std::lock_guard guard(lock);
      const WmiComputer& computer = computers[name];
      const int count = ++counted[name + L" " + call];
      const bool silent = call == L"Next" && computer.silentFrom > 0 && count >= computer.silentFrom;
      if (!silent && (computer.hangs != call || count < computer.hangsFrom)) return S_OK;
      if (!silent) timeout = static_cast<long>(WBEM_INFINITE);
      waiting[thread] = false;
      calls.push_back(L"hang " + name + L" " + call);
    }
    const DWORD start = GetTickCount();
    for (;;) {
      {
        const std::lock_guard guard(lock);
        if (waiting[thread] || (timeout != static_cast<long>(WBEM_INFINITE) &&
                                GetTickCount() - start >= static_cast<DWORD>(timeout))) {
          const bool cancelled = waiting[thread];
          waiting.erase(thread);
          return cancelled ? RPC_E_CALL_CANCELED : static_cast<HRESULT>(WBEM_S_TIMEDOUT);
        }
      }
      Sleep(2);
    }
  }

  HRESULT cancelCall(DWORD thread) {
    const std::lock_guard guard(lock);
    const auto found = waiting.find(thread);
    if (found == waiting.end()) return E_NOINTERFACE;
    found->second = true;
    calls.push_back(L"cancel");
    return S_OK;
  }
};

namespace {

using State = WmiDouble::State;

std::wstring lowerCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool sameName(const std::wstring& a, const std::wstring& b) { return lowerCase(a) == lowerCase(b); }

// IUnknown of an object that implements Interfaces, counting its references.
template <typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown) {
      *out = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      ((iid == __uuidof(Interfaces) ? void(*out = static_cast<Interfaces*>(this)) : void()), ...);
    }
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
  std::atomic<ULONG> references_{1};
};

#define BRASK_NOT_SUPPORTED \
  { return WBEM_E_NOT_SUPPORTED; }
#define BRASK_PARAMETERS(...) __VA_ARGS__
// A call of IWbemServices and its Async form, which takes a sink in place of its results.
#define BRASK_NOT_SUPPORTED_NOR_ASYNC(name, parameters, ...)                                          \
  HRESULT STDMETHODCALLTYPE name(BRASK_PARAMETERS parameters, __VA_ARGS__) override BRASK_NOT_SUPPORTED \
  HRESULT STDMETHODCALLTYPE name##Async(BRASK_PARAMETERS parameters, IWbemObjectSink*)                \
      override BRASK_NOT_SUPPORTED

// IClientSecurity, as a proxy has it: the blanket set is noted.
template <typename... Interfaces>
class Proxy : public ComObject<IClientSecurity, Interfaces...> {
 public:
  explicit Proxy(std::shared_ptr<State> state) : state_(std::move(state)) {}

  HRESULT STDMETHODCALLTYPE QueryBlanket(IUnknown*, DWORD*, DWORD*, OLECHAR**, DWORD*, DWORD*,
                                         void**, DWORD*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE SetBlanket(IUnknown*, DWORD, DWORD, OLECHAR*, DWORD level,
                                       DWORD impersonation, void*, DWORD) override {
    state_->note(L"blanket " + std::to_wstring(level) + L" " + std::to_wstring(impersonation));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CopyProxy(IUnknown*, IUnknown**) override BRASK_NOT_SUPPORTED

 protected:
  std::shared_ptr<State> state_;
};

class ClassObject final : public ComObject<IWbemClassObject> {
 public:
  ClassObject(WmiRow row, std::vector<std::wstring> selected)
      : row_(std::move(row)), selected_(std::move(selected)) {}

  HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE* type, LONG*) override {
    const bool chosen = std::any_of(selected_.begin(), selected_.end(), [&](const std::wstring& s) {
      return s == L"*" || sameName(s, name);
    });
    const auto found = std::find_if(row_.begin(), row_.end(),
                                    [&](const auto& property) { return sameName(property.first, name); });
    if (!chosen || found == row_.end()) return WBEM_E_NOT_FOUND;
    const WmiValue& held = found->second;
    if (type) *type = held.cimType;
    if (value) {
      VariantInit(value);
      V_VT(value) = held.type;
      if (held.type == VT_BSTR) V_BSTR(value) = SysAllocStringLen(held.text.data(), static_cast<UINT>(held.text.size()));
      if (held.type == VT_I4) V_I4(value) = held.number;
      if (held.type == VT_UI1) V_UI1(value) = static_cast<BYTE>(held.number);
    }
    return WBEM_S_NO_ERROR;
  }

  HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Next(LONG, BSTR*, VARIANT*, CIMTYPE*, LONG*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE EndEnumeration() override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE SpawnInstance(LONG, IWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR, LONG, IWbemClassObject**, IWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR*) override BRASK_NOT_SUPPORTED

 private:
  WmiRow row_;
  std::vector<std::wstring> selected_;
};

class Enumerator final : public Proxy<IEnumWbemClassObject> {
 public:
  Enumerator(std::shared_ptr<State> state, std::wstring name, std::vector<WmiRow> rows,
             std::vector<std::wstring> selected)
      : Proxy(std::move(state)), name_(std::move(name)), rows_(std::move(rows)),
        selected_(std::move(selected)) {}

  HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG count, IWbemClassObject** objects,
                                 ULONG* returned) override {
    if (!objects || !returned) return WBEM_E_INVALID_PARAMETER;
    *returned = 0;
    state_->note(L"next " + name_ + L" " + std::to_wstring(static_cast<unsigned long>(timeout)));
    if (const HRESULT hr = state_->answer(name_, L"Next", timeout); hr != S_OK) return hr;
    while (*returned < count && next_ < rows_.size())
      objects[(*returned)++] = new ClassObject(rows_[next_++], selected_);
    return *returned == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Reset() override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE Skip(LONG, ULONG) override BRASK_NOT_SUPPORTED

 private:
  std::wstring name_;
  std::vector<WmiRow> rows_;
  std::vector<std::wstring> selected_;
  std::size_t next_ = 0;
};

// A WQL query as far as the double reads it.
struct Query {
  std::vector<std::wstring> selected;
  std::wstring className;
  struct Test {
    std::wstring property;
    std::wstring comparison;
    std::optional<std::wstring> text;  // else a number
    long number = 0;
  };
  std::vector<Test> tests;
};

// Its words, numbers, 'texts' (with the quotes) and comparisons.
std::vector<std::wstring> tokens(const std::wstring& text) {
  std::vector<std::wstring> words;
  for (std::size_t at = 0; at < text.size();) {
    const wchar_t c = text[at];
    std::size_t end = at + 1;
    if (std::iswspace(c) || c == L',') {
      ++at;
      continue;
    }
    if (c == L'\'') {
      end = text.find(L'\'', at + 1);
      if (end == std::wstring::npos) return {};
      ++end;
    } else if (std::wcschr(L"<>=!", c)) {
      while (end < text.size() && std::wcschr(L"<>=", text[end])) ++end;
    } else {
      while (end < text.size() && !std::iswspace(text[end]) && !std::wcschr(L"<>=!,'", text[end])) ++end;
    }
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

std::optional<Query> parsed(const std::wstring& text) {
  const std::vector<std::wstring> words = tokens(text);
  Query query;
  std::size_t at = 0;
  if (words.empty() || !sameName(words[at++], L"select")) return std::nullopt;
  while (at < words.size() && !sameName(words[at], L"from")) query.selected.push_back(words[at++]);
  if (query.selected.empty() || ++at >= words.size()) return std::nullopt;
  query.className = words[at++];
  if (at == words.size()) return query;
  if (!sameName(words[at++], L"where")) return std::nullopt;
  for (;;) {
    if (at + 3 > words.size()) return std::nullopt;
    Query::Test test{words[at], words[at + 1], std::nullopt, 0};
    const std::wstring& operand = words[at + 2];
    static const std::vector<std::wstring> kComparisons{L"=", L"!=", L"<", L">", L"<=", L">="};
    if (std::find(kComparisons.begin(), kComparisons.end(), test.comparison) == kComparisons.end())
      return std::nullopt;
    if (operand.front() == L'\'') {
      test.text = operand.substr(1, operand.size() - 2);
    } else if (std::all_of(operand.begin(), operand.end(), iswdigit)) {
      test.number = std::stol(operand);
    } else {
      return std::nullopt;
    }
    query.tests.push_back(test);
    at += 3;
    if (at == words.size()) return query;
    if (!sameName(words[at++], L"and")) return std::nullopt;
  }
}

bool compared(long a, const std::wstring& comparison, long b) {
  if (comparison == L"=") return a == b;
  if (comparison == L"!=") return a != b;
  if (comparison == L"<") return a < b;
  if (comparison == L">") return a > b;
  if (comparison == L"<=") return a <= b;
  return a >= b;
}

bool matches(const WmiRow& row, const Query& query) {
  const auto valueOf = [&row](const std::wstring& name) -> const WmiValue* {
    for (const auto& [property, value] : row) {
      if (sameName(property, name)) return &value;
    }
    return nullptr;
  };
  const WmiValue* rowClass = valueOf(L"__CLASS");
  if (!rowClass || !sameName(rowClass->text, query.className)) return false;
  return std::all_of(query.tests.begin(), query.tests.end(), [&](const Query::Test& test) {
    const WmiValue* value = valueOf(test.property);
    if (!value || value->type == VT_NULL) return false;
    if (test.text) {
      const int order = lowerCase(value->text).compare(lowerCase(*test.text));
      return compared(order, test.comparison, 0);
    }
    return value->type != VT_BSTR && compared(value->number, test.comparison, test.number);
  });
}

class Services final : public Proxy<IWbemServices> {
 public:
  Services(std::shared_ptr<State> state, std::wstring name)
      : Proxy(std::move(state)), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE ExecQuery(const BSTR language, const BSTR text, LONG flags, IWbemContext*,
                                      IEnumWbemClassObject** result) override {
    if (!result || !language || !text || !sameName(language, L"WQL")) return WBEM_E_INVALID_PARAMETER;
    *result = nullptr;
    state_->note(L"query " + name_ + L" " + text);
    if (const HRESULT hr = state_->answer(name_, L"ExecQuery"); hr != S_OK) return hr;
    const std::optional<Query> query = parsed(text);
    if (!query || flags != (WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY))
      return query ? WBEM_E_INVALID_PARAMETER : WBEM_E_INVALID_QUERY;
    std::vector<WmiRow> rows;
    {
      const std::lock_guard guard(state_->lock);
      for (const WmiRow& row : state_->computers[name_].rows) {
        if (matches(row, *query)) rows.push_back(row);
      }
    }
    *result = new Enumerator(state_, name_, std::move(rows), query->selected);
    return WBEM_S_NO_ERROR;
  }

  HRESULT STDMETHODCALLTYPE OpenNamespace(const BSTR, LONG, IWbemContext*, IWbemServices**, IWbemCallResult**) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE CancelAsyncCall(IWbemObjectSink*) override BRASK_NOT_SUPPORTED
  HRESULT STDMETHODCALLTYPE QueryObjectSink(LONG, IWbemObjectSink**) override BRASK_NOT_SUPPORTED
  BRASK_NOT_SUPPORTED_NOR_ASYNC(GetObject, (const BSTR, LONG, IWbemContext*), IWbemClassObject**, IWbemCallResult**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(PutClass, (IWbemClassObject*, LONG, IWbemContext*), IWbemCallResult**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(DeleteClass, (const BSTR, LONG, IWbemContext*), IWbemCallResult**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(CreateClassEnum, (const BSTR, LONG, IWbemContext*), IEnumWbemClassObject**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(PutInstance, (IWbemClassObject*, LONG, IWbemContext*), IWbemCallResult**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(DeleteInstance, (const BSTR, LONG, IWbemContext*), IWbemCallResult**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(CreateInstanceEnum, (const BSTR, LONG, IWbemContext*), IEnumWbemClassObject**)
  HRESULT STDMETHODCALLTYPE ExecQueryAsync(const BSTR, const BSTR, LONG, IWbemContext*, IWbemObjectSink*) override BRASK_NOT_SUPPORTED
  BRASK_NOT_SUPPORTED_NOR_ASYNC(ExecNotificationQuery, (const BSTR, const BSTR, LONG, IWbemContext*), IEnumWbemClassObject**)
  BRASK_NOT_SUPPORTED_NOR_ASYNC(ExecMethod, (const BSTR, const BSTR, LONG, IWbemContext*, IWbemClassObject*), IWbemClassObject**, IWbemCallResult**)

 private:
  std::wstring name_;
};

class Locator final : public ComObject<IWbemLocator> {
 public:
  explicit Locator(std::shared_ptr<State> state) : state_(std::move(state)) {}

  HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR path, const BSTR user, const BSTR password,
                                          const BSTR, LONG flags, const BSTR authority,
                                          IWbemContext*, IWbemServices** services) override {
    if (!path || !services || user || password || authority) return WBEM_E_INVALID_PARAMETER;
    *services = nullptr;
    const std::wstring text(path);
    state_->note(L"connect " + text + L" " + std::to_wstring(flags));
    const std::wstring kNamespace = L"\\root\\cimv2";
    std::wstring name;
    if (text.rfind(L"\\\\", 0) == 0 && text.size() > 2 + kNamespace.size() &&
        sameName(text.substr(text.size() - kNamespace.size()), kNamespace)) {
      name = lowerCase(text.substr(2, text.size() - 2 - kNamespace.size()));
    } else if (!sameName(text, L"root\\cimv2")) {
      return WBEM_E_INVALID_NAMESPACE;
    }
    HRESULT refusal = S_OK;
    {
      const std::lock_guard guard(state_->lock);
      const auto found = state_->computers.find(name);
      refusal = found == state_->computers.end() ? HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)
                                                 : found->second.refusal;
    }
    if (refusal == S_OK) refusal = state_->answer(name, L"ConnectServer");
    if (refusal != S_OK) return refusal;
    *services = new Services(state_, name);
    return WBEM_S_NO_ERROR;
  }

 private:
  std::shared_ptr<State> state_;
};

}  // namespace

WmiValue wmiText(std::wstring text) { return WmiValue{VT_BSTR, CIM_STRING, std::move(text), 0}; }

WmiValue wmiTime(std::wstring cimText) {
  return WmiValue{VT_BSTR, CIM_DATETIME, std::move(cimText), 0};
}

WmiValue wmiNumber(long number, CIMTYPE cimType) {
  return WmiValue{static_cast<VARTYPE>(cimType == CIM_UINT8 ? VT_UI1 : VT_I4), cimType, {}, number};
}

WmiRow ntLogEvent(const std::wstring& log, long recordNumber, long eventType,
                  const std::wstring& type, const std::wstring& timeWritten,
                  const std::wstring& message) {
  return {{L"__CLASS", wmiText(L"Win32_NTLogEvent")},
          {L"Logfile", wmiText(log)},
          {L"RecordNumber", wmiNumber(recordNumber, CIM_UINT32)},
          {L"EventType", wmiNumber(eventType, CIM_UINT8)},
          {L"Type", wmiText(type)},
          {L"TimeWritten", wmiTime(timeWritten)},
          {L"Category", wmiNumber(0, CIM_UINT16)},
          {L"EventCode", wmiNumber(7000 + eventType, CIM_UINT16)},
          {L"SourceName", wmiText(L"Service Control Manager")},
          {L"Message", wmiText(message)}};
}

WmiRow ntEventlogFile(const std::wstring& log, long records) {
  return {{L"__CLASS", wmiText(L"Win32_NTEventlogFile")},
          {L"LogfileName", wmiText(log)},
          {L"NumberOfRecords", wmiNumber(records, CIM_UINT32)}};
}

WmiDouble::WmiDouble() : state_(std::make_shared<State>()) {}

void WmiDouble::add(const std::wstring& name, WmiComputer computer) {
  const std::lock_guard guard(state_->lock);
  state_->computers[lowerCase(name)] = std::move(computer);
}

WmiClient WmiDouble::client() const {
  return WmiClient{
      [state = state_](IWbemLocator** locator) {
        *locator = new Locator(state);
        return S_OK;
      },
      [state = state_](DWORD thread) { return state->cancelCall(thread); },
  };
}

std::vector<std::wstring> WmiDouble::calls() const {
  const std::lock_guard guard(state_->lock);
  return state_->calls;
}

bool WmiDouble::hanging(std::chrono::milliseconds atMost) const {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      const std::lock_guard guard(state_->lock);
      if (!state_->waiting.empty()) return true;
    }
    if (GetTickCount() - start >= static_cast<DWORD>(atMost.count())) return false;
    Sleep(2);
  }
}

}  // namespace brask::test

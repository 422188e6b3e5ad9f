// COM for the whole of brask.exe, made ready first: the main thread in a single-threaded
// apartment, as a window's thread must be, and the process's default security, which
// CoInitializeSecurity sets once, before any thread starts or any COM call is made (WMI's
// among them). Calls are authenticated with packet privacy, which is above the packet
// integrity that servers ask of a DCOM activation since the 2023 hardening (older clients,
// Windows XP and an unpatched Windows 7, do not raise the level by themselves), and servers
// may impersonate the user, as WMI must to read a log for them.
#pragma once

namespace brask {

class ComProcess {
 public:
  // Where COM cannot be made ready, its defaults stay: the Event Log API needs none of it,
  // and a computer read through WMI then fails with its own error.
  ComProcess();
  ComProcess(const ComProcess&) = delete;
  ComProcess& operator=(const ComProcess&) = delete;
  ~ComProcess();

 private:
  bool initialised_;
};

}  // namespace brask

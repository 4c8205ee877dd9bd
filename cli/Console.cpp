#include "Console.h"

#include <algorithm>
#include <atomic>
#include <csignal>

#include "My_Global.h"
#include "platform/Platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace console {

namespace {

std::size_t ShownLength = 0;  // characters of the progress line on screen

// The signal that asked for the cancel; lock-free, so a handler may set it.
std::atomic<int> CancelSignal{0};

void RequestCancel(int signal) {
  int none = 0;
  CancelSignal.compare_exchange_strong(none, signal);
  CancelRequest.exchange(1);
}

#ifdef _WIN32

HANDLE Stream(bool error) { return GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE); }

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return GetConsoleMode(handle, &mode) != 0;
}

void Write(bool error, const std::wstring& text) {
  const HANDLE handle = Stream(error);
  if (IsConsole(handle)) {
    for (std::size_t done = 0; done < text.size();) {
      DWORD written = 0;
      const DWORD count = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 16384));
      if (!WriteConsoleW(handle, text.data() + done, count, &written, nullptr) || written == 0) return;
      done += written;
    }
    return;
  }
  const std::string bytes = platform::ToUtf8(text);
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(handle, bytes.data() + done, count, &written, nullptr) || written == 0) return;
    done += written;
  }
}

// Ctrl+C, Ctrl+Break and closing the console window cancel the job. A
// closed console ends the process once the handler returns, so the handler
// holds it until the job has cleaned up (Windows allows about five seconds).
BOOL WINAPI OnControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT: RequestCancel(SIGINT); return TRUE;
    case CTRL_BREAK_EVENT: RequestCancel(SIGBREAK); return TRUE;
    case CTRL_CLOSE_EVENT:
      RequestCancel(SIGTERM);
      for (int waited = 0; waited < 45 && WorkerState.load() == wsRunning; ++waited) Sleep(100);
      return TRUE;
    default: return FALSE;
  }
}

#else

void Write(bool error, const std::wstring& text) {
  const std::string bytes = platform::ToUtf8(text);
  const int descriptor = error ? STDERR_FILENO : STDOUT_FILENO;
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

// An exchange on a lock-free atomic is safe in a signal handler.
void OnInterrupt(int signal) { RequestCancel(signal); }

#endif

}  // namespace

void Out(const std::wstring& text) { Write(false, text); }

void Err(const std::wstring& text) {
  // An error line replaces the progress line rather than running into it.
  if (ShownLength > 0) DrawProgressLine(L"");
  Write(true, text);
}

bool ErrIsTerminal() {
#ifdef _WIN32
  return IsConsole(Stream(true));
#else
  return ::isatty(STDERR_FILENO) == 1;
#endif
}

// Blanks cover what is left of a longer line before it; no terminal
// control sequences, so that every console draws it alike.
void DrawProgressLine(const std::wstring& text) {
  std::wstring line = L"\r" + text;
  if (text.size() < ShownLength) line += std::wstring(ShownLength - text.size(), L' ');
  if (text.empty()) line += L'\r';
  ShownLength = text.size();
  Write(true, line);
}

int CancelledBy() { return CancelSignal.load(); }

void CancelOnInterrupt() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
#endif
}

}  // namespace console

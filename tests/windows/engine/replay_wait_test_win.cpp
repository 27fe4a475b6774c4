#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle_owners_win.h"
#include "station/platform/replay_wait_win.h"

namespace tickvane {
namespace {

constexpr UINT kPing = WM_APP + 1;

struct Counts {
  int pings = 0;
  int timers = 0;
  bool flood = false;  // each ping posts the next one
};

// The counters hang on the window itself.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* counts = reinterpret_cast<Counts*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kPing && counts != nullptr) {
    ++counts->pings;
    if (counts->flood) ::PostMessageW(window, kPing, 0, 0);
    return 0;
  }
  if (message == WM_TIMER && counts != nullptr) {
    ++counts->timers;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Dispatch(MSG& message) {
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

class PumpingWaitTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TickvaneWaitTest";
    ::RegisterClassW(&windowClass);
    window_.reset(::CreateWindowW(L"TickvaneWaitTest", L"wait", WS_OVERLAPPED, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr));
    ASSERT_TRUE(window_);
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&counts_));
  }
  void TearDown() override {
    if (window_) ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  UniqueWindow window_;
  Counts counts_;
};

TEST_F(PumpingWaitTest, NeverEndsEarly) {
  FineTimerResolution fine;
  for (DWORD ms : {0u, 1u, 2u, 7u, 33u, 120u}) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    EXPECT_TRUE(PumpingWait(ms, Dispatch));
    ::QueryPerformanceCounter(&end);
    EXPECT_GE(Milliseconds(start, end), static_cast<double>(ms)) << ms;
  }
}

TEST_F(PumpingWaitTest, HandlesQueuedAndTimerMessagesWhileItWaits) {
  for (int i = 0; i < 3; ++i) ::PostMessageW(window_.get(), kPing, 0, 0);
  ::SetTimer(window_.get(), 1, 10, nullptr);
  // Waits in short steps until the timer has fired, within a generous bound.
  for (int step = 0; step < 500 && counts_.timers == 0; ++step) ASSERT_TRUE(PumpingWait(10, Dispatch));
  ::KillTimer(window_.get(), 1);
  EXPECT_EQ(counts_.pings, 3);
  EXPECT_GE(counts_.timers, 1);
}

// A handler that keeps the queue full must not hold the replay forever.
TEST_F(PumpingWaitTest, AFloodOfMessagesDoesNotStretchTheWaitForever) {
  counts_.flood = true;
  ::PostMessageW(window_.get(), kPing, 0, 0);
  EXPECT_TRUE(PumpingWait(20, Dispatch));
  EXPECT_GE(counts_.pings, 1);
}

TEST_F(PumpingWaitTest, QuitEndsTheWaitAndIsPostedAgain) {
  ::PostQuitMessage(7);
  EXPECT_FALSE(PumpingWait(60000, Dispatch));
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace tickvane

#pragma once
// Windows the driver makes itself: a plain parent for a program's child window (a stand-in for
// the desktop's preview area), and the companion window that programs ask before a saver
// starts (class "TfrmStartScreensaver", title "StartScreensaver", message 1127).

#include <windows.h>

namespace driver {

class ParentWindow {
  public:
    ParentWindow(int x, int y, int width, int height);
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    ~ParentWindow();

    HWND Handle() const { return hwnd_; }
    void Destroy();

  private:
    HWND hwnd_ = nullptr;
};

class CompanionWindow {
  public:
    static constexpr UINT kQuestion = WM_USER + 103;

    explicit CompanionWindow(LRESULT answer);
    CompanionWindow(const CompanionWindow&) = delete;
    CompanionWindow& operator=(const CompanionWindow&) = delete;
    ~CompanionWindow();

    // How often message 1127 was asked, and whether both its parameters were always 0.
    int Questions() const { return questions_; }
    bool ParametersAlwaysZero() const { return parametersZero_; }

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    LRESULT answer_;
    int questions_ = 0;
    bool parametersZero_ = true;
};

}  // namespace driver

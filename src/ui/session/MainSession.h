#pragma once

#include "state/Module1.h"

#include <memory>

class frmMain;

namespace ui {

class UiSeam;

// The program's run: the shared run state and the main window over it, made the way the
// program's start makes them. The program shows it on the desktop's seam; the headless driver,
// the tests and the benchmark run the same window on the scripted seam.
class MainSession {
public:
    explicit MainSession(UiSeam& seam);
    ~MainSession();
    MainSession(const MainSession&) = delete;
    MainSession& operator=(const MainSession&) = delete;

    Module1& state() { return state_; }
    frmMain& window() { return *window_; }

private:
    Module1 state_;
    std::unique_ptr<frmMain> window_;
};

} // namespace ui

#pragma once
// What the configuration-mode request thread shows while it runs: the press-reset dialog in the
// desktop program, the console in talvctl.
//
// The request thread never calls ShowStatus, CloseOk or Repaint itself. It hands each call to
// Post and waits until it has run; Post decides on which thread that is (the dialog posts to
// the GUI thread, the console runs it at once). A posted call may run after the request was
// stopped; the thread then no longer waits for it and it is skipped.

#include <functional>
#include <string>

enum tConfigModeStatus : int {
    EConfigModeWaitForStart = 1,   // waiting for the device's start string
    EConfigModeConfirmed = 2,      // start string answered, waiting for the prompt
    EConfigModeEntered = 3,        // the device is in configuration mode
    EConfigModeFailed = 4,         // the request ended without success; the reason says why
};

class TConfigModeView {
public:
    virtual ~TConfigModeView() = default;

    virtual void ShowStatus(tConfigModeStatus status, const std::string& reason) = 0;
    // The request succeeded: close with the OK result.
    virtual void CloseOk() = 0;
    virtual void Repaint() = 0;

    // Runs call on the thread that owns the view. The default runs it at once, on the caller's
    // thread, which suits a view that is safe to use from any thread.
    virtual void Post(std::function<void()> call) { call(); }
};

// The text of a status: the message table's 221..223, and for a failure the reason.
std::string ConfigModeStatusText(tConfigModeStatus status, const std::string& reason = {});

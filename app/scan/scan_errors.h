#pragma once
// What went wrong in an acquisition, and the box the user sees for it.
//
// ScanPrompts is how the layer talks to the user outside its dialogs: the program shows
// real message boxes (QtScanPrompts, scan_prompts.h); tests answer them. Both are modal.
#include <sane/sane.h>

#include <QString>

namespace folivo {

enum class ScanFailure {
    None,
    Cancelled, // by the user or the device: no box
    Jammed,
    CoverOpen,
    NoDocuments,
    IoError,
    DeviceBusy,
    OutOfMemory,
    AccessDenied,
    OpenFailed,    // no device could be opened
    BadData,       // the device sent frames that make no image
    Failed,        // any other status
    NotAnswering,  // a call did not return in time; the device was given up
    RestartNeeded, // a call given up still has not returned: SANE cannot be used again
};

ScanFailure FailureFromStatus(SANE_Status status);

struct ScanErrorText {
    QString title;
    QString what; // what happened
    QString todo; // what the user can do about it
};

ScanErrorText ErrorTextFor(ScanFailure failure);

class ScanPrompts {
public:
    virtual ~ScanPrompts() = default;
    virtual void showError(ScanFailure failure, const ScanErrorText& text) = 0;
    // Counts down `seconds` before try `attempt` of `attempts` while the device is busy;
    // false when the user chose to stop waiting.
    virtual bool waitForRetry(int attempt, int attempts, int seconds) = 0;
};

} // namespace folivo

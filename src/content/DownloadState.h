#pragma once

#include <QString>

// The states of a category pack download and what the download window shows in each.
enum class DownloadState {
    Ready,      // window just shown
    Connecting, // request sent, nothing received yet
    Receiving,  // bytes arriving (the pack, then the title index)
    Checking,   // both arrived; every picture and title is being checked
    Done,       // both files checked and in Data/
    Failed,     // a transfer or the check failed; Data/ is as it was
};

struct DownloadView {
    bool windowEnabled;
    bool busyPointer;
    bool buttonEnabled;
    QString message;
};

// What the window looks like in `state`.
DownloadView viewOf(DownloadState state);

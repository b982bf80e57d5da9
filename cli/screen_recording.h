// zoruvede-cli --record: the screen recorded from the command line, until its length is
// reached or the user presses Ctrl+C, with its progress on a terminal.
#pragma once

#include <csignal>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "core/picture/picture.h"

struct CliRecording {
    std::vector<PictureRef> pictures;
    std::vector<int> delays;
    int width = 0, height = 0;
    std::string problem;  // why the recording ended early (its frames are kept)
};

// Signals while recording: the first press of Ctrl+C (or SIGTERM) ends the recording, and
// the frames are written; a second abandons it, setting *abandon.
void CatchRecordingSignals(volatile std::sig_atomic_t* abandon);

// Records as options say; false with error (a sentence, exit status in status: 1 the screen
// failed, 2 a region that doesn't fit) when nothing could be recorded.
bool RecordFromCommandLine(const CliOptions& options, CliRecording& recording,
                           std::string& error, int& status);

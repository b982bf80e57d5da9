// A recording: a worker thread takes the pixels of a region of a screen source at a frame
// rate, leaves out frames that show nothing new, and keeps each picture compressed in the
// picture store as it arrives. Delays come from the moments the pictures were taken, so the
// timing matches what happened on screen whatever frame rate was reached.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/picture/picture.h"
#include "core/screen/capture_region.h"
#include "core/screen/screen_source.h"

constexpr int kMinRecordFps = 1;
constexpr int kMaxRecordFps = 60;
constexpr int kDefaultRecordFps = 15;

struct RecordOptions {
    int fps = kDefaultRecordFps;  // kMinRecordFps..kMaxRecordFps
    bool pointer = true;
    double limitSeconds = 0;      // stops by itself after this much recorded time; 0: no limit
    bool mergeUnchanged = true;   // a frame equal to the one before lengthens it instead
    // The side of the square box each picture's small copy is made to fit, as the pixels are
    // at hand (the strip's tiles then need no picture decoded); 0: none.
    int smallCopySide = 0;
};

struct RecordStatus {
    double seconds = 0;        // recorded time, pauses left out
    int frames = 0;            // frames kept so far
    uint64_t memoryBytes = 0;  // compressed bytes the kept frames hold
    bool paused = false;
    bool finished = false;     // ended by itself (the length limit, or the source failed)
};

// What a recording gives: its pictures with their delays in hundredths (as many), and why it
// ended early when it did.
struct Recording {
    std::vector<PictureRef> pictures;
    std::vector<int> delays;
    // As many as pictures with RecordOptions::smallCopySide, else none; null where a picture
    // is too thin for one.
    std::vector<std::shared_ptr<const wxImage>> smallCopies;
    std::string problem;  // a sentence: the source failed; the frames are kept
};

class Recorder {
public:
    // Starts recording region of source at once, on a thread of its own.
    Recorder(std::unique_ptr<ScreenSource> source, const CaptureRect& region,
             const RecordOptions& options, std::shared_ptr<PictureStore> store);
    // Stops and joins the worker.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // A pause leaves no gap: the time paused counts for nothing.
    void Pause();
    void Resume();
    // Ends the recording and joins the worker (the last picture's compression finished).
    void Stop();
    // Safe on any thread, at any time.
    RecordStatus Status() const;
    // After Stop: the frames, once.
    Recording Take();

private:
    struct State;
    void Run();

    std::unique_ptr<State> m_state;
    std::thread m_thread;
};

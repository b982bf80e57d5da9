// The size estimate the status bar shows, worked out on a worker thread while the user goes
// on editing. Every start abandons the estimate under way: it is stopped, and joined only when
// it has reported, so the GUI thread never waits for a frame being encoded. The worker decodes
// the frames' shared pictures itself, one at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <wx/event.h>
#include <wx/image.h>

#include "core/export/gif_export.h"
#include "core/picture/picture.h"

class SizeEstimateThread;

class BackgroundEstimate : public wxEvtHandler {
public:
    // done receives the latest estimate's bytes (nothing when it could not be made), on the
    // GUI thread; never for an abandoned one.
    explicit BackgroundEstimate(std::function<void(std::optional<uint64_t>)> done);
    // Stops every estimate and waits for them.
    ~BackgroundEstimate() override;
    BackgroundEstimate(const BackgroundEstimate&) = delete;
    BackgroundEstimate& operator=(const BackgroundEstimate&) = delete;

    // Starts estimating frames under options. False when the worker could not start.
    bool Start(std::vector<PictureRef> frames, GifExportOptions options);
    // Abandons the estimate under way, if any.
    void Abandon();
    // Whether an estimate that will be reported is under way.
    bool Running() const { return m_jobs.count(m_generation) != 0; }
    // Estimates not yet ended, abandoned ones included.
    size_t Workers() const { return m_jobs.size(); }

private:
    void OnEstimated(wxThreadEvent& event);

    struct Job {
        std::unique_ptr<SizeEstimateThread> thread;
    };
    std::function<void(std::optional<uint64_t>)> m_done;
    std::map<unsigned, Job> m_jobs;
    unsigned m_generation = 0;
};

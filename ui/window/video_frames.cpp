// Video clips among the files to load: a dialog per clip picks the stretch, the rate and the
// width, and the clip's place in the load is taken by the names of the frames chosen.
#include <wx/filename.h>

#include "core/settings/product.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/dialogs/message_text.h"
#include "ui/dialogs/video_import_dialog.h"
#include "core/video/video_files.h"
#include "core/video/video_geometry.h"
#include "core/video/video_import.h"
#include "core/jobs/load_session.h"

namespace {
// The preview in the dialog is small; a narrow decode of the first picture is enough.
constexpr int kPreviewDecodeWidth = 320;
}

bool MainWindow::ChooseVideoFrames(LoadRequest& request)
{
    wxArrayString chosen, unreadable;
    for (const wxString& entry : request.entries) {
        if (!IsVideoPath(entry)) {
            chosen.Add(entry);
            continue;
        }
        wxString reason;
        std::unique_ptr<VideoDecoder> video = VideoDecoder::Open(entry, reason);
        if (!video) {
            unreadable.Add(wxFileName(entry).GetFullName() + ": " + reason);
            continue;
        }
        const VideoInfo info = video->Info();
        wxImage first;
        video->FrameAt(0, std::min(kPreviewDecodeWidth, info.display.x), first, reason);
        video.reset();
        VideoImportDialog dialog(this, entry, info, first);
        if (dialog.ShowModal() != wxID_OK)
            continue;
        const VideoImportFrames frames =
            VideoImportEntries(entry, info, dialog.Sampling(), dialog.FrameWidth());
        for (size_t i = 0; i < frames.entries.size(); ++i) {
            chosen.Add(frames.entries[i]);
            request.videoDelays[frames.entries[i]] = frames.delays[i];
        }
    }
    if (!unreadable.empty())
        ShowMessage(_("These videos can't be read:") + ListSome(unreadable), GetProductName(),
                    wxOK | wxICON_WARNING, this);
    request.entries = chosen;
    return !request.entries.empty();
}

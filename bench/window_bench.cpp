// Loads N photo-like frames of 640 x 480 into the real main window through Add Image and
// saves 100 of them through Save, printing wall time and memory; then exports the same files
// with zoruvede-cli for comparison. Frames are written once into a temporary folder.
//
// Large frames: "--make-screen DIR N" writes N screen-recording frames of 1920 x 1080 as PNG
// files into DIR; "--frames DIR [--save] [--edit]" loads every PNG file of DIR (in name
// order) into one window, then prints the load's time per frame and per pixel, the resident
// memory, what showing a frame in the preview costs, (--edit) what a crop and a turn cost,
// and (--save) the time to save them all. The picture
// budget is the settings file's (XDG_CONFIG_HOME/zoruvede/settings.ini).
//
// "--record SECONDS" records generated 1080p screen frames at 15 fps into a window through the
// recording's control window and prints the resident memory and the time from Stop until the
// last frame is in the strip; then the time Remove Duplicate Frames takes on them.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "app/startup.h"
#include "core/base/trace.h"
#include "bench/process_figures.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "tests/support/main_window_probe.h"
#include "core/project/project_file.h"
#include "core/input/frame_reference.h"
#include "core/export/gif_export.h"
#include "core/gif/gif_frame_reader.h"
#include "bench/screen_frames.h"
#include "core/record/recorder.h"
#include "core/strip/thumbnail_size.h"
#include "ui/dialogs/record_control.h"
#include "ui/dialogs/fewer_frames_dialogs.h"
#include "core/document/frame_thinning.h"

namespace {
using bench::PeakKiB;
using bench::ResidentKiB;

wxImage Photo(int seed)
{
    wxImage img(640, 480, false);
    unsigned char* p = img.GetData();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const double v = std::sin(x * 0.02 + seed) + std::cos(y * 0.03 - seed * 0.5);
            *p++ = static_cast<unsigned char>(128 + 60 * v + (x ^ y ^ seed) % 16);
            *p++ = static_cast<unsigned char>(100 + 50 * std::sin(v + y * 0.01));
            *p++ = static_cast<unsigned char>(90 + (x * 3 + seed * 7) % 120);
        }
    return img;
}

class ListChooser : public PathChooser {
public:
    wxArrayString open;
    wxString save;
    wxArrayString ChooseFilesToOpen(wxWindow*, const wxString&, const wxString&, bool) override
    {
        return open;
    }
    wxString ChooseFileToSave(wxWindow*, const wxString&, const wxString&, const wxString&) override
    {
        return save;
    }
};

void Wait(const std::function<bool()>& done)
{
    while (!done()) {
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
}

void Command(MainWindow& frame, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    frame.ProcessWindowEvent(event);
}

// A new window on screen whose file dialogs answer entries (and paths, when given, for saves).
MainWindow* WindowChoosing(const wxArrayString& entries, ListChooser** paths = nullptr)
{
    MainWindow* frame = CreateMainWindow();
    auto chooser = std::make_unique<ListChooser>();
    chooser->open = entries;
    if (paths)
        *paths = chooser.get();
    frame->SetPathChooser(std::move(chooser));
    frame->Show();
    return frame;
}

// Seconds until frame has loaded what a command (Add Image, Open Project) opens.
double TimedOpen(MainWindow& frame, int command)
{
    wxStopWatch watch;
    Command(frame, command);
    Wait([&] { return !frame.IsLoading(); });
    return watch.Time() / 1000.0;
}

// Seconds until a new window has loaded what opening entries gives (an Add Image, or an Open
// Project when project is set).
double TimedLoad(const wxArrayString& entries, bool project)
{
    MainWindow* frame = WindowChoosing(entries);
    const double seconds = TimedOpen(*frame, project ? ID_OPEN_PROJECT : ID_ADD_IMAGE);
    frame->Destroy();
    wxTheApp->Yield(true);
    return seconds;
}

// A project holding every frame of one GIF against Add Image of that GIF: each GIF is decoded
// once per load, so the two should take about the same time.
void LoadGifAndItsProject(const wxString& gif, const wxString& projectPath)
{
    GifFrameReader reader;
    if (!reader.Open(gif, nullptr))
        return;
    ProjectData project;
    project.width = reader.ScreenSize().GetWidth();
    project.height = reader.ScreenSize().GetHeight();
    project.delay = 10;
    for (unsigned i = 0; i < reader.Count(); ++i)
        project.frames.Add(MakeFrameReferenceName(gif, static_cast<int>(i)));
    WriteProjectFile(projectPath, project, nullptr);
    const double added = TimedLoad(wxArrayString(1, &gif), false);
    const double opened = TimedLoad(wxArrayString(1, &projectPath), true);
    std::printf("add a %u-frame GIF                   %8.2f %12.2f\n", reader.Count(), added,
                added * 1000 / reader.Count());
    std::printf("open a project of its %u frames      %8.2f %12.2f\n", reader.Count(), opened,
                opened * 1000 / reader.Count());
}

// What steps of the undo history cost on 100 frames: reversals, duplicates of a frame, a
// Clear All and its undo. The steps share the frames, so they should cost next to nothing.
void UndoStepCost(MainWindow& frame)
{
    const int steps = 20;
    const long before = ResidentKiB();
    for (int i = 0; i < steps / 2; ++i) {
        Command(frame, ID_REVERSE);
        Probe(frame).Strip()->Select(0);
        Command(frame, ID_DUPLICATE);
    }
    const long afterSteps = ResidentKiB();
    Command(frame, ID_CLEAR_ALL);
    const long cleared = ResidentKiB();
    const size_t held = Probe(frame).History()->HeldBytes();
    Command(frame, wxID_UNDO);
    std::printf("undo history, 100 frames: %d steps  %+8.1f KiB/step; Clear All %+.1f MiB of RSS "
                "while the history holds %.1f MiB of pictures (shared, not copied)\n",
                steps, static_cast<double>(afterSteps - before) / steps,
                (cleared - afterSteps) / 1024.0, held / 1048576.0);
    for (int i = 0; i < steps; ++i)
        Command(frame, wxID_UNDO);
}

int Run(const std::vector<int>& counts)
{
    const std::string dir = std::filesystem::temp_directory_path() / "zoruvede-window-bench";
    std::filesystem::create_directories(dir);
    int largest = 100;
    for (int n : counts)
        largest = std::max(largest, n);
    // 25 distinct pictures, repeated: decoding cost is the same, disk use stays small.
    wxArrayString files;
    for (int i = 0; i < 25; ++i) {
        const wxString path = wxString::Format("%s/f%02d.jpg", dir, i);
        if (!wxFileExists(path))
            Photo(i).SaveFile(path, wxBITMAP_TYPE_JPEG);
        files.Add(path);
    }
    SetTraceEnabled(false);
    std::printf("%-34s %10s %12s %14s\n", "case", "wall s", "ms/frame", "RSS MiB");
    for (int n : counts) {
        wxArrayString entries;
        for (int i = 0; i < n; ++i)
            entries.Add(files[i % files.size()]);
        ListChooser* paths = nullptr;
        MainWindow* frame = WindowChoosing(entries, &paths);
        const long before = ResidentKiB();
        const double seconds = TimedOpen(*frame, ID_ADD_IMAGE);
        const long after = ResidentKiB();
        std::printf("load %5d frames through the window %8.2f %12.2f %14.1f  (%.0f KiB/frame)\n", n,
                    seconds, seconds * 1000 / n, after / 1024.0,
                    static_cast<double>(after - before) / n);
        if (n == 100) {
            UndoStepCost(*frame);
            paths->save = wxString(dir) + "/window.gif";
            wxStopWatch save;
            Command(*frame, ID_SAVE_GIF);
            Wait([&] { return !frame->IsSaving(); });
            std::printf("save  100 frames through the window %8.2f %12.2f %14.1f\n",
                        save.Time() / 1000.0, save.Time() / 100.0, ResidentKiB() / 1024.0);
        }
        frame->Destroy();
        wxTheApp->Yield(true);
    }
    // The mix a user brings: one long GIF and a folder of photographs.
    {
        std::vector<wxImage> gifFrames;
        for (int i = 0; i < 300; ++i)
            gifFrames.push_back(Photo(i % 25).Copy());
        GifExportOptions options;
        options.canvas = wxSize(640, 480);
        options.reducer = PaletteReducer::Direct;
        const wxString gif = wxString(dir) + "/long.gif";
        ExportGif(std::move(gifFrames), gif, options);
        wxArrayString entries(1, &gif);
        for (int i = 0; i < 200; ++i)
            entries.Add(files[i % files.size()]);
        MainWindow* frame = WindowChoosing(entries);
        const long before = ResidentKiB();
        const double seconds = TimedOpen(*frame, ID_ADD_IMAGE);
        const int n = frame->FrameCount();
        std::printf("load a 300-frame GIF + 200 photos %8.2f %12.2f %14.1f  (%.0f KiB/frame, %d frames)\n",
                    seconds, seconds * 1000 / n, ResidentKiB() / 1024.0,
                    static_cast<double>(ResidentKiB() - before) / n, n);
        frame->Destroy();
        wxTheApp->Yield(true);
        LoadGifAndItsProject(gif, wxString(dir) + "/long.xml");
    }
    wxString inputs;
    for (int i = 0; i < 100; ++i)
        inputs += " " + files[i % files.size()];
    wxStopWatch cli;
    wxArrayString out, err;
    wxExecute(wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli -q -o " + dir + "/cli.gif" + inputs,
              out, err, wxEXEC_SYNC);
    std::printf("save  100 frames through the CLI    %8.2f %12.2f\n", cli.Time() / 1000.0,
                cli.Time() / 100.0);
    std::printf("peak RSS of this process: %.1f MiB\n", PeakKiB() / 1024.0);
    std::filesystem::remove_all(dir);
    return 0;
}

int MakeScreenFrames(const wxString& dir, int count)
{
    std::filesystem::create_directories(dir.ToStdString());
    bench::ScreenFrames screen(1920, 1080);
    std::vector<uint8_t> rgb;
    for (int i = 0; i < count; ++i) {
        screen.Draw(i, rgb);
        wxImage image(screen.Width(), screen.Height(), rgb.data(), true);
        image.SetOption(wxIMAGE_OPTION_PNG_COMPRESSION_LEVEL, 1);
        if (!image.SaveFile(wxString::Format("%s/s%05d.png", dir, i), wxBITMAP_TYPE_PNG))
            return 1;
    }
    return 0;
}

// A crop of the middle and a right turn, as the Canvas menu makes them: what they cost in
// memory (no picture is copied; the thumbnails are made again) and in showing a frame.
void EditLargeFrames(MainWindow& frame)
{
    const long before = ResidentKiB();
    wxStopWatch editing;
    const wxSize canvas = Probe(frame).Document().Canvas();
    frame.CropAnimation(wxRect(canvas.x / 4, canvas.y / 4, canvas.x / 2, canvas.y / 2));
    Command(frame, ID_ROTATE_RIGHT);
    wxTheApp->Yield(true);
    const int n = frame.FrameCount();
    std::printf("crop and turn %d frames: %.2f s (thumbnails made again); RSS %.0f MiB "
                "(%+.1f MiB, %+.2f KiB a frame)\n",
                n, editing.Time() / 1000.0, ResidentKiB() / 1024.0,
                (ResidentKiB() - before) / 1024.0, double(ResidentKiB() - before) / n);
    const int shown = std::min(60, n);
    wxStopWatch preview;
    for (int i = 0; i < shown; ++i) {
        Probe(frame).ShowFrame(i);
        wxTheApp->Yield(true);
    }
    std::printf("preview with the edits: %.2f ms to show and paint a frame (%d frames)\n",
                double(preview.Time()) / shown, shown);
}

int LoadLargeFrames(const wxString& dir, bool save, bool edit)
{
    wxArrayString files;
    wxDir::GetAllFiles(dir, &files, "*.png", wxDIR_FILES);
    files.Sort();
    if (files.empty())
        return 1;
    wxImage first(files[0]);
    const double pixels = double(first.GetWidth()) * first.GetHeight() * files.size();
    SetTraceEnabled(false);
    ListChooser* paths = nullptr;
    MainWindow* frame = WindowChoosing(files, &paths);
    const long before = ResidentKiB();
    const double seconds = TimedOpen(*frame, ID_ADD_IMAGE);
    const int n = frame->FrameCount();
    std::printf("load %d frames of %d x %d: %.1f s, %.1f ms/frame, %.2f ns/pixel; RSS %.0f MiB "
                "(%+.0f MiB), peak %.0f MiB\n",
                n, first.GetWidth(), first.GetHeight(), seconds, seconds * 1000 / n,
                seconds * 1e9 / pixels, ResidentKiB() / 1024.0, (ResidentKiB() - before) / 1024.0,
                PeakKiB() / 1024.0);
    // The preview as it plays: each frame shown and painted, 60 frames from the middle.
    const int shown = std::min(60, n);
    const int from = std::max(0, n / 2 - shown / 2);
    wxStopWatch preview;
    for (int i = from; i < from + shown; ++i) {
        Probe(*frame).ShowFrame(i);
        wxTheApp->Yield(true);
    }
    std::printf("preview: %.2f ms to show and paint a frame (%d frames)\n",
                double(preview.Time()) / shown, shown);
    if (edit)
        EditLargeFrames(*frame);
    if (save) {
        paths->save = dir + "/window.gif";
        wxStopWatch saving;
        Command(*frame, ID_SAVE_GIF);
        Wait([&] { return !frame->IsSaving(); });
        std::printf("save %d frames through the window: %.1f s; RSS %.0f MiB, peak %.0f MiB; %s\n",
                    n, saving.Time() / 1000.0, ResidentKiB() / 1024.0, PeakKiB() / 1024.0,
                    wxFileExists(paths->save) ? "written" : "NOT WRITTEN");
    }
    frame->Destroy();
    wxTheApp->Yield(true);
    return 0;
}

// A screen of 1920 x 1080 whose content is the benchmark's screen frames, a new one each
// fifteenth of a second, as a long screen recording sees it.
class GeneratedScreen : public ScreenSource {
public:
    GeneratedScreen() : m_frames(1920, 1080), m_start(std::chrono::steady_clock::now()) {}
    int Width() const override { return 1920; }
    int Height() const override { return 1080; }
    bool Grab(const CaptureRect&, bool, std::vector<uint8_t>& rgb, std::string&) override
    {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        m_frames.Draw(static_cast<int>(seconds * 15), rgb);
        return true;
    }

private:
    bench::ScreenFrames m_frames;
    std::chrono::steady_clock::time_point m_start;
};

// Remove Duplicate Frames on the window's frames as the command does it, its dialog shown
// without waiting for the user: the comparison to the slider's highest tolerance, then the
// step at 1 %.
void RemoveDuplicatesFrom(MainWindow& frame)
{
    MainWindowProbe probe = Probe(frame);
    AnimationDocument& document = probe.Document();
    std::vector<PictureRef> pictures;
    std::vector<int> delays;
    for (int i = 0; i < document.Count(); ++i) {
        pictures.push_back(document.Frame(i)->picture);
        delays.push_back(document.EffectiveDelay(i));
    }
    const int before = document.Count();
    wxStopWatch comparing;
    auto* dialog = new RemoveDuplicatesDialog(&frame, pictures, delays);
    dialog->Show();
    dialog->FinishComparison();
    const long compareMs = comparing.Time();
    const ThinnedFrames thinned = MergeRuns(delays, DuplicateJoins(dialog->Shares(), 1.0));
    dialog->Destroy();
    if (DocumentCommand* step = ThinningStep(document, "Remove Duplicate Frames", thinned))
        probe.SubmitEdit(step);
    std::printf("Remove Duplicate Frames on %d frames: compared in %ld ms, %d frames within 1 %% "
                "removed in %ld ms in all\n",
                before, compareMs, before - document.Count(), comparing.Time());
}

// Records the generated screen for seconds at 15 frames a second into a window, through the
// control window, then prints the window's resident memory and the time from Stop until the
// last frame is in the strip.
int RecordIntoWindow(int seconds)
{
    MainWindow* frame = WindowChoosing({});
    MainWindowProbe probe = Probe(*frame);
    RecordStart start;
    start.source = std::make_unique<GeneratedScreen>();
    start.region = {0, 0, 1920, 1080};
    start.options.fps = 15;
    start.options.smallCopySide = ThumbnailSide(ThumbnailSize::Large);
    start.store = probe.Document().Store();
    bool done = false;
    auto* control = new RecordControl(std::move(start), [&](RecordedFrames frames) {
        probe.FinishRecording(std::move(frames));
        done = true;
    });
    control->Start();
    wxStopWatch recording;
    Wait([&] { return recording.Time() >= seconds * 1000L; });
    const RecordStatus status = control->Status();
    wxStopWatch stopping;
    control->Stop();
    Wait([&] { return done; });
    probe.Strip()->Update();
    const long stopMs = stopping.Time();
    std::printf("record %d s of 1920x1080 screen frames at 15 fps into the window: %d frames "
                "(%.1f MB compressed), Stop to last frame in the strip %ld ms, resident %ld MiB "
                "(peak %ld MiB)\n",
                seconds, frame->FrameCount(), status.memoryBytes / 1e6, stopMs,
                ResidentKiB() / 1024, PeakKiB() / 1024);
    RemoveDuplicatesFrom(*frame);
    frame->Destroy();
    return 0;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        LoadThemes(wxString(ZORUVEDE_BUILD_DIR) + "/Themes");
        if (argc >= 4 && argv[1] == "--make-screen") {
            const wxString dir = argv[2];
            const int count = std::atoi(argv[3].c_str());
            CallAfter([this, dir, count] {
                m_status = MakeScreenFrames(dir, count);
                ExitMainLoop();
            });
            return true;
        }
        if (argc >= 3 && argv[1] == "--record") {
            const int seconds = std::atoi(argv[2].c_str());
            CallAfter([this, seconds] {
                m_status = RecordIntoWindow(seconds);
                ExitMainLoop();
            });
            return true;
        }
        if (argc >= 3 && argv[1] == "--frames") {
            const wxString dir = argv[2];
            bool save = false, edit = false;
            for (int i = 3; i < argc; ++i) {
                save = save || argv[i] == "--save";
                edit = edit || argv[i] == "--edit";
            }
            CallAfter([this, dir, save, edit] {
                m_status = LoadLargeFrames(dir, save, edit);
                ExitMainLoop();
            });
            return true;
        }
        std::vector<int> counts;
        for (int i = 1; i < argc; ++i)
            counts.push_back(std::atoi(argv[i].c_str()));
        if (counts.empty())
            counts = {100, 1000};
        CallAfter([this, counts] {
            Run(counts);
            ExitMainLoop();
        });
        return true;
    }
    int OnExit() override { return m_status; }

private:
    int m_status = 0;
};
}

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}

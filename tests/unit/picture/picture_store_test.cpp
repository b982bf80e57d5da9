// The store holds one compressed copy a picture however many hold it, moves pictures past its
// budget to the cache file and reads them back exact, keeps everything in memory and says so
// once when the file can't be made, written or read, serves readers on several threads while
// another adds, and clears only the cache files of processes that are gone.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>

#include "core/picture/cache_file.h"
#include "core/picture/picture.h"
#include "core/picture/picture_store.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

std::string Folder(const TempDir& dir)
{
    return dir.Path().ToStdString() + "/cache";
}

std::vector<PictureRef> AddPhotos(const std::shared_ptr<PictureStore>& store, int count)
{
    std::vector<PictureRef> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back(Picture::FromImage(store, PhotoLikeImage(64, 48, i)));
    return pictures;
}

// Every picture decodes (past the decoded cache) to the photo it was made from.
void ExpectAllExact(const std::vector<PictureRef>& pictures)
{
    for (size_t i = 0; i < pictures.size(); ++i)
        EXPECT_TRUE(SamePixels(pictures[i]->ToImage(), PhotoLikeImage(64, 48, int(i)))) << i;
}

// Cuts the file size limit for its life, so that writing past the limit fails as a full disk
// would (EFBIG instead of ENOSPC, and no signal).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(PictureStore, HoldsOneCompressedCopyForEveryHolder)
{
    TempDir dir;
    auto store = PictureStore::Create({1 << 20, Folder(dir)});
    PictureRef document = Picture::FromImage(store, PhotoLikeImage(320, 240, 1));
    PictureRef history = document, worker = document;
    EXPECT_EQ(store->Counts().pictures, 1u);
    EXPECT_EQ(store->Counts().memoryBytes, document->CompressedBytes());
    EXPECT_EQ(worker->Decode(), history->Decode()) << "decoded twice";
    document.reset();
    history.reset();
    EXPECT_EQ(store->Counts().pictures, 1u);
    worker.reset();
    EXPECT_EQ(store->Counts().pictures, 0u);
    EXPECT_EQ(store->Counts().memoryBytes, 0u);
    EXPECT_EQ(store->Decoded().Bytes(), 0u);
}

TEST(PictureStore, MovesPicturesPastTheBudgetToTheFileAndReadsThemBackExact)
{
    TempDir dir;
    // No decoded cache, so every read comes from the store's bytes.
    auto store = PictureStore::Create({20000, Folder(dir), 0});
    std::vector<PictureRef> pictures = AddPhotos(store, 12);
    const PictureStore::Figures moved = store->Counts();
    EXPECT_LE(moved.memoryBytes, 20000u);
    EXPECT_GT(moved.fileBytes, 0u);
    EXPECT_EQ(moved.memoryBytes + moved.fileBytes, [&] {
        uint64_t sum = 0;
        for (const PictureRef& p : pictures)
            sum += p->CompressedBytes();
        return sum;
    }());
    EXPECT_FALSE(store->TakeTrouble());
    ExpectAllExact(pictures);
    wxArrayString left;
    EXPECT_EQ(wxDir::GetAllFiles(Folder(dir), &left), 0u) << "the file is unlinked once open";

    // Released pictures' space takes the next ones: of six, the file grows by one at most
    // (first fit: a gap may be a few bytes short).
    for (size_t i = 0; i < 6; ++i)
        pictures[i].reset();
    for (size_t i = 0; i < 6; ++i)
        pictures[i] = Picture::FromImage(store, PhotoLikeImage(64, 48, int(i)));
    EXPECT_LE(store->Counts().fileLength, moved.fileLength + pictures[0]->CompressedBytes() + 64);
    ExpectAllExact(pictures);
}

TEST(PictureStore, KeepsEverythingInMemoryAndSaysSoOnceWhenTheFileFails)
{
    TempDir dir;
    const std::string notAFolder = dir.Path().ToStdString() + "/file";
    std::ofstream(notAFolder) << "x";
    struct Case {
        const char* name;
        std::string folder;
        rlim_t sizeLimit;  // 0: none
        const char* reason;
    };
    const Case cases[] = {{"unwritable folder", notAFolder + "/cache", 0, "Not a directory"},
                          {"full disk", Folder(dir), 6000, "File too large"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto store = PictureStore::Create({20000, c.folder, 0});
        std::vector<PictureRef> pictures;
        {
            std::unique_ptr<FileSizeLimit> limit(c.sizeLimit ? new FileSizeLimit(c.sizeLimit)
                                                             : nullptr);
            pictures = AddPhotos(store, 12);
        }
        const std::optional<wxString> trouble = store->TakeTrouble();
        ASSERT_TRUE(trouble);
        EXPECT_TRUE(trouble->Contains(c.folder)) << *trouble;
        EXPECT_TRUE(trouble->Contains(c.reason)) << *trouble;
        EXPECT_GT(store->Counts().memoryBytes, 20000u);
        AddPhotos(store, 4);
        EXPECT_FALSE(store->TakeTrouble()) << "told twice";
        ExpectAllExact(pictures);
    }
}

TEST(PictureStore, APictureItsFileLostGivesNothingAndSaysSoOnce)
{
    TempDir dir;
    auto store = PictureStore::Create({20000, Folder(dir), 0});
    const std::vector<PictureRef> pictures = AddPhotos(store, 12);
    // Cut the unlinked file short through this process's own descriptor of it.
    bool cut = false;
    for (int fd = 3; fd < 1024 && !cut; ++fd) {
        char target[4096] = {};
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        if (::readlink(link.c_str(), target, sizeof target - 1) > 0 &&
            std::string(target).find(Folder(dir) + "/frames.") == 0)
            cut = ::truncate(link.c_str(), 0) == 0;
    }
    ASSERT_TRUE(cut);
    EXPECT_FALSE(pictures[0]->Decode());
    EXPECT_FALSE(pictures[1]->Decode());
    const std::optional<wxString> trouble = store->TakeTrouble();
    ASSERT_TRUE(trouble);
    EXPECT_TRUE(trouble->Contains("read back")) << *trouble;
    EXPECT_FALSE(store->TakeTrouble()) << "told twice";
    EXPECT_TRUE(SamePixels(pictures[11]->ToImage(), PhotoLikeImage(64, 48, 11)))
        << "a picture in memory is lost with the file";
}

TEST(PictureStore, ServesReadersOnSeveralThreadsWhileAnotherAdds)
{
    TempDir dir;
    auto store = PictureStore::Create({30000, Folder(dir), 40000});
    const std::vector<PictureRef> shared = AddPhotos(store, 8);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        for (int round = 0; round < 20; ++round)
            AddPhotos(store, 3);  // added, moved to the file, released again
    });
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 30; ++round) {
                const size_t i = size_t(round * 3 + t) % shared.size();
                const DecodedPictureRef decoded = shared[i]->Decode();
                if (!decoded || !SamePixels(decoded->View(), PhotoLikeImage(64, 48, int(i))))
                    ++wrong;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(store->Counts().pictures, shared.size());
    EXPECT_FALSE(store->TakeTrouble());
}

TEST(CacheFiles, OnlyThoseOfProcessesThatAreGoneAreRemoved)
{
    TempDir dir;
    const std::string folder = Folder(dir);
    ASSERT_TRUE(wxMkdir(folder));
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = "frames." + std::to_string(gone) + ".0.cache";
    const std::string kept[] = {"frames." + std::to_string(::getpid()) + ".3.cache",
                                "frames.1.0.cache",  // init: always running
                                "frames." + std::to_string(gone) + ".0.cache.keep",
                                "frames.0" + std::to_string(gone) + ".0.cache", "notes.txt"};
    for (const std::string& name : kept)
        std::ofstream(folder + "/" + name) << "x";
    std::ofstream(folder + "/" + dead) << "x";

    PictureStore::Create({1 << 20, folder});
    EXPECT_FALSE(wxFileExists(folder + "/" + dead));
    for (const std::string& name : kept)
        EXPECT_TRUE(wxFileExists(folder + "/" + name)) << name;
}

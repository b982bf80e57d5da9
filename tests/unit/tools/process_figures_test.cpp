// The figures the benches read about their own process: the status parsing on plain text, the
// memory bound's arithmetic, and the live readings moving the way the benches rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "bench/process_figures.h"

TEST(ProcessFigures, StatusFieldsAreReadByTheirWholeName)
{
    const std::string status = "Name:\tbench\n"
                               "VmHWMx:\t  999 kB\n"
                               "VmHWM:\t  204800 kB\n"
                               "VmRSS:\t  102400 kB\n"
                               "Threads:\t3";
    EXPECT_EQ(bench::StatusFieldKiB(status, "VmHWM"), 204800);
    EXPECT_EQ(bench::StatusFieldKiB(status, "VmRSS"), 102400);
    EXPECT_EQ(bench::StatusFieldKiB(status, "Threads"), 3);  // the last line needs no newline
    EXPECT_EQ(bench::StatusFieldKiB(status, "VmSwap"), 0);
    EXPECT_EQ(bench::StatusFieldKiB(status, "Vm"), 0);  // a prefix of a name is no name
    EXPECT_EQ(bench::StatusFieldKiB("", "VmRSS"), 0);
}

TEST(ProcessFigures, ImportBoundIsAQuarterOverThePicturesPlusTheLibraries)
{
    constexpr uint64_t kMiB = 1 << 20;
    // 100 frames of 640 x 360: 92,160,000 bytes of pictures.
    EXPECT_EQ(bench::VideoImportMemoryBound(100, 640, 360), 115200000u + 100 * kMiB);
    EXPECT_EQ(bench::VideoImportMemoryBound(0, 640, 360), 100 * kMiB);
    // A long import at full size is far past 32 bits.
    EXPECT_EQ(bench::VideoImportMemoryBound(3000, 1920, 1080),
              3000ull * 1920 * 1080 * 5 + 100 * kMiB);
}

TEST(ProcessFigures, LiveReadingsFollowTheProcess)
{
    // The kernel counts resident pages per thread and adds them up now and then, so two
    // readings taken one after the other may disagree by a little: a megabyte of slack.
    constexpr long kSlackKiB = 1024;
    const long resident = bench::ResidentKiB();
    EXPECT_GT(resident, 0);
    EXPECT_GE(bench::PeakKiB() + kSlackKiB, resident);

    const double cpu = bench::CpuSeconds();
    volatile unsigned sum = 0;
    for (unsigned i = 0; i < 50000000u; ++i)
        sum = sum + i;
    EXPECT_GT(bench::CpuSeconds(), cpu);

    // 64 MiB touched and given back: the peak keeps it until it is started over.
    constexpr size_t kBlock = size_t{64} << 20;
    {
        const std::unique_ptr<char[]> block(new char[kBlock]);
        std::memset(block.get(), 1, kBlock);
        EXPECT_GE(bench::PeakKiB() + kSlackKiB, bench::ResidentKiB());
        EXPECT_GE(bench::PeakKiB() - resident, 60 * 1024);
    }
    if (!bench::ResetPeak())
        GTEST_SKIP() << "the kernel can't start the peak over";
    EXPECT_LT(bench::PeakKiB() - bench::ResidentKiB(), 32 * 1024);
}

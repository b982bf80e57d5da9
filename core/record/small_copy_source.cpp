#include "core/record/small_copy_source.h"

#include "core/picture/small_copy.h"

namespace {
int64_t Hundredths(int64_t micros)
{
    return (micros + 5000) / 10000;
}
} // namespace

void SmallCopies::Add(SmallPicture small, int64_t moment)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_grabs.push_back({std::move(small), moment});
}

std::vector<SmallPicture> SmallCopies::For(size_t count, bool merged, int minDelay) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Grab> kept;
    for (const Grab& grab : m_grabs)
        if (!merged || kept.empty() || kept.back().small != grab.small)
            kept.push_back(grab);
    std::vector<SmallPicture> pictures;
    if (kept.size() == count) {
        for (const Grab& grab : kept)
            pictures.push_back(grab.small);
        return pictures;
    }
    // Too many: the recorder left out pictures that came too soon after the one before.
    int64_t last = 0;
    for (const Grab& grab : kept) {
        const int64_t at = Hundredths(grab.moment);
        if (pictures.empty() || at - last >= minDelay) {
            pictures.push_back(grab.small);
            last = at;
        }
    }
    if (pictures.size() != count)
        pictures.clear();
    return pictures;
}

SmallCopySource::SmallCopySource(std::unique_ptr<ScreenSource> source, int side,
                                 std::shared_ptr<SmallCopies> copies)
    : m_source(std::move(source)), m_side(side), m_copies(std::move(copies))
{
}

bool SmallCopySource::Grab(const CaptureRect& region, bool pointer, std::vector<uint8_t>& rgb,
                           std::string& error)
{
    if (!m_source->Grab(region, pointer, rgb, error))
        return false;
    if (!m_lastSmall || rgb != m_last) {
        const wxSize to = SmallSize(region.width, region.height, m_side);
        auto small = std::make_shared<wxImage>();
        if (to.x > 0 && to.y > 0) {
            small->Create(to.x, to.y, false);
            AverageDown(rgb.data(), nullptr, region.width, region.height, to, small->GetData(),
                        nullptr);
        }
        m_lastSmall = std::move(small);
        m_last = rgb;
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    m_copies->Add(m_lastSmall,
                  std::chrono::duration_cast<std::chrono::microseconds>(now).count());
    return true;
}

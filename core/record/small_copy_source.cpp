#include "core/record/small_copy_source.h"

#include "core/picture/small_copy.h"

void SmallCopies::Add(SmallPicture small)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_grabs.push_back(std::move(small));
}

std::vector<SmallPicture> SmallCopies::For(size_t count, bool merged) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<SmallPicture> pictures;
    for (const SmallPicture& small : m_grabs)
        if (!merged || pictures.empty() || pictures.back() != small)
            pictures.push_back(small);
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
    m_copies->Add(m_lastSmall);
    return true;
}

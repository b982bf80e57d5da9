#include "core/document/edit_commands.h"

#include <algorithm>

#include "core/document/frame_order.h"

InsertFramesCommand::InsertFramesCommand(AnimationDocument& document, StepName name,
                                         int at, FrameList frames)
    : DocumentCommand(document, std::move(name)), m_at(at), m_frames(std::move(frames))
{
}

bool InsertFramesCommand::Do()
{
    m_at = std::clamp(m_at, 0, m_document.Count());
    m_document.Insert(m_at, m_frames);
    return true;
}

bool InsertFramesCommand::Undo()
{
    std::vector<int> positions;
    for (size_t i = 0; i < m_frames.size(); ++i)
        positions.push_back(m_at + static_cast<int>(i));
    m_document.Remove(positions);
    return true;
}

void InsertFramesCommand::CollectFrames(FrameList& frames) const
{
    frames.insert(frames.end(), m_frames.begin(), m_frames.end());
}

RemoveFramesCommand::RemoveFramesCommand(AnimationDocument& document, StepName name,
                                         std::vector<int> positions)
    : DocumentCommand(document, std::move(name)), m_positions(std::move(positions))
{
}

bool RemoveFramesCommand::Do()
{
    m_positions = ValidPositions(m_document.Count(), m_positions);
    m_removed = m_document.Remove(m_positions);
    return true;
}

bool RemoveFramesCommand::Undo()
{
    m_document.InsertAt(m_positions, m_removed);
    m_removed.clear();
    return true;
}

void RemoveFramesCommand::CollectFrames(FrameList& frames) const
{
    frames.insert(frames.end(), m_removed.begin(), m_removed.end());
}

ReorderFramesCommand::ReorderFramesCommand(AnimationDocument& document, StepName name,
                                           std::vector<int> order)
    : DocumentCommand(document, std::move(name)), m_order(std::move(order))
{
}

bool ReorderFramesCommand::Do()
{
    return m_document.Reorder(m_order);
}

bool ReorderFramesCommand::Undo()
{
    return m_document.Reorder(InverseOrder(m_order));
}

ChangeSettingsCommand::ChangeSettingsCommand(AnimationDocument& document, StepName name,
                                             int control, DocumentSettings before,
                                             DocumentSettings after)
    : DocumentCommand(document, std::move(name)), m_control(control), m_before(before),
      m_after(after)
{
}

bool ChangeSettingsCommand::Do()
{
    m_document.SetSettings(m_after);
    return true;
}

bool ChangeSettingsCommand::Undo()
{
    // An undone step is done with: a later change is a new step.
    m_sealed = true;
    m_document.SetSettings(m_before);
    return true;
}

ReplaceFramesCommand::ReplaceFramesCommand(AnimationDocument& document, StepName name,
                                           std::vector<int> positions, FrameList frames)
    : DocumentCommand(document, std::move(name)), m_positions(std::move(positions)),
      m_frames(std::move(frames))
{
}

bool ReplaceFramesCommand::Do()
{
    // The frames out of the document are the ones to put back: the two swap each time.
    m_frames = m_document.Replace(m_positions, m_frames);
    return true;
}

bool ReplaceFramesCommand::Undo()
{
    return Do();
}

void ReplaceFramesCommand::CollectFrames(FrameList& frames) const
{
    frames.insert(frames.end(), m_frames.begin(), m_frames.end());
}

CombinedCommand::CombinedCommand(AnimationDocument& document, StepName name)
    : DocumentCommand(document, std::move(name))
{
}

CombinedCommand::~CombinedCommand() = default;

bool CombinedCommand::Do()
{
    for (auto& step : m_steps)
        step->Do();
    return true;
}

bool CombinedCommand::Undo()
{
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        (*it)->Undo();
    return true;
}

void CombinedCommand::CollectFrames(FrameList& frames) const
{
    for (const auto& step : m_steps)
        step->CollectFrames(frames);
}

DocumentCommand* RemovalStep(AnimationDocument& document, const StepName& name,
                             const std::vector<int>& positions)
{
    auto* removal = new RemoveFramesCommand(document, name, positions);
    const size_t gone = ValidPositions(document.Count(), positions).size();
    if (gone == 0 || static_cast<int>(gone) < document.Count() || !document.CanvasChosen())
        return removal;
    DocumentSettings after = document.Settings();
    after.canvasChosen = false;
    auto* step = new CombinedCommand(document, name);
    step->Add(new ChangeSettingsCommand(document, name, 0, document.Settings(), after));
    step->Add(removal);
    return step;
}

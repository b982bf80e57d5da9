#include "core/document/edit_history.h"

#include <unordered_set>

bool EditHistory::Submit(wxCommand* command, bool storeIt)
{
    const bool done = wxCommandProcessor::Submit(command, storeIt);
    if (done && storeIt)
        Trim();
    return done;
}

void EditHistory::Store(wxCommand* command)
{
    wxCommandProcessor::Store(command);
    Trim();
}

void EditHistory::SubmitSettings(ChangeSettingsCommand* command)
{
    auto* latest = dynamic_cast<ChangeSettingsCommand*>(GetCurrentCommand());
    const bool atSaved = m_lastSavedCommand && m_lastSavedCommand == m_currentCommand;
    // A step after which more steps wait to be redone is not the latest change.
    const bool isLast = m_currentCommand && !m_currentCommand->GetNext();
    if (latest && isLast && !atSaved && !latest->Sealed() &&
        latest->Control() == command->Control()) {
        command->Do();
        latest->TakeLaterValue(command->After());
        delete command;
        SetMenuStrings();
        return;
    }
    Submit(command);
}

void EditHistory::SealLatest()
{
    if (auto* latest = dynamic_cast<ChangeSettingsCommand*>(GetCurrentCommand()))
        latest->Seal();
}

void EditHistory::MarkSaved()
{
    MarkAsSaved();
    m_savedLost = false;
    SealLatest();
}

bool EditHistory::IsDirty() const
{
    return m_savedLost || wxCommandProcessor::IsDirty();
}

void EditHistory::ClearCommands()
{
    wxCommandProcessor::ClearCommands();
    m_savedLost = false;
}

size_t EditHistory::HeldBytes() const
{
    // Pictures, not frames, are what costs: a frame with another delay shares its picture.
    std::unordered_set<const Picture*> inDocument;
    for (const FramePtr& frame : m_document.Frames())
        inDocument.insert(frame->picture.get());
    std::unordered_set<const Picture*> counted;
    size_t bytes = 0;
    FrameList held;
    for (wxObject* object : GetCommands()) {
        held.clear();
        if (auto* command = dynamic_cast<DocumentCommand*>(object))
            command->CollectFrames(held);
        for (const FramePtr& frame : held) {
            const Picture* picture = frame ? frame->picture.get() : nullptr;
            if (picture && !inDocument.count(picture) && counted.insert(picture).second)
                bytes += FrameBytes(*frame);
        }
    }
    return bytes;
}

void EditHistory::Trim()
{
    while (HeldBytes() > m_bound && (DropOldestDone() || DropNewestUndone())) {
    }
}

bool EditHistory::DropOldestDone()
{
    if (!m_currentCommand)
        return false;
    wxList::compatibility_iterator oldest = m_commands.GetFirst();
    if (!m_lastSavedCommand) {
        // The state before every step was the saved one; it is out of reach from now on.
        m_savedLost = true;
    } else if (oldest == m_lastSavedCommand) {
        // Forgetting the saved step itself: when it is the state now, the empty history
        // stands for it; otherwise no undo can reach it any more.
        if (oldest != m_currentCommand)
            m_savedLost = true;
        m_lastSavedCommand = wxList::compatibility_iterator();
    }
    if (oldest == m_currentCommand)
        m_currentCommand = wxList::compatibility_iterator();
    delete static_cast<wxCommand*>(oldest->GetData());
    m_commands.Erase(oldest);
    SetMenuStrings();
    return true;
}

bool EditHistory::DropNewestUndone()
{
    wxList::compatibility_iterator newest = m_commands.GetLast();
    if (!newest || newest == m_currentCommand)
        return false;
    if (newest == m_lastSavedCommand) {
        m_savedLost = true;
        m_lastSavedCommand = wxList::compatibility_iterator();
    }
    delete static_cast<wxCommand*>(newest->GetData());
    m_commands.Erase(newest);
    SetMenuStrings();
    return true;
}

// The undoable edits of an animation document, for the toolkit's command processor. Each
// keeps the frames it took out or put in as shared handles, so a step of the history costs
// a few pointers, not pictures.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/cmdproc.h>

#include "core/document/animation_document.h"
#include "core/document/step_name.h"

class DocumentCommand : public wxCommand {
public:
    DocumentCommand(AnimationDocument& document, StepName name)
        : wxCommand(true), m_document(document), m_name(std::move(name))
    {
    }
    // The name in the language of the moment (the history asks each time it labels the menu).
    wxString GetName() const override { return m_name.Text(); }
    // The frames this step holds on to (for the history's memory bound).
    virtual void CollectFrames(FrameList&) const {}

protected:
    AnimationDocument& m_document;

private:
    StepName m_name;
};

// Frames put in before position at.
class InsertFramesCommand : public DocumentCommand {
public:
    InsertFramesCommand(AnimationDocument& document, StepName name, int at,
                        FrameList frames);
    bool Do() override;
    bool Undo() override;
    void CollectFrames(FrameList& frames) const override;

private:
    int m_at;
    FrameList m_frames;
};

// The frames at the given positions taken out (Clear All takes them all).
class RemoveFramesCommand : public DocumentCommand {
public:
    RemoveFramesCommand(AnimationDocument& document, StepName name,
                        std::vector<int> positions);
    bool Do() override;
    bool Undo() override;
    void CollectFrames(FrameList& frames) const override;

private:
    std::vector<int> m_positions;
    FrameList m_removed;
};

// A new order of the same frames (moves, reversals).
class ReorderFramesCommand : public DocumentCommand {
public:
    ReorderFramesCommand(AnimationDocument& document, StepName name,
                         std::vector<int> order);
    bool Do() override;
    bool Undo() override;

private:
    std::vector<int> m_order;
};

// Frames put in place of others at the same positions (their own delays changed).
class ReplaceFramesCommand : public DocumentCommand {
public:
    ReplaceFramesCommand(AnimationDocument& document, StepName name,
                         std::vector<int> positions, FrameList frames);
    bool Do() override;
    bool Undo() override;
    void CollectFrames(FrameList& frames) const override;

private:
    std::vector<int> m_positions;
    FrameList m_frames;
};

// Several steps done as one (scaling every delay changes the common one and the frames' own).
class CombinedCommand : public DocumentCommand {
public:
    CombinedCommand(AnimationDocument& document, StepName name);
    ~CombinedCommand() override;
    void Add(DocumentCommand* step) { m_steps.emplace_back(step); }
    bool Do() override;
    bool Undo() override;
    void CollectFrames(FrameList& frames) const override;

private:
    std::vector<std::unique_ptr<DocumentCommand>> m_steps;
};

// A change of the delay, the canvas (with whether the user chose it) or the loop setting.
// Consecutive changes of one control merge into one step: the step keeps its first old value
// and takes each new one.
class ChangeSettingsCommand : public DocumentCommand {
public:
    // The document's settings become after; undo gives back before.
    ChangeSettingsCommand(AnimationDocument& document, StepName name, int control,
                          DocumentSettings before, DocumentSettings after);
    bool Do() override;
    bool Undo() override;

    int Control() const { return m_control; }
    const DocumentSettings& After() const { return m_after; }
    void TakeLaterValue(const DocumentSettings& after) { m_after = after; }
    // No further change merges into this step (the control lost the focus).
    void Seal() { m_sealed = true; }
    bool Sealed() const { return m_sealed; }

private:
    int m_control;
    DocumentSettings m_before;
    DocumentSettings m_after;
    bool m_sealed = false;
};

// The step that removes the frames at positions. One that empties the list also gives the
// canvas back to the frames to come, forgetting the size the user chose, and its undo gives
// that size back with the frames.
DocumentCommand* RemovalStep(AnimationDocument& document, const StepName& name,
                             const std::vector<int>& positions);

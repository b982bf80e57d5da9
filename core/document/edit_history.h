// The undo history: the toolkit's command processor with two additions. Changes of one
// control merge into one step, and the frames only the history still holds are bounded:
// past the bound the oldest steps are forgotten.
#pragma once

#include <cstddef>

#include <wx/cmdproc.h>

#include "core/document/edit_commands.h"

class EditHistory : public wxCommandProcessor {
public:
    explicit EditHistory(const AnimationDocument& document, size_t frameBytesBound = size_t(1) << 30)
        : m_document(document), m_bound(frameBytesBound)
    {
    }

    // Does command and keeps it as the latest step, within the memory bound.
    bool Submit(wxCommand* command, bool storeIt = true) override;
    // Keeps an edit that was already made (a load that put its frames in one by one).
    void Store(wxCommand* command) override;
    // A settings change: merged into the latest step when that is an open change of the same
    // control, not the saved state; a new step otherwise.
    void SubmitSettings(ChangeSettingsCommand* command);
    // Ends the merging of the latest step (its control lost the focus).
    void SealLatest();

    // The document as it is now is the saved one.
    void MarkSaved();
    // The document as it is now was never saved (a restored copy, part of a project), and
    // no undo leads back to a saved state.
    void MarkUnsaved() { m_savedLost = true; }
    bool IsDirty() const override;
    void ClearCommands() override;

    // The bytes of pictures the history holds that the document no longer has.
    size_t HeldBytes() const;

private:
    void Trim();
    bool DropOldestDone();
    bool DropNewestUndone();

    const AnimationDocument& m_document;
    size_t m_bound;
    // The saved state was among the steps forgotten: nothing leads back to it.
    bool m_savedLost = false;
};

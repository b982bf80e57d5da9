// The name of an undo step, as the Edit menu shows it after "Undo" ("Undo Delete 3 Frames").
// It is worded each time it is shown, not when the step is made, so that the steps made before
// a language switch read in the new language.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>

#include <wx/string.h>

class StepName {
public:
    StepName() = default;
    // A text that is shown as it is (a step of a combined step, a test).
    StepName(const wxString& text) : m_words([text] { return text; }) {}
    StepName(const char* text) : StepName(wxString(text)) {}
    StepName(const wchar_t* text) : StepName(wxString(text)) {}
    // A name worded by words() when shown: a lambda around the translation lookup, such as
    // [n] { return wxString::Format(wxPLURAL("Delete %d Frame", "Delete %d Frames", n), n); }.
    template <typename Words,
              typename = std::enable_if_t<std::is_invocable_r_v<wxString, Words&>>>
    StepName(Words words) : m_words(std::move(words))
    {
    }

    wxString Text() const { return m_words ? m_words() : wxString(); }

private:
    std::function<wxString()> m_words;
};

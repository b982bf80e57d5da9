// The update document: any bytes parse without harm, and the version order is a total
// preorder on what comes out: antisymmetric, transitive, and every version equals itself.
#include <wx/mstream.h>

#include "core/settings/update_check.h"
#include "fuzz/fuzz_support.h"

namespace {
int Sign(int v)
{
    return (v > 0) - (v < 0);
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartToolkitForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wxMemoryInputStream stream(data, size);
    const wxString published = ParseUpdateDocument(stream);

    // Three versions to order: the parsed one, and the input's text cut in two at a point
    // the bytes choose (so the fuzzer controls all three).
    const wxString text = FuzzText(data, size);
    const size_t cut = size ? data[0] % (text.length() + 1) : 0;
    const wxString versions[] = {published, text.Left(cut), text.Mid(cut)};

    for (const wxString& a : versions) {
        FUZZ_CHECK(CompareVersions(a, a) == 0);
        for (const wxString& b : versions) {
            const int ab = Sign(CompareVersions(a, b));
            FUZZ_CHECK(ab == -Sign(CompareVersions(b, a)));
            for (const wxString& c : versions) {
                const int bc = Sign(CompareVersions(b, c));
                const int ac = Sign(CompareVersions(a, c));
                if (ab <= 0 && bc <= 0)
                    FUZZ_CHECK(ac <= 0);
                if (ab == 0 && bc == 0)
                    FUZZ_CHECK(ac == 0);
            }
        }
    }
    return 0;
}

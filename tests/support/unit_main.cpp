// Entry point of the unit tests: the toolkit's base library and image handlers, no display.
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/image.h>

#include "core/base/file_name_encoding.h"
#include "support/assert_catcher.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk()) {
        fprintf(stderr, "unit_tests: the toolkit failed to initialise\n");
        return 1;
    }
    wxInitAllImageHandlers();
    UseFileNameEncoding();
    InstallFailingAssertHandler();
    return RUN_ALL_TESTS();
}

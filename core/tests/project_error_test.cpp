#include "backends/project_error.hpp"

#include <windows.h>

#include <gtest/gtest.h>

namespace kestrune::backends {
namespace {

TEST(ProjectError, TextIsTheWrappedErrorsAndThereAreNoCauses) {
    const win::IoError denied = win::IoError::from_code(ERROR_ACCESS_DENIED);
    struct Case {
        ProjectError error;
        ProjectError::Kind kind;
        std::string message;
    };
    const Case cases[] = {
        {ProjectError::malformed_xml("unexpected end of stream"), ProjectError::Kind::XmlParse,
         "Malformed XML. unexpected end of stream"},
        {ProjectError::cannot_parse(), ProjectError::Kind::XmlParse, "Cannot parse"},
        {ProjectError::io(denied), ProjectError::Kind::Io, denied.message()},
        {ProjectError::io(win::IoError::from_text("program not found")), ProjectError::Kind::Io, "program not found"},
        {ProjectError::emitter("document has no root"), ProjectError::Kind::XmlWrite, "emitter error: document has no root"},
        {ProjectError::emitter_io(denied), ProjectError::Kind::XmlWrite, "emitter error: I/O error: " + denied.message()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error.kind(), c.kind) << c.message;
        EXPECT_EQ(c.error.message(), c.message);
        EXPECT_TRUE(c.error.causes().empty()) << c.message;
    }
    EXPECT_TRUE(denied.message().ends_with(" (os error 5)"));
}

}  // namespace
}  // namespace kestrune::backends

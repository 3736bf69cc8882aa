#include <gtest/gtest.h>

#include "platform/command_registry.h"

namespace pyx {
namespace {

TEST(CommandRegistry, RunsItsCommandsAndRefusesWhatIsNotOne)
{
    CommandRegistry r;
    int ran = 0;
    r.add("miA", [&] { ++ran; });
    r.run("miA");
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(r.has("miA"));
    EXPECT_THROW(r.run("mia"), UnknownCommand); // names are exact
    EXPECT_THROW(r.run(""), UnknownCommand);
    EXPECT_THROW(r.add("miA", [] {}), std::logic_error);
    EXPECT_THROW(r.add("miB", nullptr), std::logic_error);
    EXPECT_EQ(r.names(), std::vector<std::string>{"miA"});
}

} // namespace
} // namespace pyx
